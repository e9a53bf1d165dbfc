#include "testsupport/FakeSpreadsheet.h"

#include "import/Error.h"

#include <QFile>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>

namespace quillmere::testing {
namespace {

using DocumentData = FakeSpreadsheet::DocumentData;
using SheetData = FakeSpreadsheet::SheetData;

// What a document's sheets share: its data and the office's settings.
struct Context {
    std::shared_ptr<DocumentData> data;
    const FakeSpreadsheet& office;

    // The office compares sheet names without letter case.
    auto find(const QString& name) const {
        return std::find_if(data->sheets.begin(), data->sheets.end(),
                            [&](const SheetData& sheet) { return sheet.name.compare(name, Qt::CaseInsensitive) == 0; });
    }
};

struct FakeBlock final : PreparedBlock {
    using PreparedBlock::PreparedBlock;
    std::vector<QString> texts;
};

class FakeSheet final : public Sheet {
public:
    FakeSheet(Context context, QString name)
        : context_(std::move(context))
        , name_(std::move(name)) {}

    QString name() const override { return name_; }
    SheetCapacity capacity() const override { return context_.office.capacity; }

    std::unique_ptr<PreparedBlock> prepareBlock(const CellBlock& block) const override {
        auto prepared = std::make_unique<FakeBlock>(block.width(), block.height());
        for (qsizetype i = 0; i < block.width() * block.height(); ++i) {
            prepared->texts.push_back(block.at(i / block.width(), i % block.width()).toString());
        }
        return prepared;
    }

    void writePrepared(qint64 column, qint64 row, const PreparedBlock& prepared) override {
        context_.office.beforeCall(QStringLiteral("writeBlock"));
        const auto& block = static_cast<const FakeBlock&>(prepared);
        const SheetCapacity room = capacity();
        if (column + block.width() > room.columns || row + block.height() > room.rows) {
            throw Error(QStringLiteral("block beyond the sheet"));
        }
        const auto sheet = context_.find(name_);
        if (sheet == context_.data->sheets.end()) {
            throw Error(QStringLiteral("the sheet is gone"));
        }
        DocumentData& data = *context_.data;
        data.largestBlockCells = std::max(data.largestBlockCells, block.width() * block.height());
        data.largestBlockRows = std::max(data.largestBlockRows, block.height());
        for (qsizetype i = 0; i < qsizetype(block.texts.size()); ++i) {
            sheet->put(column + i % block.width(), row + i / block.width(), block.texts[std::size_t(i)]);
        }
    }

private:
    Context context_;
    QString name_;
};

class FakeDocument final : public SpreadsheetDocument {
public:
    explicit FakeDocument(Context context)
        : context_(std::move(context)) {}

    int sheetCount() const override { return int(context_.data->sheets.size()); }

    std::unique_ptr<Sheet> sheetAt(int index) const override {
        if (index < 0 || index >= sheetCount()) {
            throw Error(QStringLiteral("no sheet at %1").arg(index));
        }
        return std::make_unique<FakeSheet>(context_, context_.data->sheets[std::size_t(index)].name);
    }

    void insertSheet(const QString& name, int position) override {
        context_.office.beforeCall(QStringLiteral("insertSheet ") + name);
        if (name.isEmpty() || context_.find(name) != context_.data->sheets.end()) {
            throw Error(QStringLiteral("the name \"%1\" is refused").arg(name));
        }
        auto& sheets = context_.data->sheets;
        sheets.insert(sheets.begin() + std::clamp(position, 0, sheetCount()), SheetData{name, {}});
    }

    void removeSheet(const QString& name) override {
        const auto sheet = context_.find(name);
        if (sheet == context_.data->sheets.end() || sheet->name != name) {
            throw Error(QStringLiteral("no sheet named \"%1\"").arg(name));
        }
        context_.data->sheets.erase(sheet);
    }

    void handOver() override {
        context_.office.beforeCall(QStringLiteral("handOver"));
        context_.data->handedOver = true;
    }
    void close() override { context_.data->closed = true; }
    const DocumentData& data() const { return *context_.data; }

private:
    Context context_;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("cannot load %1").arg(path));
    }
    return file.readAll();
}

// The office's text import of the run's working file: UTF-8 whose leading byte-order mark is no text, rows at LF (the
// only line end the run writes there), cells cut at the separator with no quoting, every cell text.
SheetData textSheet(const QString& path, QChar separator, const QString& name) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8(readAll(path));
    if (text.startsWith(u'\uFEFF')) {
        text.remove(0, 1);
    }
    SheetData sheet{name, {}};
    const QStringList rows = text.split(u'\n');
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const QStringList cells = rows[row].split(separator);
        for (qsizetype column = 0; column < cells.size(); ++column) {
            sheet.put(column, row, cells[column]);
        }
    }
    return sheet;
}

// Literal white space stays as it stands, and the space element adds its spaces; the office drops other elements,
// such as the tab element, in a cell.
QString readParagraph(QXmlStreamReader& xml) {
    QString text;
    for (auto token = xml.readNext(); token != QXmlStreamReader::EndElement && !xml.atEnd(); token = xml.readNext()) {
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"s") {
                text += QString(std::max(1, xml.attributes().value(u"text:c"_qs).toInt()), u' ');
            }
            xml.skipCurrentElement();
        } else if (token == QXmlStreamReader::Characters) {
            text += xml.text();
        }
    }
    return text;
}

// Each element's children, one by one: the named ones given to read, the others skipped.
template <typename Read>
void children(QXmlStreamReader& xml, QStringView name, Read read) {
    while (xml.readNextStartElement()) {
        if (xml.name() == name) {
            read();
        } else {
            xml.skipCurrentElement();
        }
    }
}

void readTable(QXmlStreamReader& xml, SheetData& sheet) {
    qint64 row = 0;
    children(xml, u"table-row", [&] {
        qint64 column = 0;
        children(xml, u"table-cell", [&] {
            children(xml, u"p", [&] { sheet.put(column, row, readParagraph(xml)); });
            ++column;
        });
        ++row;
    });
}

// The office's load of a flat OpenDocument spreadsheet as the run writes it: each table a sheet, each cell's one
// paragraph its text.
std::vector<SheetData> flatSheets(const QString& path) {
    QXmlStreamReader xml(readAll(path));
    std::vector<SheetData> sheets;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"table") {
            sheets.push_back({xml.attributes().value(u"table:name"_qs).toString(), {}});
            readTable(xml, sheets.back());
        }
    }
    if (xml.hasError()) {
        throw Error(QStringLiteral("%1 is no spreadsheet: %2").arg(path, xml.errorString()));
    }
    return sheets;
}

} // namespace

QString FakeSpreadsheet::SheetData::at(qint64 column, qint64 row) const {
    const auto it = cells.find({row, column});
    return it == cells.end() ? QString() : it->second;
}

void FakeSpreadsheet::SheetData::put(qint64 column, qint64 row, const QString& text) {
    if (text.isEmpty()) {
        cells.erase({row, column});
    } else {
        cells[{row, column}] = text;
    }
}

void FakeSpreadsheet::hangUntilAbandoned() {
    abandoned_.wait(false);
    throw Error(QStringLiteral("the office was given up"));
}

std::unique_ptr<SpreadsheetDocument> FakeSpreadsheet::open(std::vector<SheetData> sheets) {
    auto data = std::make_shared<DocumentData>();
    data->sheets = std::move(sheets);
    documents_.push_back(data);
    return std::make_unique<FakeDocument>(Context{data, *this});
}

std::unique_ptr<SpreadsheetDocument> FakeSpreadsheet::openNewDocument() {
    beforeCall(QStringLiteral("openNewDocument"));
    return open({{QStringLiteral("Sheet1"), {}}});
}

std::unique_ptr<SpreadsheetDocument> FakeSpreadsheet::openTextDocument(const QString& path, QChar separator, qint64,
                                                                       qint64, const QString& sheetName) {
    beforeCall(QStringLiteral("openTextDocument"));
    return bulkLoads ? open({textSheet(path, separator, sheetName)}) : nullptr;
}

std::unique_ptr<SpreadsheetDocument> FakeSpreadsheet::openSpreadsheetFile(const QString& path) {
    beforeCall(QStringLiteral("openSpreadsheetFile"));
    return bulkLoads ? open(flatSheets(path)) : nullptr;
}

inspect::DocumentContents FakeSpreadsheet::contentsOf(const SpreadsheetDocument& document) {
    return dynamic_cast<const FakeDocument&>(document).data().contents();
}

inspect::DocumentContents FakeSpreadsheet::DocumentData::contents() const {
    inspect::DocumentContents contents;
    for (const SheetData& sheet : sheets) {
        inspect::SheetContents read{sheet.name, {}, {}};
        for (const auto& [at, text] : sheet.cells) {
            const auto [row, column] = at;
            read.rows.resize(std::max(read.rows.size(), std::size_t(row + 1)));
            auto& cells = read.rows[std::size_t(row)];
            cells.resize(std::max(cells.size(), std::size_t(column + 1)));
            cells[std::size_t(column)] = text;
        }
        inspect::trim(read.rows);
        contents.push_back(std::move(read));
    }
    return contents;
}

} // namespace quillmere::testing
