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

    std::unique_ptr<SpreadsheetDocument> openNewDocument() override;
    std::unique_ptr<SpreadsheetDocument> openTextDocument(const QString& path, qint64 rows, qint64 columns,
                                                          const QString& sheetName,
                                                          const std::function<void(double)>& progress) override;
    std::unique_ptr<SpreadsheetDocument> openSpreadsheetFile(const QString& path,
                                                             const std::function<void(double)>& progress) override;
    std::vector<QString> newDocumentSheetNames() override { return inner_.newDocumentSheetNames(); }
    // The last document opened, or null.
    const std::shared_ptr<SpreadsheetDocument>& lastDocument() const { return last_; }
    // How many documents came through the office's own import of a whole file, text or spreadsheet.
    int fileLoads() const { return fileLoads_; }

private:
    std::unique_ptr<SpreadsheetDocument> keep(std::unique_ptr<SpreadsheetDocument> document, bool fileLoad = false);

    SpreadsheetOffice& inner_;
    std::shared_ptr<SpreadsheetDocument> last_;
    int fileLoads_ = 0;
};

} // namespace quillmere::testing
