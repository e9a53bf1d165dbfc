#include "import/workfile/MarkedTextFile.h"

#include "base/Background.h"
#include "import/text/FileError.h"
#include "import/text/TextDecoding.h"

namespace quillmere {
namespace {

constexpr qint64 readPieceBytes = 1024 * 1024;
// The office's text import takes a leading byte-order mark for one and drops it; behind this one, a text that
// begins with U+FEFF keeps it.
constexpr QByteArrayView utf8Mark = "\xEF\xBB\xBF";

} // namespace

MarkedTextWriter::MarkedTextWriter(WorkFile& work, ColumnRule rule, const QString& customDelimiter)
    : file_(work.emptied())
    , marker_(rule, customDelimiter) {
    if (file_.write(utf8Mark.data(), utf8Mark.size()) != utf8Mark.size()) {
        throw FileError(file_.fileName(), file_.errorString());
    }
}

void MarkedTextWriter::startFile() {
    exclusions_.emplace_back();
}

void MarkedTextWriter::add(QStringView piece) {
    lineFeeds_ += piece.count(u'\n');
    write(marker_.mark(piece));
}

// Rows end at line feeds alone; the office would also end one at a carriage return without its line feed.
void MarkedTextWriter::write(QString marked) {
    marked.remove(u'\r');
    holdsNul_ = holdsNul_ || marked.contains(QChar(0));
    measure_.add(marked);
    if (!exclusions_.empty()) {
        exclusions_.back().add(marked);
    }
    writeBehind(std::move(marked));
}

void MarkedTextWriter::writeBehind(QString text) {
    waitForWrite();
    // The text goes once it is encoded: the finished task stays with its future until the next piece.
    writing_ = runInBackground([this, text = std::move(text)]() mutable {
        const QByteArray bytes = std::exchange(text, QString()).toUtf8();
        if (file_.write(bytes) != bytes.size()) {
            throw FileError(file_.fileName(), file_.errorString());
        }
    });
}

void MarkedTextWriter::waitForWrite() {
    if (writing_.valid()) {
        writing_.get();
    }
}

MarkedText MarkedTextWriter::finish() {
    write(marker_.finish());
    waitForWrite();
    if (file_.write("\n", 1) != 1 || !file_.flush()) {
        throw FileError(file_.fileName(), file_.errorString());
    }
    return {measure_.extent(), holdsNul_};
}

MarkedTextReader::MarkedTextReader(const WorkFile& work)
    : file_(work.path()) {
    if (!file_.open(QIODevice::ReadOnly) || file_.read(utf8Mark.size()) != utf8Mark) {
        throw FileError(file_.fileName(), file_.errorString());
    }
}

QString MarkedTextReader::nextLines() {
    qsizetype end = -1;
    while (end < 0) {
        const QByteArray bytes = file_.read(readPieceBytes);
        if (file_.error() != QFileDevice::NoError) {
            throw FileError(file_.fileName(), file_.errorString());
        }
        if (bytes.isEmpty()) {
            return decodeUtf8(std::exchange(carried_, {}));
        }
        end = bytes.lastIndexOf('\n');
        if (end >= 0) {
            end += carried_.size() + 1;
        }
        carried_ += bytes;
    }
    QString lines = decodeUtf8(QByteArrayView(carried_).first(end));
    carried_.remove(0, end);
    return lines;
}

} // namespace quillmere
