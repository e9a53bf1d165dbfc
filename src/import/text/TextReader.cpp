#include "import/text/TextReader.h"

#include "import/text/FileError.h"
#include "import/text/TextDecoding.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmere {
namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString notRegularReason(mode_t mode) {
    if (S_ISDIR(mode)) {
        return systemReason(EISDIR);
    }
    if (S_ISFIFO(mode)) {
        return QCoreApplication::translate("TextReader", "is a named pipe (FIFO), not a regular file");
    }
    if (S_ISSOCK(mode)) {
        return QCoreApplication::translate("TextReader", "is a socket, not a regular file");
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return QCoreApplication::translate("TextReader", "is a device, not a regular file");
    }
    return QCoreApplication::translate("TextReader", "is not a regular file");
}

// A pipe would block the open until a writer comes, and a device reads without end: the open must not wait, and
// only a regular file, or a link to one, is read. A socket cannot be opened at all, so its kind comes from stat.
qint64 openRegular(QFile& file, const FilePath& path) {
    const QByteArray& name = path.bytes;
    if (name.isEmpty()) {
        throw FileError(path.shown, systemReason(ENOENT));
    }
    struct stat info {};
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
            throw FileError(path.shown, notRegularReason(info.st_mode));
        }
        throw FileError(path.shown, systemReason(error));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw FileError(path.shown, file.errorString());
    }
    if (::fstat(fd, &info) != 0) {
        throw FileError(path.shown, systemReason(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        throw FileError(path.shown, notRegularReason(info.st_mode));
    }
    return info.st_size;
}

} // namespace

std::optional<qint64> fileSize(const FilePath& path) {
    struct stat info {};
    return ::stat(path.bytes.constData(), &info) == 0 ? std::optional<qint64>(info.st_size) : std::nullopt;
}

void checkReadable(const FilePath& path) {
    QFile file;
    openRegular(file, path);
}

// A file that grows while it is read ends where it ended when it was opened.
QString readTextFile(const FilePath& path) {
    QFile file;
    const QByteArray bytes = file.read(openRegular(file, path));
    if (file.error() != QFileDevice::NoError) {
        throw FileError(path.shown, file.errorString());
    }
    return decodeText(bytes);
}

// A small file takes one piece, decoded as a whole; a large one learns its encoding first, so that its pieces can be
// decoded as they come.
TextFileStream::TextFileStream(const FilePath& path, qsizetype pieceBytes)
    : shown_(path.shown)
    , size_(openRegular(file_, path))
    , pieceBytes_(std::max<qsizetype>(pieceBytes, 4)) {
    if (size_ <= pieceBytes_) {
        return;
    }
    const MarkedEncoding marked = byteOrderMark(read(3));
    rewindTo(marked.markLength);
    const bool windows1252 = marked.markLength == 0 && !restIsUtf8();
    rewindTo(marked.markLength);
    decoder_.emplace(windows1252 ? TextEncoding::Windows1252 : marked.encoding);
}

void TextFileStream::rewindTo(qint64 position) {
    if (!file_.seek(position)) {
        throw FileError(shown_, file_.errorString());
    }
    read_ = position;
}

QByteArray TextFileStream::read(qint64 count) {
    const qint64 wanted = std::min(count, size_ - read_);
    const QByteArray bytes = file_.read(wanted);
    if (file_.error() != QFileDevice::NoError) {
        throw FileError(shown_, file_.errorString());
    }
    read_ += bytes.size();
    if (bytes.size() < wanted) {
        size_ = read_; // the file shrank while it was read: it ends here
    }
    return bytes;
}

bool TextFileStream::restIsUtf8() {
    TextDecoder utf8(TextEncoding::Utf8);
    while (read_ < size_ && !utf8.hasError()) {
        utf8.decode(read(pieceBytes_));
    }
    utf8.finish();
    return !utf8.hasError();
}

QString TextFileStream::next() {
    if (!decoder_) {
        return read_ == 0 ? decodeText(read(size_)) : QString();
    }
    while (read_ < size_) {
        QString piece = decoder_->decode(read(pieceBytes_));
        if (read_ == size_) {
            piece += decoder_->finish();
        }
        if (!piece.isEmpty()) {
            return piece;
        }
    }
    return {};
}

double TextFileStream::fractionRead() const {
    return size_ == 0 ? 1.0 : double(read_) / double(size_);
}

} // namespace quillmere
