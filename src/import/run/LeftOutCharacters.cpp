#include "import/run/LeftOutCharacters.h"

#include "import/run/Counts.h"

#include <QCoreApplication>

namespace quillmere {

QStringList LeftOutCharacters::notes(const ImportRequest& request) const {
    QStringList notes;
    if (workbookForm(request.output) != WorkbookForm::OpenDocument) {
        return notes;
    }
    for (std::size_t file = 0; file < exclusions_.size(); ++file) {
        const XmlExclusions& left = exclusions_[file];
        if (left.count() == 0) {
            continue;
        }
        //: %2 is "N characters".
        notes << QCoreApplication::translate("LeftOutCharacters",
                                             "%1: %2 left out that an .ods workbook cannot hold, the first in line %3 "
                                             "(control characters such as ESC; an .xlsx workbook keeps them).")
                     .arg(request.paths[qsizetype(file)].shown, countedCharacters(left.count()),
                          QString::number(left.firstRow() + 1));
    }
    return notes;
}

} // namespace quillmere
