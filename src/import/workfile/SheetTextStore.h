#pragma once

#include "import/text/ColumnSplitting.h"
#include "import/workfile/WorkFile.h"

#include <QString>

#include <utility>
#include <vector>

class QFileDevice;

namespace quillmere {

// The marked texts of files whose sheets are written after the document is loaded, stored in a working file once
// each file has been read, so that they need neither memory meanwhile nor a second reading of the file.
class SheetTextStore {
public:
    SheetTextStore(WorkFile& work, int files);

    // Throws FileError.
    void store(int file, const QString& marked);
    // The stored text's rows. Throws FileError.
    RowTexts rows(int file) const;

private:
    QFileDevice& device_;
    // Where each file's text starts, and its length in bytes.
    std::vector<std::pair<qint64, qint64>> spans_;
    qint64 end_ = 0;
};

} // namespace quillmere
