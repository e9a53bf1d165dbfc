#include "import/workfile/FlatSpreadsheet.h"

#include <QIODevice>
#include <QXmlStreamWriter>

#include <algorithm>

namespace quillmere {
namespace {

// The frame around the tables, with the prefixes the tables' elements are named by: declared once here, they spare
// the writer a lookup of the namespace at each element, which would cost more than writing it.
constexpr char documentStart[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.3\" "
    "office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\"><office:body><office:spreadsheet>";
constexpr char documentEnd[] = "</office:spreadsheet></office:body></office:document>";

bool isSpace(QChar c) {
    return c == u' ';
}

// Writes one table into a text in memory: a device write for each of the writer's small pieces would take longer
// than all the rest of the writing.
class TableWriter {
public:
    TableWriter() = default;
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    QByteArray write(const QString& name, const RowTexts& rows) {
        text_.resize(0);
        xml_.writeStartElement(QStringLiteral("table:table"));
        xml_.writeAttribute(QStringLiteral("table:name"), name);
        // A table needs a column and a row to be valid, also when it stands empty.
        xml_.writeEmptyElement(QStringLiteral("table:table-column"));
        qsizetype emptyRows = 0;
        bool anyRow = false;
        for (const QStringView row : rows) {
            if (row.isEmpty()) {
                ++emptyRows;
                continue;
            }
            for (; emptyRows > 0; --emptyRows) {
                xml_.writeEmptyElement(QStringLiteral("table:table-row"));
            }
            xml_.writeStartElement(QStringLiteral("table:table-row"));
            for (const QStringView cell : SplitCells(row)) {
                addCell(cell);
            }
            xml_.writeEndElement();
            anyRow = true;
        }
        if (!anyRow) {
            xml_.writeEmptyElement(QStringLiteral("table:table-row"));
        }
        xml_.writeEndElement();
        return text_.toUtf8();
    }

private:
    void addCell(QStringView text) {
        if (text.isEmpty()) {
            xml_.writeEmptyElement(QStringLiteral("table:table-cell"));
            return;
        }
        xml_.writeStartElement(QStringLiteral("table:table-cell"));
        xml_.writeAttribute(QStringLiteral("office:value-type"), QStringLiteral("string"));
        addParagraph(text);
        xml_.writeEndElement();
    }

    // A paragraph's spaces collapse on reading: every space that is not a lone one between other characters is
    // written as the element that keeps it. A tab stands as itself, which the office keeps; its tab element it drops.
    void addParagraph(QStringView text) {
        xml_.writeStartElement(QStringLiteral("text:p"));
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
                xml_.writeEmptyElement(QStringLiteral("text:s"));
                if (end - i > 1) {
                    xml_.writeAttribute(QStringLiteral("text:c"), QString::number(end - i));
                }
                plainFrom = end;
            }
            i = end;
        }
        flushPlain(text.size());
        xml_.writeEndElement();
    }

    QString text_;
    QXmlStreamWriter xml_{&text_};
};

} // namespace

bool canCarry(QStringView text) {
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF;
    });
}

QByteArray FlatTable(const QString& name, const RowTexts& rows) {
    thread_local TableWriter writer;
    return writer.write(name, rows);
}

FlatSpreadsheet::FlatSpreadsheet(QIODevice& device)
    : device_(device) {
    write(documentStart);
}

void FlatSpreadsheet::add(const QByteArray& table) {
    write(table);
}

bool FlatSpreadsheet::finish() {
    write(documentEnd);
    return !failed_;
}

void FlatSpreadsheet::write(QByteArrayView bytes) {
    failed_ = failed_ || device_.write(bytes.data(), bytes.size()) != bytes.size();
}

} // namespace quillmere
