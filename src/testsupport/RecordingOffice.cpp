#include "testsupport/RecordingOffice.h"

namespace quillmere::testing {
namespace {

class SharedDocument final : public SpreadsheetDocument {
public:
    explicit SharedDocument(std::shared_ptr<SpreadsheetDocument> document)
        : document_(std::move(document)) {}

    int sheetCount() const override { return document_->sheetCount(); }
    std::unique_ptr<Sheet> sheetAt(int index) const override { return document_->sheetAt(index); }
    void insertSheet(const QString& name, int position) override { document_->insertSheet(name, position); }
    void removeSheet(const QString& name) override { document_->removeSheet(name); }
    void close() override { document_->close(); }

private:
    std::shared_ptr<SpreadsheetDocument> document_;
};

} // namespace

std::unique_ptr<SpreadsheetDocument> RecordingOffice::openNewDocument() {
    return keep(inner_.openNewDocument());
}

std::unique_ptr<SpreadsheetDocument> RecordingOffice::openTextDocument(const QString& path, qint64 rows, qint64 columns,
                                                                       const QString& sheetName,
                                                                       const std::function<void(double)>& progress) {
    return keep(inner_.openTextDocument(path, rows, columns, sheetName, progress), true);
}

std::unique_ptr<SpreadsheetDocument> RecordingOffice::openSpreadsheetFile(const QString& path,
                                                                          const std::function<void(double)>& progress) {
    return keep(inner_.openSpreadsheetFile(path, progress), true);
}

std::unique_ptr<SpreadsheetDocument> RecordingOffice::keep(std::unique_ptr<SpreadsheetDocument> document, bool fileLoad) {
    if (!document) {
        return nullptr;
    }
    fileLoads_ += fileLoad ? 1 : 0;
    last_ = std::move(document);
    return std::make_unique<SharedDocument>(last_);
}

} // namespace quillmere::testing
