#pragma once

#include "import/Spreadsheet.h"
#include "testsupport/DocumentContents.h"

#include <QString>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace quillmere::testing {

// An in-memory stand-in for the office, for fast tests of the import logic. It refuses what the office refuses
// (a name taken in any letter case, an empty name, a missing sheet, a cell beyond the capacity) and finds a sheet by
// its name in any letter case. It has no bulk load,
// so runs write every cell: the office's own loads are held to the drawn cells against the real office only.
class FakeSpreadsheet final : public SpreadsheetOffice {
public:
    struct DocumentData {
        // The cells as written: a row may end in empty texts.
        inspect::DocumentContents sheets;
        // What the document holds, in the form the real office's documents are read back in, trimmed alike.
        inspect::DocumentContents contents() const;
    };

    SheetCapacity capacity{1'048'576, 16'384};
    // Called before every call with its name ("openNewDocument", "insertSheet Sales", "writeBlock"...); may throw,
    // or hang as a stopped office does (hangUntilAbandoned).
    std::function<void(const QString& call)> beforeCall = [](const QString&) {};

    std::unique_ptr<SpreadsheetDocument> openNewDocument() override;
    // No bulk load, as an office without one.
    std::unique_ptr<SpreadsheetDocument> openTextDocument(const QString&, QChar, qint64, qint64,
                                                          const QString&) override {
        beforeCall(QStringLiteral("openTextDocument"));
        return nullptr;
    }
    std::unique_ptr<SpreadsheetDocument> openSpreadsheetFile(const QString&) override {
        beforeCall(QStringLiteral("openSpreadsheetFile"));
        return nullptr;
    }
    std::vector<QString> newDocumentSheetNames() override {
        beforeCall(QStringLiteral("newDocumentSheetNames"));
        return {QStringLiteral("Sheet1")};
    }
    OfficeLimits limits() const override {
        return {.sheet = capacity,
                .sheets = 10'000,
                .textLoadColumns = std::min<qsizetype>(1'024, capacity.columns),
                .textLoadCellLength = 65'535};
    }
    void abandon() override {
        abandoned_ = true;
        abandoned_.notify_all();
    }
    // Waits as a call into a hung office does: until the office is abandoned, then fails.
    void hangUntilAbandoned();
    int documentsOpened() const { return int(documents_.size()); }
    const DocumentData& lastDocument() const { return *documents_.back(); }
    // What a document of this office holds.
    static inspect::DocumentContents contentsOf(const SpreadsheetDocument& document);

private:
    std::vector<std::shared_ptr<DocumentData>> documents_;
    std::atomic<bool> abandoned_ = false;
};

} // namespace quillmere::testing
