#pragma once

#include "import/run/ImportRequest.h"
#include "import/text/XmlCharacters.h"

#include <QStringList>

#include <vector>

namespace quillmere {

// The characters of each listed file's marked text that a saved .ods workbook cannot hold, for the notes beside the
// run's end.
class LeftOutCharacters {
public:
    explicit LeftOutCharacters(qsizetype files)
        : exclusions_(std::size_t(files)) {}

    // Rows count from the file's first line.
    void keep(int file, const XmlExclusions& exclusions) { exclusions_[std::size_t(file)] = exclusions; }
    // A line for each file that loses characters, in list order; none unless the request saves an .ods workbook.
    QStringList notes(const ImportRequest& request) const;

private:
    std::vector<XmlExclusions> exclusions_;
};

} // namespace quillmere
