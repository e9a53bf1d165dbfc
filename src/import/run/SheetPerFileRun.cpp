#include "import/run/SheetPerFileRun.h"

#include "import/workfile/FlatSpreadsheet.h"
#include "import/job/OrderedParallelMap.h"
#include "import/run/RowWriter.h"
#include "import/run/SheetNames.h"
#include "import/text/FileError.h"
#include "import/text/RowsExtent.h"
#include "import/text/TextReader.h"

#include <QFileDevice>

#include <chrono>

namespace quillmere {
namespace {

// Above this many cells in a file, block writes after the load fill its sheet sooner than the flat file.
constexpr qsizetype flatCellsPerFile = 200'000;

bool goesFlat(const QString& marked, const RowsExtent& extent) {
    return extent.rows * extent.columns <= flatCellsPerFile && canCarry(marked);
}

// The files' tables are made in turns by two threads, in blocks of this many files at most, and of this many bytes
// unless one file is larger: each block's texts are held at once.
constexpr int filesPerBlock = 16;
constexpr qint64 bytesPerBlock = 4 << 20;

} // namespace

SheetPerFileRun::SheetPerFileRun(RunSteps& steps)
    : steps_(steps)
    , random_(std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count())) {}

// Each file is read once. A lone file goes to the office's text import where it can. Otherwise each file becomes a
// table of a flat spreadsheet file that the office loads at once; a file that this form cannot carry, or that block
// writes fill sooner, gets an empty table there and its cells after the load, from the text stored meanwhile. An
// office that does not load the flat file whole gets the sheets one by one, read back from the flat file and the
// stored texts.
bool SheetPerFileRun::run() {
    checkSheetCount();
    names_ = steps_.forFile(-1, [&] { return sheetNamesFor(steps_.office().newDocumentSheetNames()); });
    if (steps_.fileCount() == 1) {
        RunSteps::FileRows files;
        const std::optional<MarkedText> text = steps_.writeMarkedText(onlyFile_.emplace(), files);
        if (!text) {
            return false;
        }
        steps_.checkFits(text->extent, steps_.office().limits().sheet, files, RunSteps::Written::Nothing);
        if (steps_.loadsAsText(*text) &&
            steps_.forFile(0, [&] { return steps_.loadAsText(*onlyFile_, text->extent, names_.front()); })) {
            return true;
        }
    }
    WorkFile flatFile, storeFile;
    SheetTextStore stored(storeFile, steps_.fileCount());
    if (!writeFlatFile(flatFile, stored)) {
        return false;
    }
    const SpreadsheetDocument* document = steps_.forFile(-1, [&] { return steps_.loadSpreadsheetFile(flatFile); });
    return document ? fillAfterLoad(*document, stored) : insertSheetsOneByOne(flatFile, stored);
}

void SheetPerFileRun::checkSheetCount() const {
    const int count = steps_.fileCount();
    const qsizetype maxSheets = steps_.office().limits().sheets;
    if (count > maxSheets) {
        const QString listed = tr("%n files were listed", nullptr, count);
        //: %1 is "N files were listed".
        throw ImportError(tr("%1, but a Calc document holds at most %n sheets, so nothing was imported. Import them in "
                             "parts of at most %n files.",
                             nullptr, int(maxSheets))
                              .arg(listed));
    }
}

std::vector<QString> SheetPerFileRun::sheetNamesFor(const std::vector<QString>& defaults) {
    TakenNames taken(defaults);
    std::vector<QString> names;
    for (const FilePath& path : steps_.request().paths) {
        names.push_back(freeSheetName(KeepNameChars(GetFileName(path.shown)), taken, random_));
        taken.add(names.back());
    }
    return names;
}

// The lone file that the text import could not take is read back from its working file, not again from the list.
QString SheetPerFileRun::markedText(int file) const {
    const ImportRequest& request = steps_.request();
    return steps_.forFile(file, [&] {
        return onlyFile_ ? readMarkedText(*onlyFile_)
                         : MarkColumns(ReadTextFile(request.paths[file]), request.rule, request.customDelimiter);
    });
}

// Where the blocks of files end, in the order of the tables; a file whose size cannot be had counts as small, as its
// reading tells what is wrong with it.
std::vector<int> SheetPerFileRun::tableBlocks() const {
    std::vector<int> ends;
    qint64 blockBytes = 0;
    int blockFiles = 0;
    const int count = steps_.fileCount();
    for (int k = 0; k < count; ++k) {
        blockBytes += fileSize(steps_.request().paths[count - 1 - k]).value_or(0);
        if (++blockFiles == filesPerBlock || blockBytes >= bytesPerBlock || k + 1 == count) {
            ends.push_back(k + 1);
            blockBytes = 0;
            blockFiles = 0;
        }
    }
    return ends;
}

// A file's table, from its one reading; in a sheet's capacity, or the run ends here.
SheetPerFileRun::Table SheetPerFileRun::table(int file, const SheetCapacity& capacity) const {
    QString marked = markedText(file);
    const RowTexts rows = SplitRows(marked);
    const RowsExtent extent = measureRows(rows);
    steps_.checkFits(extent, capacity, RunSteps::FileRows{file, {0}}, RunSteps::Written::Nothing);
    const bool filledAfterLoad = !goesFlat(marked, extent);
    const QString& name = names_[std::size_t(file)];
    QByteArray xml = filledAfterLoad ? FlatTable(name, RowTexts(QString())) : FlatTable(name, rows);
    return {filledAfterLoad ? std::move(marked) : QString(), std::move(xml), filledAfterLoad};
}

// The tables stand in reverse list order, the last file's first, as sheets inserted one by one at the front do.
bool SheetPerFileRun::writeFlatFile(WorkFile& work, SheetTextStore& stored) {
    QFileDevice& device = work.emptied();
    FlatSpreadsheet flat(device);
    const int count = steps_.fileCount();
    const SheetCapacity capacity = steps_.office().limits().sheet;
    OrderedParallelMap<Table> tables(tableBlocks(), [&](int k) { return table(count - 1 - k, capacity); });
    tables_.resize(std::size_t(count));
    for (int k = 0; k < count; ++k) {
        if (steps_.stop().stop_requested()) {
            return false;
        }
        const int i = count - 1 - k;
        const Table next = tables.next();
        const qint64 start = flat.add(next.xml);
        tables_[std::size_t(i)] = {start, start + next.xml.size()};
        if (next.filledAfterLoad) {
            steps_.forFile(i, [&] { stored.store(i, next.marked); });
            filledAfterLoad_.push_back(i);
        }
        steps_.report(RunSteps::readShare * double(k + 1) / double(count));
    }
    if (!flat.finish() || !device.flush()) {
        throw ImportError(tr("Could not write the working file %1: %2").arg(work.path(), device.errorString()));
    }
    return true;
}

bool SheetPerFileRun::fillAfterLoad(const SpreadsheetDocument& document, const SheetTextStore& stored) {
    const int count = steps_.fileCount();
    const double share = (1.0 - RunSteps::readShare) * double(filledAfterLoad_.size()) / double(count);
    double from = 1.0 - share;
    for (const int i : filledAfterLoad_) {
        const double to = from + share / double(filledAfterLoad_.size());
        const bool complete = steps_.forFile(
            i, [&] { return writeRows(*document.sheetAt(count - 1 - i), stored.rows(i), i, from, to); });
        if (!complete) {
            return false;
        }
        from = to;
    }
    return true;
}

bool SheetPerFileRun::insertSheetsOneByOne(WorkFile& flatFile, const SheetTextStore& stored) {
    SpreadsheetDocument& document =
        steps_.forFile(-1, [&]() -> SpreadsheetDocument& { return steps_.openNewDocument(); });
    const std::vector<QString> defaults = steps_.forFile(-1, [&] { return sheetNames(document); });
    QFileDevice& flat = flatFile.device();
    const int count = steps_.fileCount();
    for (int i = 0; i < count; ++i) {
        if (steps_.stop().stop_requested()) {
            return false;
        }
        const double from = (i + RunSteps::readShare) / count, to = double(i + 1) / count;
        const bool complete = steps_.forFile(i, [&] {
            const RowTexts rows = sheetRows(i, flat, stored);
            document.insertSheet(names_[std::size_t(i)], 0);
            const auto sheet = document.sheetAt(0);
            steps_.report(from);
            return writeRows(*sheet, rows, i, from, to);
        });
        if (!complete) {
            return false;
        }
    }
    steps_.forFile(-1, [&] {
        for (const QString& name : defaults) {
            document.removeSheet(name);
        }
    });
    return true;
}

// A file's rows as the run holds them after its one reading: from its table in the flat file, or, where that stands
// empty, from its stored text.
RowTexts SheetPerFileRun::sheetRows(int file, QFileDevice& flatFile, const SheetTextStore& stored) const {
    if (std::find(filledAfterLoad_.begin(), filledAfterLoad_.end(), file) != filledAfterLoad_.end()) {
        return stored.rows(file);
    }
    const auto [start, end] = tables_[std::size_t(file)];
    if (!flatFile.seek(start)) {
        throw FileError(flatFile.fileName(), flatFile.errorString());
    }
    const QByteArray table = flatFile.read(end - start);
    if (table.size() != end - start) {
        throw FileError(flatFile.fileName(), flatFile.errorString());
    }
    return readFlatTable(table);
}

bool SheetPerFileRun::writeRows(Sheet& sheet, const RowTexts& rows, int file, double from, double to) {
    steps_.checkFits(measureRows(rows), sheet.capacity(), RunSteps::FileRows{file, {0}}, RunSteps::Written::OtherFiles);
    const double total = double(std::max<qsizetype>(rows.size(), 1));
    RowWriter writer(sheet, steps_.stop(),
                     [&](qsizetype written) { steps_.report(from + (to - from) * double(written) / total); });
    return writer.write(rows, 0);
}

} // namespace quillmere
