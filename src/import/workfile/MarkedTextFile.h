#pragma once

#include "base/Background.h"
#include "import/text/ColumnSplitting.h"
#include "import/text/RowsExtent.h"
#include "import/text/XmlCharacters.h"
#include "import/workfile/WorkFile.h"

#include <QFile>

#include <vector>

namespace quillmere {

// What the marked text in a working file needs of a sheet, and whether it holds NUL, which some loads drop.
struct MarkedText {
    RowsExtent extent;
    bool holdsNul = false;
};

// The joined text of the files, marked under the rule and written to the working file as it comes in pieces:
// UTF-8 behind a byte-order mark, carriage returns dropped, ending in one more line feed. Nothing of it is kept in
// memory.
class MarkedTextWriter {
public:
    MarkedTextWriter(WorkFile& work, ColumnRule rule, const QString& customDelimiter);
    MarkedTextWriter(const MarkedTextWriter&) = delete;
    MarkedTextWriter& operator=(const MarkedTextWriter&) = delete;

    // Begins the next file's text, whose characters that XML cannot hold are counted apart.
    void startFile();
    // The next piece of the joined text, as read. Throws FileError.
    void add(QStringView piece);
    // The line feeds among the pieces added so far: the row the next piece's text starts in.
    qsizetype lineFeeds() const { return lineFeeds_; }
    // Writes the rest and flushes the file. Throws FileError.
    MarkedText finish();
    // For each file begun, in order, the characters of its marked text that XML cannot hold, its rows counted from its
    // first. What the marker held back of a file is counted with the next.
    const std::vector<XmlExclusions>& exclusions() const { return exclusions_; }

private:
    void write(QString marked);
    // Encodes and writes the text on a thread of the background pool, while the caller reads and marks the next piece.
    void writeBehind(QString text);
    void waitForWrite();

    QFileDevice& file_;
    BackgroundFuture<void> writing_;
    ColumnMarker marker_;
    RowsMeasure measure_;
    std::vector<XmlExclusions> exclusions_;
    bool holdsNul_ = false;
    qsizetype lineFeeds_ = 0;
};

// The marked text of a working file that MarkedTextWriter wrote, read back a piece of whole lines at a time.
class MarkedTextReader {
public:
    explicit MarkedTextReader(const WorkFile& work); // throws FileError

    // The next lines, each ending in a line feed; an empty text once the file is read. Throws FileError.
    QString nextLines();

private:
    QFile file_;
    QByteArray carried_;
};

} // namespace quillmere
