#include "import/run/FlatSpreadsheet.h"

#include <algorithm>

namespace quillmere {
namespace {

constexpr auto officeNs = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr auto tableNs = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr auto textNs = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";

bool isSpace(QChar c) {
    return c == u' ';
}

} // namespace

bool canCarry(QStringView text) {
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF;
    });
}

FlatSpreadsheet::FlatSpreadsheet(QIODevice& device)
    : xml_(&device) {
    xml_.writeStartDocument();
    xml_.writeNamespace(QString::fromLatin1(officeNs), QStringLiteral("office"));
    xml_.writeNamespace(QString::fromLatin1(tableNs), QStringLiteral("table"));
    xml_.writeNamespace(QString::fromLatin1(textNs), QStringLiteral("text"));
    xml_.writeStartElement(QString::fromLatin1(officeNs), QStringLiteral("document"));
    xml_.writeAttribute(QString::fromLatin1(officeNs), QStringLiteral("version"), QStringLiteral("1.3"));
    xml_.writeAttribute(QString::fromLatin1(officeNs), QStringLiteral("mimetype"),
                        QStringLiteral("application/vnd.oasis.opendocument.spreadsheet"));
    xml_.writeStartElement(QString::fromLatin1(officeNs), QStringLiteral("body"));
    xml_.writeStartElement(QString::fromLatin1(officeNs), QStringLiteral("spreadsheet"));
}

void FlatSpreadsheet::addTable(const QString& name, const RowTexts& rows) {
    const QString table = QString::fromLatin1(tableNs);
    xml_.writeStartElement(table, QStringLiteral("table"));
    xml_.writeAttribute(table, QStringLiteral("name"), name);
    // A table needs a column and a row to be valid, also when it stands empty.
    xml_.writeEmptyElement(table, QStringLiteral("table-column"));
    qsizetype emptyRows = 0;
    bool anyRow = false;
    for (const QStringView row : rows) {
        if (row.isEmpty()) {
            ++emptyRows;
            continue;
        }
        for (; emptyRows > 0; --emptyRows) {
            xml_.writeEmptyElement(table, QStringLiteral("table-row"));
        }
        xml_.writeStartElement(table, QStringLiteral("table-row"));
        for (const QStringView cell : SplitCells(row)) {
            addCell(cell);
        }
        xml_.writeEndElement();
        anyRow = true;
    }
    if (!anyRow) {
        xml_.writeEmptyElement(table, QStringLiteral("table-row"));
    }
    xml_.writeEndElement();
}

void FlatSpreadsheet::addCell(QStringView text) {
    const QString table = QString::fromLatin1(tableNs);
    if (text.isEmpty()) {
        xml_.writeEmptyElement(table, QStringLiteral("table-cell"));
        return;
    }
    xml_.writeStartElement(table, QStringLiteral("table-cell"));
    xml_.writeAttribute(QString::fromLatin1(officeNs), QStringLiteral("value-type"), QStringLiteral("string"));
    addParagraph(text);
    xml_.writeEndElement();
}

// A paragraph's spaces collapse on reading: every space that is not a lone one between other characters is
// written as the element that keeps it. A tab stands as itself, which the office keeps; its tab element it drops.
void FlatSpreadsheet::addParagraph(QStringView text) {
    const QString textNamespace = QString::fromLatin1(textNs);
    xml_.writeStartElement(textNamespace, QStringLiteral("p"));
    qsizetype plainFrom = 0;
    const auto flushPlain = [&](qsizetype to) {
        if (to > plainFrom) {
            xml_.writeCharacters(text.sliced(plainFrom, to - plainFrom).toString());
        }
    };
    for (qsizetype i = 0; i < text.size();) {
        if (!isSpace(text[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && isSpace(text[end])) {
            ++end;
        }
        const bool lone = end - i == 1 && i > 0 && end < text.size() && text[i - 1] != u'\t' && text[end] != u'\t';
        if (!lone) {
            flushPlain(i);
            xml_.writeEmptyElement(textNamespace, QStringLiteral("s"));
            if (end - i > 1) {
                xml_.writeAttribute(textNamespace, QStringLiteral("c"), QString::number(end - i));
            }
            plainFrom = end;
        }
        i = end;
    }
    flushPlain(text.size());
    xml_.writeEndElement();
}

bool FlatSpreadsheet::finish() {
    xml_.writeEndDocument();
    return !xml_.hasError();
}

} // namespace quillmere
