#include "testsupport/FakeSpreadsheet.h"

#include "import/Error.h"

#include <algorithm>

namespace quillmere::testing {
namespace {

using DocumentData = FakeSpreadsheet::DocumentData;
using SheetData = FakeSpreadsheet::SheetData;

struct Context {
    std::shared_ptr<DocumentData> data;
    SheetCapacity capacity;
    std::function<void(const QString&)> beforeCall;

    void call(const QString& what) const {
        if (beforeCall) {
            beforeCall(what);
        }
    }
    SheetData* find(const QString& name) const {
        const auto it = std::find_if(data->sheets.begin(), data->sheets.end(), [&](const SheetData& sheet) {
            return sheet.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        return it == data->sheets.end() ? nullptr : &*it;
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
    SheetCapacity capacity() const override { return context_.capacity; }

    void setCellText(qint64 column, qint64 row, const QString& text) override {
        context_.call(QStringLiteral("setCellText"));
        put(column, row, text);
    }

    std::unique_ptr<PreparedBlock> prepareBlock(const CellBlock& block) const override {
        auto prepared = std::make_unique<FakeBlock>(block.width(), block.height());
        for (qsizetype r = 0; r < block.height(); ++r) {
            for (qsizetype c = 0; c < block.width(); ++c) {
                prepared->texts.push_back(block.at(r, c).toString());
            }
        }
        return prepared;
    }

    void writePrepared(qint64 column, qint64 row, const PreparedBlock& prepared) override {
        context_.call(QStringLiteral("writeBlock"));
        const auto& block = static_cast<const FakeBlock&>(prepared);
        if (column + block.width() > context_.capacity.columns || row + block.height() > context_.capacity.rows) {
            throw Error(QStringLiteral("block beyond the sheet"));
        }
        context_.data->largestBlockCells = std::max(context_.data->largestBlockCells, block.width() * block.height());
        context_.data->largestBlockRows = std::max(context_.data->largestBlockRows, block.height());
        for (qsizetype r = 0; r < block.height(); ++r) {
            for (qsizetype c = 0; c < block.width(); ++c) {
                put(column + c, row + r, block.texts[std::size_t(r * block.width() + c)]);
            }
        }
    }

private:
    void put(qint64 column, qint64 row, const QString& text) {
        SheetData* sheet = context_.find(name_);
        if (sheet == nullptr) {
            throw Error(QStringLiteral("the sheet is gone"));
        }
        if (text.isEmpty()) {
            sheet->cells.erase({row, column});
        } else {
            sheet->cells[{row, column}] = text;
        }
    }

    Context context_;
    QString name_;
};

class FakeDocument final : public SpreadsheetDocument {
public:
    explicit FakeDocument(Context context)
        : context_(std::move(context)) {}

    int sheetCount() const override { return int(context_.data->sheets.size()); }

    std::unique_ptr<Sheet> sheetAt(int index) const override {
        context_.call(QStringLiteral("sheetAt %1").arg(index));
        if (index < 0 || index >= sheetCount()) {
            throw Error(QStringLiteral("no sheet at %1").arg(index));
        }
        return std::make_unique<FakeSheet>(context_, context_.data->sheets[std::size_t(index)].name);
    }

    void insertSheet(const QString& name, int position) override {
        context_.call(QStringLiteral("insertSheet ") + name);
        if (name.isEmpty() || context_.find(name) != nullptr) {
            throw Error(QStringLiteral("the name \"%1\" is refused").arg(name));
        }
        auto& sheets = context_.data->sheets;
        sheets.insert(sheets.begin() + std::clamp(position, 0, sheetCount()), SheetData{name, {}});
    }

    void removeSheet(const QString& name) override {
        context_.call(QStringLiteral("removeSheet ") + name);
        auto& sheets = context_.data->sheets;
        const auto it = std::find_if(sheets.begin(), sheets.end(), [&](const SheetData& s) { return s.name == name; });
        if (it == sheets.end()) {
            throw Error(QStringLiteral("no sheet named \"%1\"").arg(name));
        }
        sheets.erase(it);
    }

    void close() override {
        context_.call(QStringLiteral("close"));
        context_.data->closed = true;
    }

private:
    Context context_;
};

} // namespace

QString FakeSpreadsheet::SheetData::at(qint64 column, qint64 row) const {
    const auto it = cells.find({row, column});
    return it == cells.end() ? QString() : it->second;
}

std::unique_ptr<SpreadsheetDocument> FakeSpreadsheet::openNewDocument() {
    auto data = std::make_shared<DocumentData>();
    for (const QString& name : newDocumentSheets) {
        data->sheets.push_back({name, {}});
    }
    documents_.push_back(data);
    return std::make_unique<FakeDocument>(Context{data, capacity, beforeCall});
}

} // namespace quillmere::testing
