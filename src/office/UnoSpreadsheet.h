#pragma once

#include "import/Spreadsheet.h"
#include "office/TerminationVeto.h"

#include <QCoreApplication>

#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

#include <optional>

namespace quillmere::office {

namespace css = com::sun::star;

class UnoSheet final : public Sheet {
    Q_DECLARE_TR_FUNCTIONS(UnoSheet)

public:
    explicit UnoSheet(css::uno::Reference<css::sheet::XSpreadsheet> sheet);

    QString name() const override;
    SheetCapacity capacity() const override;
    std::unique_ptr<PreparedBlock> prepareBlock(const CellBlock& block) const override;
    void writePrepared(qint64 column, qint64 row, const PreparedBlock& block) override;

private:
    css::uno::Reference<css::sheet::XSpreadsheet> sheet_;
};

// The document's window is left as it is: a lock on its drawing would outlast a program that ends mid-write, and
// leave the user a window that shows none of the cells. Until the document is handed over or closed, or the object
// goes, its window refuses to close.
class UnoDocument final : public SpreadsheetDocument {
    Q_DECLARE_TR_FUNCTIONS(UnoDocument)

public:
    explicit UnoDocument(css::uno::Reference<css::sheet::XSpreadsheetDocument> document);

    int sheetCount() const override;
    std::unique_ptr<Sheet> sheetAt(int index) const override;
    void insertSheet(const QString& name, int position) override;
    void removeSheet(const QString& name) override;
    void handOver() override;
    void saveAs(const QString& path) override;
    void close() override;

    const css::uno::Reference<css::sheet::XSpreadsheetDocument>& unoDocument() const { return document_; }

private:
    css::uno::Reference<css::sheet::XSpreadsheetDocument> document_;
    std::optional<CloseVeto> windowVeto_;
};

} // namespace quillmere::office
