#include "import/job/WatchedOffice.h"

#include <QFileInfo>

namespace quillmere {
namespace {

// The office loads a large file at some megabytes a second; a hung one gets found within minutes even then.
constexpr qint64 loadedBytesPerSecond = 1'000'000;
constexpr std::chrono::minutes saveTime(10);

std::chrono::milliseconds loadTime(const QString& path) {
    return std::chrono::seconds(QFileInfo(path).size() / loadedBytesPerSecond);
}

class WatchedSheet final : public Sheet {
public:
    WatchedSheet(std::unique_ptr<Sheet> sheet, OfficeWatch& watch)
        : sheet_(std::move(sheet))
        , watch_(watch) {}

    QString name() const override {
        const auto call = watch_.call();
        return sheet_->name();
    }
    SheetCapacity capacity() const override {
        const auto call = watch_.call();
        return sheet_->capacity();
    }
    // Made here, not in the office.
    std::unique_ptr<PreparedBlock> prepareBlock(const CellBlock& block) const override {
        return sheet_->prepareBlock(block);
    }
    void writePrepared(qint64 column, qint64 row, const PreparedBlock& block) override {
        const auto call = watch_.call();
        sheet_->writePrepared(column, row, block);
    }

private:
    std::unique_ptr<Sheet> sheet_;
    OfficeWatch& watch_;
};

class WatchedDocument final : public SpreadsheetDocument {
public:
    WatchedDocument(std::unique_ptr<SpreadsheetDocument> document, OfficeWatch& watch)
        : document_(std::move(document))
        , watch_(watch) {}

    int sheetCount() const override {
        const auto call = watch_.call();
        return document_->sheetCount();
    }
    std::unique_ptr<Sheet> sheetAt(int index) const override {
        const auto call = watch_.call();
        return std::make_unique<WatchedSheet>(document_->sheetAt(index), watch_);
    }
    void insertSheet(const QString& name, int position) override {
        const auto call = watch_.call();
        document_->insertSheet(name, position);
    }
    void removeSheet(const QString& name) override {
        const auto call = watch_.call();
        document_->removeSheet(name);
    }
    void handOver() override {
        const auto call = watch_.call();
        document_->handOver();
    }
    // A large document takes the office a while to write.
    void saveAs(const QString& path) override {
        const auto call = watch_.call(saveTime);
        document_->saveAs(path);
    }
    void close() override {
        const auto call = watch_.call();
        document_->close();
    }

private:
    std::unique_ptr<SpreadsheetDocument> document_;
    OfficeWatch& watch_;
};

} // namespace

std::unique_ptr<SpreadsheetDocument> WatchedOffice::watched(std::unique_ptr<SpreadsheetDocument> document) {
    return document ? std::make_unique<WatchedDocument>(std::move(document), watch_) : nullptr;
}

std::unique_ptr<SpreadsheetDocument> WatchedOffice::openNewDocument() {
    const auto call = watch_.call();
    return watched(office_.openNewDocument());
}

std::unique_ptr<SpreadsheetDocument> WatchedOffice::openTextDocument(const QString& path, QChar separator, qint64 rows,
                                                                     qint64 columns, const QString& sheetName) {
    const auto call = watch_.call(loadTime(path));
    return watched(office_.openTextDocument(path, separator, rows, columns, sheetName));
}

std::unique_ptr<SpreadsheetDocument> WatchedOffice::openSpreadsheetFile(const QString& path) {
    const auto call = watch_.call(loadTime(path));
    return watched(office_.openSpreadsheetFile(path));
}

std::vector<QString> WatchedOffice::newDocumentSheetNames() {
    const auto call = watch_.call();
    return office_.newDocumentSheetNames();
}

} // namespace quillmere
