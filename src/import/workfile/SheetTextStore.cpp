#include "import/workfile/SheetTextStore.h"

#include "import/text/FileError.h"
#include "import/text/TextDecoding.h"

#include <QFileDevice>

namespace quillmere {

SheetTextStore::SheetTextStore(WorkFile& work, int files)
    : device_(work.emptied())
    , spans_(std::size_t(files)) {}

void SheetTextStore::store(int file, const QString& marked) {
    const QByteArray bytes = marked.toUtf8();
    // A seek empties the device's buffer: texts stored one after another go without.
    if ((device_.pos() != end_ && !device_.seek(end_)) || device_.write(bytes) != bytes.size()) {
        throw FileError(device_.fileName(), device_.errorString());
    }
    spans_[std::size_t(file)] = {end_, bytes.size()};
    end_ += bytes.size();
}

RowTexts SheetTextStore::rows(int file) const {
    const auto [start, length] = spans_[std::size_t(file)];
    if (!device_.seek(start)) {
        throw FileError(device_.fileName(), device_.errorString());
    }
    const QByteArray bytes = device_.read(length);
    if (bytes.size() != length) {
        throw FileError(device_.fileName(), device_.errorString());
    }
    return splitRows(decodeUtf8(bytes));
}

} // namespace quillmere
