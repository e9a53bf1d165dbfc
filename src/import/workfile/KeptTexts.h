#pragma once

#include "import/workfile/WorkFile.h"
#include "import/text/ColumnSplitting.h"

#include <QString>

#include <utility>
#include <vector>

class QFileDevice;

namespace quillmere {

// Each file's marked text, kept in a working file once the file has been read, so that its sheet can be written
// later without reading the file again.
class KeptTexts {
public:
    KeptTexts(WorkFile& work, int files);

    // Throws FileError.
    void keep(int file, const QString& marked);
    // The kept text's rows. Throws FileError.
    RowTexts rows(int file) const;

private:
    QFileDevice& device_;
    // Where each file's text starts, and its length in bytes.
    std::vector<std::pair<qint64, qint64>> spans_;
    qint64 end_ = 0;
};

} // namespace quillmere
