#pragma once

#include "import/Spreadsheet.h"

#include <QString>

#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace quillmere::testing {

// An in-memory stand-in for the office, for fast tests of the import logic. It refuses what the office refuses
// (a name taken in any letter case, an empty name, a missing sheet, a cell beyond the capacity) and records
// the largest block written.
class FakeSpreadsheet final : public SpreadsheetOffice {
public:
    struct SheetData {
        QString name;
        std::map<std::pair<qint64, qint64>, QString> cells; // (row, column) -> text; empty texts are not kept
        QString at(qint64 column, qint64 row) const;
    };
    struct DocumentData {
        std::vector<SheetData> sheets;
        qsizetype largestBlockCells = 0;
        qsizetype largestBlockRows = 0;
        bool closed = false;
    };

    SheetCapacity capacity{1'048'576, 16'384};
    // Called before every call with its name ("openNewDocument", "insertSheet Sales", "writeBlock"...); may throw,
    // or hang as a stopped office does (hangUntilAbandoned).
    std::function<void(const QString& call)> beforeCall = [](const QString&) {};

    std::unique_ptr<SpreadsheetDocument> openNewDocument() override;
    // The fake has no bulk import: its runs write every cell, which is what it records.
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
        return {.sheet = capacity, .sheets = 10'000, .textLoadColumns = 1'024, .textLoadCellLength = 65'535};
    }
    void abandon() override;
    // Waits as a call into a hung office does: until the office is abandoned, then fails.
    void hangUntilAbandoned();
    int documentsOpened() const { return int(documents_.size()); }
    const DocumentData& lastDocument() const { return *documents_.back(); }

private:
    std::vector<std::shared_ptr<DocumentData>> documents_;
    std::mutex abandonLock_;
    std::condition_variable abandoned_;
    bool isAbandoned_ = false;
};

} // namespace quillmere::testing
