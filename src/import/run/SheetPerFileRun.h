#pragma once

#include "import/run/RunContext.h"
#include "import/workfile/SheetTextStore.h"

#include <QCoreApplication>

#include <random>

class QFileDevice;

namespace quillmere {

// Each file into a sheet of its own, named after the file, in list order, in one new document.
class SheetPerFileRun {
    Q_DECLARE_TR_FUNCTIONS(SheetPerFileRun)

public:
    explicit SheetPerFileRun(RunContext& context);

    // False when stopped early. Throws ImportError.
    bool run();

private:
    // What one file gives the flat file: its marked text, its table, and whether its cells are written after the
    // load, into the empty table that stands for it then.
    struct Table {
        QString marked;
        QByteArray xml;
        bool filledAfterLoad = false;
        XmlExclusions exclusions;
    };

    void checkSheetCount() const;
    std::vector<QString> sheetNamesFor(const std::vector<QString>& defaults);
    QString markedText(int file) const;
    std::vector<int> tableBlocks() const;
    Table table(int file, const SheetCapacity& capacity) const;
    bool readFiles(WorkFile* flatFile, SheetTextStore& stored);
    bool fillAfterLoad(const SpreadsheetDocument& document, const SheetTextStore& stored);
    bool insertSheetsOneByOne(WorkFile* flatFile, const SheetTextStore& stored);
    RowTexts sheetRows(int file, QFileDevice* flatFile, const SheetTextStore& stored) const;
    bool writeRows(Sheet& sheet, const RowTexts& rows, double from, double to);

    RunContext& context_;
    // Whether the office may load the flat file at all.
    const bool loads_;
    std::mt19937 random_;
    std::vector<QString> names_;
    // Where each file's table stands in the flat file, and whether its sheet is filled after the load.
    struct TableSpan {
        qint64 start = 0;
        qint64 end = 0;
        bool filledAfterLoad = false;
    };
    // In file order.
    std::vector<TableSpan> tables_;
};

} // namespace quillmere
