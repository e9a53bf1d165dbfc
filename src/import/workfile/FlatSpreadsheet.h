#pragma once

#include "import/text/ColumnSplitting.h"
#include "import/text/XmlCharacters.h"

#include <QByteArray>
#include <QString>

class QFileDevice;

namespace quillmere {

// A spreadsheet document in the flat OpenDocument form (one XML file), every non-empty cell a string cell, with no
// styles of its own, so that the office loads it as it makes a new document. Each table is written apart from the
// others (flatTable), so that tables can be written side by side, and goes to the device in one piece.
class FlatSpreadsheet {
public:
    // Writes the document's start.
    explicit FlatSpreadsheet(QFileDevice& device);

    // Adds a table that flatTable wrote; where it starts in the device.
    qint64 add(const QByteArray& table);
    // Ends the document and flushes it; nothing may be added afterwards. Throws FileError where a write failed.
    void finish();

private:
    void write(QByteArrayView bytes);

    QFileDevice& device_;
    qint64 written_ = 0;
    bool failed_ = false;
};

// A table of the flat document named name, holding the rows, each row's cells cut at CellSeparator from column 0.
// Every character must be one XML can hold (isXmlCharacter).
QByteArray flatTable(const QString& name, const RowTexts& rows);

// The rows a table that flatTable wrote was written from, but for the empty rows at its end: for an office that could
// not load the flat document whole. Throws Error when the text is no such table.
RowTexts readFlatTable(const QByteArray& table);

} // namespace quillmere
