#include "import/run/ImportRequest.h"

namespace quillmere {

WorkbookForm workbookForm(const QString& path) {
    if (path.endsWith(QLatin1String(".ods"), Qt::CaseInsensitive)) {
        return WorkbookForm::OpenDocument;
    }
    if (path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) {
        return WorkbookForm::OfficeOpenXml;
    }
    return WorkbookForm::None;
}

} // namespace quillmere
