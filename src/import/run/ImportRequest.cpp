#include "import/run/ImportRequest.h"

#include "base/Leftovers.h"

#include <QDir>
#include <QFileInfo>

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

QString partialOutputPath(const QString& output) {
    const QFileInfo info(output);
    return info.dir().filePath(u'.' + ownNamePrefix() + info.fileName());
}

} // namespace quillmere
