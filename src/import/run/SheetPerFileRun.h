#pragma once

#include "import/workfile/KeptTexts.h"
#include "import/run/RunSteps.h"

#include <QCoreApplication>

#include <optional>
#include <random>

namespace quillmere {

// Each file into a sheet of its own, named after the file, in list order, in one new document.
class SheetPerFileRun {
    Q_DECLARE_TR_FUNCTIONS(SheetPerFileRun)

public:
    explicit SheetPerFileRun(RunSteps& steps);

    // False when stopped early. Throws ImportError.
    bool run();

private:
    // What one file gives the flat file: its marked text, its table, and whether its cells follow the load.
    struct Table {
        QString marked;
        QByteArray xml;
        bool later = false;
    };

    void checkSheetCount() const;
    std::vector<QString> sheetNamesFor(const std::vector<QString>& defaults);
    QString markedText(int file) const;
    std::vector<int> tableBlocks() const;
    Table table(int file, const SheetCapacity& capacity) const;
    bool writeFlatFile(WorkFile& work, KeptTexts& kept, std::vector<int>& later);
    bool fillLater(const SpreadsheetDocument& document, const KeptTexts& kept, const std::vector<int>& later);
    bool insertSheetsOneByOne(const KeptTexts& kept);
    bool writeRows(Sheet& sheet, const RowTexts& rows, int file, double from, double to);

    RunSteps& steps_;
    std::mt19937 random_;
    std::vector<QString> names_;
    // The one listed file, read into a working file for the office's text import, which could not take it.
    std::optional<WorkFile> onlyFile_;
};

} // namespace quillmere
