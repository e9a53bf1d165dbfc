#pragma once

#include "import/text/ColumnSplitting.h"

#include <QString>
#include <QXmlStreamWriter>

class QIODevice;

namespace quillmere {

// Writes a spreadsheet document in the flat OpenDocument form (one XML file), table by table, every non-empty
// cell a string cell, with no styles of its own, so that the office loads it as it makes a new document.
class FlatSpreadsheet {
public:
    explicit FlatSpreadsheet(QIODevice& device);

    // A table holding the rows, each row's cells cut at CellSeparator from column 0. Every text must pass
    // canCarry().
    void addTable(const QString& name, const RowTexts& rows);
    // Ends the document; nothing may be added afterwards. False when the device refused a write.
    bool finish();

private:
    void addCell(QStringView text);
    void addParagraph(QStringView text);

    QXmlStreamWriter xml_;
};

// False for text that XML cannot carry: the control characters other than tab, LF and CR, and U+FFFE, U+FFFF.
bool canCarry(QStringView text);

} // namespace quillmere
