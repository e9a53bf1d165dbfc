#pragma once

#include "import/Spreadsheet.h"

#include <QString>

namespace quillmere::xlsx {

// Writes .xlsx workbooks from the run's own cells, with no office: as fast as the cells come, and, beyond a small
// input, with memory that does not grow with them, since each sheet's rows go to disk as they are written. So the
// sheets are written in their order and each from its top down: a sheet can be inserted or removed only before any
// sheet after it is written, and a block only below the rows already written. A document is saved once (saveAs) and
// never shown. Excel's rules hold: sheet names of at most 31 characters and never "History", cells of at most 32,767
// characters, every cell a string.
class XlsxWorkbook final : public SpreadsheetOffice {
public:
    // Workbooks are written in workFolder until they are saved: the output's folder, so that saving only renames.
    // inputBytes: how much text the files to be written hold in all.
    XlsxWorkbook(QString workFolder, qint64 inputBytes);

    std::unique_ptr<SpreadsheetDocument> openNewDocument() override;
    // No loads of whole files: every cell is written.
    std::unique_ptr<SpreadsheetDocument> openTextDocument(const QString&, QChar, qint64, qint64,
                                                          const QString&) override {
        return nullptr;
    }
    std::unique_ptr<SpreadsheetDocument> openSpreadsheetFile(const QString&) override { return nullptr; }
    std::vector<QString> newDocumentSheetNames() override { return {QStringLiteral("Sheet1")}; }
    OfficeLimits limits() const override;
    // Nothing here can hang.
    void abandon() override {}

private:
    QString workFolder_;
    qint64 inputBytes_;
    // Whether the system lets a workbook stream its sheets, each a file of its own.
    bool streams_;
};

} // namespace quillmere::xlsx
