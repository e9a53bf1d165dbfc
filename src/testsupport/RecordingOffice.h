#pragma once

#include "import/Spreadsheet.h"

#include <functional>
#include <memory>

namespace quillmere::testing {

// Passes documents through from another office and keeps hold of the last one, so a test can look into the
// document an import run opened after the run has let go of it.
class RecordingOffice final : public SpreadsheetOffice {
public:
    explicit RecordingOffice(SpreadsheetOffice& inner)
        : inner_(inner) {}
    explicit RecordingOffice(std::unique_ptr<SpreadsheetOffice> owned)
        : owned_(std::move(owned))
        , inner_(*owned_) {}

    std::unique_ptr<SpreadsheetDocument> openNewDocument() override { return keep(inner_.openNewDocument()); }
    std::unique_ptr<SpreadsheetDocument> openTextDocument(const QString& path, QChar separator, qint64 rows,
                                                          qint64 columns, const QString& sheetName) override {
        beforeLoad();
        return keep(inner_.openTextDocument(path, separator, rows, columns, sheetName), true);
    }
    std::unique_ptr<SpreadsheetDocument> openSpreadsheetFile(const QString& path) override {
        beforeLoad();
        return keep(inner_.openSpreadsheetFile(path), true);
    }
    std::vector<QString> newDocumentSheetNames() override { return inner_.newDocumentSheetNames(); }
    OfficeLimits limits() const override { return inner_.limits(); }
    void abandon() override { inner_.abandon(); }
    // Called before the office is asked to load a whole file, and before a document is handed over.
    std::function<void()> beforeLoad = [] {};
    std::function<void()> beforeHandOver = [] {};
    // The last document opened, or null.
    const std::shared_ptr<SpreadsheetDocument>& lastDocument() const { return last_; }
    // How many documents came through the office's own import of a whole file, text or spreadsheet.
    int fileLoads() const { return fileLoads_; }

private:
    // The run's own handle on a document the recorder holds too.
    class SharedDocument final : public SpreadsheetDocument {
    public:
        SharedDocument(std::shared_ptr<SpreadsheetDocument> document, const std::function<void()>& beforeHandOver)
            : document_(std::move(document))
            , beforeHandOver_(beforeHandOver) {}
        int sheetCount() const override { return document_->sheetCount(); }
        std::unique_ptr<Sheet> sheetAt(int index) const override { return document_->sheetAt(index); }
        void insertSheet(const QString& name, int position) override { document_->insertSheet(name, position); }
        void saveAs(const QString& path) override { document_->saveAs(path); }
        void removeSheet(const QString& name) override { document_->removeSheet(name); }
        void handOver() override {
            beforeHandOver_();
            document_->handOver();
        }
        void close() override { document_->close(); }

    private:
        std::shared_ptr<SpreadsheetDocument> document_;
        const std::function<void()>& beforeHandOver_;
    };

    std::unique_ptr<SpreadsheetDocument> keep(std::unique_ptr<SpreadsheetDocument> document, bool fileLoad = false) {
        if (!document) {
            return nullptr;
        }
        fileLoads_ += fileLoad ? 1 : 0;
        last_ = std::move(document);
        return std::make_unique<SharedDocument>(last_, beforeHandOver);
    }

    std::unique_ptr<SpreadsheetOffice> owned_;
    SpreadsheetOffice& inner_;
    std::shared_ptr<SpreadsheetDocument> last_;
    int fileLoads_ = 0;
};

} // namespace quillmere::testing
