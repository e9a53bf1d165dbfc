#include "import/run/FlatSpreadsheet.h"
#include "import/run/ImportRun.h"
#include "import/run/SheetNames.h"
#include "import/text/RowsExtent.h"
#include "import/text/TextReader.h"

#include <QFileDevice>

namespace quillmere {
namespace {

// Above this many cells in a file, block writes after the load fill its sheet sooner than the flat file.
constexpr qsizetype flatCellsPerFile = 200'000;

bool goesFlat(const QString& marked, const RowsExtent& extent) {
    return extent.rows * extent.columns <= flatCellsPerFile && canCarry(marked);
}

} // namespace

std::vector<QString> ImportRun::namesOfSheets(const std::vector<QString>& defaults) {
    TakenNames taken(defaults);
    std::vector<QString> names;
    for (const FilePath& path : request_.paths) {
        names.push_back(freeSheetName(KeepNameChars(GetFileName(path.shown)), taken, random_));
        taken.add(names.back());
    }
    return names;
}

RowTexts ImportRun::readRows(int file) const {
    return forFile(file, [&] {
        return SplitRows(MarkColumns(ReadTextFile(request_.paths[file]), request_.rule, request_.customDelimiter));
    });
}

bool ImportRun::runSheetPerFile() {
    const qsizetype count = request_.paths.size();
    const qsizetype maxSheets = office_.limits().sheets;
    if (count > maxSheets) {
        throw ImportError(
            QStringLiteral("%1 files were listed, but a Calc document holds at most %2 sheets, so nothing "
                           "was imported. Import them in parts of at most %2 files.")
                .arg(count)
                .arg(maxSheets));
    }
    const std::vector<QString> names = forFile(-1, [&] { return namesOfSheets(office_.newDocumentSheetNames()); });
    if (count == 1 && loadOneFileAsText(names.front())) {
        return true;
    }
    WorkFile work;
    std::vector<int> later;
    if (!writeFlatFile(work, names, later)) {
        return false;
    }
    reportLoading();
    const auto document = forFile(-1, [&] { return office_.openSpreadsheetFile(work.path()); });
    if (!document) {
        return insertSheetsOneByOne(names);
    }
    return fillLater(*document, later);
}

// One file makes a document of one sheet, which the office's own text import fills many times quicker than the
// flat file or block writes would, where it can.
bool ImportRun::loadOneFileAsText(const QString& name) {
    WorkFile work;
    FileRows files;
    const std::optional<MarkedText> text = writeMarkedText(work, files);
    if (!text) {
        return false;
    }
    checkFits(text->extent, office_.limits().sheet, files, Written::Nothing);
    return loadsAsText(*text) && forFile(0, [&] { return loadAsText(work, text->extent, name); });
}

// The tables stand in reverse list order, the last file's first, as sheets inserted one by one at the front do.
bool ImportRun::writeFlatFile(WorkFile& work, const std::vector<QString>& names, std::vector<int>& later) {
    QFileDevice& device = work.emptied();
    FlatSpreadsheet flat(device);
    const int count = int(request_.paths.size());
    for (int i = count - 1; i >= 0; --i) {
        if (stop_.stop_requested()) {
            return false;
        }
        const QString marked = forFile(
            i, [&] { return MarkColumns(ReadTextFile(request_.paths[i]), request_.rule, request_.customDelimiter); });
        const RowTexts rows = SplitRows(marked);
        const RowsExtent extent = measureRows(rows);
        checkFits(extent, office_.limits().sheet, FileRows{i, {0}}, Written::Nothing);
        if (goesFlat(marked, extent)) {
            flat.addTable(names[std::size_t(i)], rows);
        } else {
            flat.addTable(names[std::size_t(i)], RowTexts(QString()));
            later.push_back(i);
        }
        report(readShare * double(count - i) / double(count));
    }
    if (!flat.finish() || !device.flush()) {
        throw ImportError(
            QStringLiteral("Could not write the working file %1: %2").arg(work.path(), device.errorString()));
    }
    return true;
}

bool ImportRun::fillLater(const SpreadsheetDocument& document, const std::vector<int>& later) {
    const int count = int(request_.paths.size());
    const double share = (1.0 - readShare) * double(later.size()) / double(count);
    double from = 1.0 - share;
    for (const int i : later) {
        const double to = from + share / double(later.size());
        const bool complete = forFile(i, [&] {
            return writeRows(*document.sheetAt(count - 1 - i), readRows(i), FileRows{i, {0}}, from, to);
        });
        if (!complete) {
            return false;
        }
        from = to;
    }
    return true;
}

bool ImportRun::insertSheetsOneByOne(const std::vector<QString>& names) {
    const auto document = forFile(-1, [&] { return office_.openNewDocument(); });
    const std::vector<QString> defaults = forFile(-1, [&] { return sheetNames(*document); });
    const double count = double(request_.paths.size());
    for (int i = 0; i < int(request_.paths.size()); ++i) {
        if (stop_.stop_requested()) {
            return false;
        }
        const bool complete = forFile(i, [&] {
            const RowTexts rows = readRows(i);
            document->insertSheet(names[std::size_t(i)], 0);
            const auto sheet = document->sheetAt(0);
            report((i + readShare) / count);
            return writeRows(*sheet, rows, FileRows{i, {0}}, (i + readShare) / count, (i + 1) / count);
        });
        if (!complete) {
            return false;
        }
    }
    forFile(-1, [&] {
        for (const QString& name : defaults) {
            document->removeSheet(name);
        }
    });
    return true;
}

} // namespace quillmere
