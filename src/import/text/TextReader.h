#pragma once

#include "base/FilePath.h"
#include "import/text/TextDecoding.h"

#include <QFile>
#include <QString>

#include <optional>

// Listed files are reached here alone, by the bytes of their paths; the run's own working files through QFile.
namespace quillmere {

// The whole content of a text file, decoded by decodeText(). An empty file gives an empty text.
// Throws FileError naming the path as shown and the reason when the path is missing, unreadable, or not a regular file
// (a folder, a pipe, a socket, a device), and reads no more than the file held when it was opened.
QString readTextFile(const FilePath& path);

// Throws FileError when readTextFile() would fail before reading a byte: missing, not readable, or not a regular
// file. Never waits, not even for a pipe's writer.
void checkReadable(const FilePath& path);

// The size of the file in bytes; nullopt when it cannot be had, which its reading then tells.
std::optional<qint64> fileSize(const FilePath& path);

// A text file read and decoded piece by piece, so that a large file never stands whole in memory: the pieces
// joined are exactly what readTextFile() gives. Throws FileError as readTextFile() does.
class TextFileStream {
public:
    static constexpr qsizetype defaultPieceBytes = 1024 * 1024;
    explicit TextFileStream(const FilePath& path, qsizetype pieceBytes = defaultPieceBytes);

    // The next piece of text, never empty; an empty text once the file is read up to where it ended when opened.
    QString next();
    // The share of the file's bytes read so far, from 0 to 1.
    double fractionRead() const;

private:
    QByteArray read(qint64 count);
    void rewindTo(qint64 position);
    // Whether the unmarked file is UTF-8 throughout, read piece by piece from where the file stands now.
    bool restIsUtf8();

    QString shown_;
    QFile file_;
    qint64 size_ = 0;
    qint64 read_ = 0;
    qsizetype pieceBytes_;
    // Only for a file of more than one piece.
    std::optional<TextDecoder> decoder_;
};

} // namespace quillmere
