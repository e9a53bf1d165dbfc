#include "import/workfile/FlatSpreadsheet.h"

#include "base/Error.h"
#include "import/text/FileError.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

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
            for (const QStringView cell : splitCells(row)) {
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

namespace {

// Within a cell: the text of its paragraph, each space element standing for as many spaces as it counts.
QString cellText(QXmlStreamReader& xml) {
    QString text;
    while (xml.readNextStartElement()) { // the paragraph
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::Characters) {
                text += xml.text();
            } else if (token == QXmlStreamReader::StartElement) { // a run of spaces
                const QStringView count = xml.attributes().value(QLatin1String("text:c"));
                text += QString(count.isEmpty() ? 1 : count.toInt(), u' ');
                xml.skipCurrentElement();
            } else if (token == QXmlStreamReader::EndElement) {
                break;
            }
        }
    }
    return text;
}

} // namespace

RowTexts readFlatTable(const QByteArray& table) {
    // A table alone declares none of the prefixes it uses.
    QXmlStreamReader xml(table);
    xml.setNamespaceProcessing(false);
    QString rows;
    if (xml.readNextStartElement() && xml.qualifiedName() == u"table:table") {
        while (xml.readNextStartElement()) {
            QStringList cells;
            const bool row = xml.qualifiedName() == u"table:table-row";
            while (xml.readNextStartElement()) {
                cells << cellText(xml);
            }
            if (row) {
                rows += cells.join(CellSeparator) + u'\n';
            }
        }
    }
    if (xml.hasError() || xml.readNext() != QXmlStreamReader::EndDocument) {
        throw Error(QCoreApplication::translate("FlatSpreadsheet", "A table of the working file cannot be read: %1")
                        .arg(xml.hasError() ? xml.errorString() : QStringLiteral("not one table")));
    }
    return RowTexts(std::move(rows));
}

QByteArray flatTable(const QString& name, const RowTexts& rows) {
    thread_local TableWriter writer;
    return writer.write(name, rows);
}

FlatSpreadsheet::FlatSpreadsheet(QFileDevice& device)
    : device_(device) {
    write(documentStart);
}

qint64 FlatSpreadsheet::add(const QByteArray& table) {
    const qint64 start = written_;
    write(table);
    return start;
}

void FlatSpreadsheet::finish() {
    write(documentEnd);
    if (failed_ || !device_.flush()) {
        throw FileError(device_.fileName(), device_.errorString());
    }
}

void FlatSpreadsheet::write(QByteArrayView bytes) {
    failed_ = failed_ || device_.write(bytes.data(), bytes.size()) != bytes.size();
    written_ += bytes.size();
}

} // namespace quillmere
