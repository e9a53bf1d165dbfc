#include "import/run/OutputFile.h"

#include "base/Leftovers.h"
#include "import/Spreadsheet.h"
#include "import/text/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quillmere {
namespace {

QString partialPath(const QString& output) {
    const QFileInfo info(output);
    return info.dir().filePath(u'.' + ownNamePrefix() + info.fileName());
}

} // namespace

OutputFile::OutputFile(QString path)
    : path_(std::move(path))
    , partial_(partialPath(path_)) {}

void OutputFile::save(SpreadsheetDocument& document) const {
    try {
        document.saveAs(partial_);
        // rename() replaces the output in one step; QFile::rename() would refuse an existing file.
        if (std::rename(QFile::encodeName(partial_).constData(), QFile::encodeName(path_).constData()) != 0) {
            throw FileError(path_, QString::fromLocal8Bit(std::strerror(errno)));
        }
    } catch (...) {
        removePartial();
        throw;
    }
}

void OutputFile::removePartial() const {
    QFile::remove(partial_);
}

} // namespace quillmere
