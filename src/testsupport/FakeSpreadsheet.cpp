#include "testsupport/FakeSpreadsheet.h"

#include "base/Error.h"

#include <QFile>
#include <QStringList>

#include <algorithm>

namespace quillmere::testing {
namespace {

using DocumentData = FakeSpreadsheet::DocumentData;

// What a document's sheets share: its data and the office's settings.
struct Context {
    std::shared_ptr<DocumentData> data;
    const FakeSpreadsheet& office;

    // The office compares sheet names without letter case.
    auto find(const QString& name) const {
        return std::find_if(data->sheets.begin(), data->sheets.end(), [&](const inspect::SheetContents& sheet) {
            return sheet.name.compare(name, Qt::CaseInsensitive) == 0;
        });
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
        auto& rows = sheet->rows;
        rows.resize(std::max(rows.size(), std::size_t(row + block.height())));
        for (qsizetype r = 0; r < block.height(); ++r) {
            auto& cells = rows[std::size_t(row + r)];
            cells.resize(std::max(cells.size(), std::size_t(column + block.width())));
            std::copy_n(block.texts.begin() + r * block.width(), block.width(), cells.begin() + column);
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
        sheets.insert(sheets.begin() + std::clamp(position, 0, sheetCount()), inspect::SheetContents{name, {}, {}});
    }

    void removeSheet(const QString& name) override {
        const auto sheet = context_.find(name);
        if (sheet == context_.data->sheets.end()) {
            throw Error(QStringLiteral("no sheet named \"%1\"").arg(name));
        }
        context_.data->sheets.erase(sheet);
    }

    void handOver() override { context_.office.beforeCall(QStringLiteral("handOver")); }
    // The cells as text, "|" between cells and a line for each row, so that a test can tell what was saved.
    void saveAs(const QString& path) override {
        context_.office.beforeCall(QStringLiteral("saveAs"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            throw Error(file.errorString());
        }
        for (const auto& sheet : context_.data->sheets) {
            for (const auto& row : sheet.rows) {
                file.write(QStringList(row.begin(), row.end()).join(u'|').toUtf8() + '\n');
            }
        }
    }
    // Nothing of an office to let go of: the document stays readable for the test.
    void close() override {}
    const DocumentData& data() const { return *context_.data; }

private:
    Context context_;
};

} // namespace

void FakeSpreadsheet::hangUntilAbandoned() {
    abandoned_.wait(false);
    throw Error(QStringLiteral("the office was given up"));
}

std::unique_ptr<SpreadsheetDocument> FakeSpreadsheet::openNewDocument() {
    beforeCall(QStringLiteral("openNewDocument"));
    documents_.push_back(std::make_shared<DocumentData>());
    documents_.back()->sheets.push_back({QStringLiteral("Sheet1"), {}, {}});
    return std::make_unique<FakeDocument>(Context{documents_.back(), *this});
}

inspect::DocumentContents FakeSpreadsheet::contentsOf(const SpreadsheetDocument& document) {
    return dynamic_cast<const FakeDocument&>(document).data().contents();
}

inspect::DocumentContents FakeSpreadsheet::DocumentData::contents() const {
    inspect::DocumentContents contents = sheets;
    for (inspect::SheetContents& sheet : contents) {
        inspect::trim(sheet.rows);
    }
    return contents;
}

} // namespace quillmere::testing
