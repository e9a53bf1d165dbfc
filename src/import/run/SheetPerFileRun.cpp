#include "import/run/SheetPerFileRun.h"

#include "import/run/OrderedParallelMap.h"
#include "import/run/RowWriter.h"
#include "import/run/SheetNames.h"
#include "import/run/SingleSheetRun.h"
#include "import/text/FileError.h"
#include "import/text/RowsExtent.h"
#include "import/text/TextReader.h"
#include "import/workfile/FlatSpreadsheet.h"

#include <QFileDevice>

#include <chrono>

namespace quillmere {
namespace {

// The files' tables are made in turns by two threads, in blocks of this many files at most, and of this many bytes
// unless one file is larger: each block's texts are held at once.
constexpr int filesPerBlock = 16;
constexpr qint64 bytesPerBlock = 4 << 20;

} // namespace

SheetPerFileRun::SheetPerFileRun(RunContext& context)
    : context_(context)
    , loads_(context.office().limits().loadsFiles)
    , random_(std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count())) {}

// Each file is read once. A lone file is the one-sheet case under its file's name. Otherwise each file becomes a
// table of a flat spreadsheet file that the office loads at once; a file that this form cannot carry, or that block
// writes fill sooner, gets an empty table there and its cells after the load, from the text stored meanwhile. An
// office that does not load the flat file whole gets the sheets one by one, read back from the flat file and the
// stored texts; one that never loads a file gets them from the stored texts alone.
bool SheetPerFileRun::run() {
    checkSheetCount();
    names_ = context_.forRun([&] { return sheetNamesFor(context_.office().newDocumentSheetNames()); });
    if (context_.fileCount() == 1) {
        return SingleSheetRun(context_, names_.front()).run();
    }
    WorkFile storeFile;
    SheetTextStore stored(storeFile, context_.fileCount());
    std::optional<WorkFile> flatFile;
    if (loads_) {
        flatFile.emplace();
    }
    if (!readFiles(flatFile ? &*flatFile : nullptr, stored)) {
        return false;
    }
    const SpreadsheetDocument* document =
        flatFile ? context_.forRun([&] { return context_.loadSpreadsheetFile(*flatFile); }) : nullptr;
    return document ? fillAfterLoad(*document, stored) : insertSheetsOneByOne(flatFile ? &*flatFile : nullptr, stored);
}

void SheetPerFileRun::checkSheetCount() const {
    const int count = context_.fileCount();
    const qsizetype maxSheets = context_.office().limits().sheets;
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
    const OfficeLimits limits = context_.office().limits();
    TakenNames taken(defaults);
    for (const QString& reserved : limits.reservedSheetNames) {
        taken.add(reserved);
    }
    std::vector<QString> names;
    const qsizetype maxLength = limits.sheetNameLength;
    for (const FilePath& path : context_.request().paths) {
        names.push_back(freeSheetName(keepNameChars(getFileName(path.shown)), taken, random_, maxLength));
        taken.add(names.back());
    }
    return names;
}

QString SheetPerFileRun::markedText(int file) const {
    const ImportRequest& request = context_.request();
    return context_.forFile(
        file, [&] { return markColumns(readTextFile(request.paths[file]), request.rule, request.customDelimiter); });
}

// Where the blocks of files end, in the order of the tables; a file whose size cannot be had counts as small, as its
// reading tells what is wrong with it.
std::vector<int> SheetPerFileRun::tableBlocks() const {
    std::vector<int> ends;
    qint64 blockBytes = 0;
    int blockFiles = 0;
    const int count = context_.fileCount();
    for (int k = 0; k < count; ++k) {
        blockBytes += fileSize(context_.request().paths[count - 1 - k]).value_or(0);
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
    RowTexts rows = splitRows(marked);
    const RowsExtent extent = measureRows(rows);
    context_.checkFits(extent, capacity, FileRows{file, {0}});
    XmlExclusions exclusions;
    exclusions.add(marked);
    const bool filledAfterLoad = !loads_ || !context_.loadsAsFlatTable(extent, exclusions);
    const QString& name = names_[std::size_t(file)];
    QByteArray xml = !loads_ ? QByteArray() : flatTable(name, filledAfterLoad ? RowTexts(QString()) : std::move(rows));
    return {filledAfterLoad ? std::move(marked) : QString(), std::move(xml), filledAfterLoad, exclusions};
}

// Each file read once, its text measured, and written as a table of the flat file or stored. The tables stand in
// reverse list order, the last file's first, as the sheets do.
bool SheetPerFileRun::readFiles(WorkFile* flatFile, SheetTextStore& stored) {
    std::optional<FlatSpreadsheet> flat;
    if (flatFile) {
        flat.emplace(flatFile->emptied());
    }
    const int count = context_.fileCount();
    const SheetCapacity capacity = context_.office().limits().sheet;
    OrderedParallelMap<Table> tables(tableBlocks(), [&](int k) { return table(count - 1 - k, capacity); });
    tables_.resize(std::size_t(count));
    for (int k = 0; k < count; ++k) {
        if (context_.stop().stop_requested()) {
            return false;
        }
        const int i = count - 1 - k;
        const Table next = tables.next();
        const qint64 start = flat ? flat->add(next.xml) : 0;
        tables_[std::size_t(i)] = {start, start + next.xml.size(), next.filledAfterLoad};
        context_.leftOut().keep(i, next.exclusions);
        if (next.filledAfterLoad) {
            context_.forFile(i, [&] { stored.store(i, next.marked); });
        }
        context_.report(RunContext::readShare * double(k + 1) / double(count));
    }
    if (flat) {
        flat->finish();
    }
    return true;
}

bool SheetPerFileRun::fillAfterLoad(const SpreadsheetDocument& document, const SheetTextStore& stored) {
    const int count = context_.fileCount();
    const auto filled =
        std::count_if(tables_.begin(), tables_.end(), [](const TableSpan& t) { return t.filledAfterLoad; });
    const double share = (1.0 - RunContext::readShare) * double(filled) / double(count);
    double from = 1.0 - share;
    // In the order of the tables, the last file's first.
    for (int i = count - 1; i >= 0; --i) {
        if (!tables_[std::size_t(i)].filledAfterLoad) {
            continue;
        }
        const double to = from + share / double(filled);
        const bool complete =
            context_.forFile(i, [&] { return writeRows(*document.sheetAt(count - 1 - i), stored.rows(i), from, to); });
        if (!complete) {
            return false;
        }
        from = to;
    }
    return true;
}

// In the order of the sheets, the last file's first: a writer that streams its sheets takes them only in this order.
bool SheetPerFileRun::insertSheetsOneByOne(WorkFile* flatFile, const SheetTextStore& stored) {
    SpreadsheetDocument& document =
        context_.forRun([&]() -> SpreadsheetDocument& { return context_.openNewDocument(); });
    const std::vector<QString> defaults = context_.forRun([&] { return sheetNames(document); });
    QFileDevice* flat = flatFile ? &flatFile->device() : nullptr;
    const int count = context_.fileCount();
    for (int k = 0; k < count; ++k) {
        if (context_.stop().stop_requested()) {
            return false;
        }
        const int i = count - 1 - k;
        const double from = (k + RunContext::readShare) / count, to = double(k + 1) / count;
        const bool complete = context_.forFile(i, [&] {
            const RowTexts rows = sheetRows(i, flat, stored);
            document.insertSheet(names_[std::size_t(i)], k);
            const auto sheet = document.sheetAt(k);
            context_.report(from);
            return writeRows(*sheet, rows, from, to);
        });
        if (!complete) {
            return false;
        }
    }
    context_.forRun([&] {
        for (const QString& name : defaults) {
            document.removeSheet(name);
        }
    });
    return true;
}

// A file's rows as the run holds them after its one reading: from its table in the flat file, or, where that stands
// empty, from its stored text.
RowTexts SheetPerFileRun::sheetRows(int file, QFileDevice* flatFile, const SheetTextStore& stored) const {
    const auto [start, end, filledAfterLoad] = tables_[std::size_t(file)];
    if (filledAfterLoad) {
        return stored.rows(file);
    }
    if (!flatFile->seek(start)) {
        throw FileError(flatFile->fileName(), flatFile->errorString());
    }
    const QByteArray table = flatFile->read(end - start);
    if (table.size() != end - start) {
        throw FileError(flatFile->fileName(), flatFile->errorString());
    }
    return readFlatTable(table);
}

bool SheetPerFileRun::writeRows(Sheet& sheet, const RowTexts& rows, double from, double to) {
    const double total = double(std::max<qsizetype>(rows.size(), 1));
    RowWriter writer(sheet, context_.stop(),
                     [&](qsizetype written) { context_.report(from + (to - from) * double(written) / total); });
    return writer.write(rows, 0);
}

} // namespace quillmere
