#include "import/ImportRun.h"

#include "import/FileError.h"
#include "import/ProblemList.h"
#include "import/RowWriter.h"
#include "import/SheetNames.h"
#include "import/TextReader.h"
#include "import/WorkFile.h"

#include <algorithm>
#include <chrono>
#include <future>

namespace quillmere {
namespace {

// The smallest sheet of the office versions in use: text beyond it is written in blocks, which checks the
// document's own limits first.
constexpr qsizetype textLoadRows = UsualSheetSize.rows;
constexpr qsizetype textLoadColumns = 1'024;
// The office's text import cuts a cell after this many characters.
constexpr qsizetype textLoadCellLength = 65'535;

} // namespace

// The office's own import of the working file is many times quicker than writing cells, where it gives the very
// same cells. It takes a lone CR for a line break and drops NUL, and it would cut an overlong cell or stop at a
// sheet's end.
bool ImportRun::loadsAsText(const QString& marked, const RowsExtent& extent) {
    if (extent.rows == 0 || extent.rows > textLoadRows || extent.columns > textLoadColumns ||
        extent.longestCell > textLoadCellLength || marked.contains(QChar(0))) {
        return false;
    }
    for (qsizetype at = marked.indexOf(u'\r'); at >= 0; at = marked.indexOf(u'\r', at + 1)) {
        if (at + 1 == marked.size() || marked[at + 1] != u'\n') {
            return false;
        }
    }
    return true;
}

int ImportRun::FileRows::fileOfRow(qsizetype row) const {
    return firstFile + int(std::upper_bound(firstRows.begin(), firstRows.end(), row) - firstRows.begin()) - 1;
}

void checkListedFiles(const QList<FilePath>& paths) {
    QStringList problems;
    for (const FilePath& path : paths) {
        try {
            checkReadable(path);
        } catch (const FileError& e) {
            problems << e.message();
        }
    }
    if (problems.isEmpty()) {
        return;
    }
    const QString heading =
        problems.size() == 1 ? QStringLiteral("This file cannot be read, so nothing was imported:")
                             : QStringLiteral("%1 files cannot be read, so nothing was imported:").arg(problems.size());
    throw ImportError(ProblemList(heading, problems));
}

ImportRun::ImportRun(SpreadsheetOffice& office, ImportRequest request, Progress progress, std::stop_token stop)
    : office_(office)
    , request_(std::move(request))
    , progress_(std::move(progress))
    , stop_(std::move(stop))
    , random_(std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count())) {}

bool ImportRun::run() {
    const bool complete = request_.layout == SheetLayout::SingleSheet ? runSingleSheet() : runSheetPerFile();
    if (complete) {
        report(1.0);
    }
    return complete;
}

void ImportRun::report(double fraction) {
    const int percent = std::clamp(int(fraction * 100.0), 0, 100);
    if (percent > reported_) {
        reported_ = percent;
        progress_(percent);
    }
}

void ImportRun::fail(int file, const Error& error) const {
    const QString path = file >= 0 ? request_.paths[file].shown : QString();
    throw ImportError(path.isEmpty() ? error.message()
                                     : QStringLiteral("Importing %1 failed.\n%2").arg(path, error.message()));
}

void ImportRun::checkFits(const RowsExtent& extent, const SheetCapacity& capacity, const FileRows& files) const {
    if (extent.rows > capacity.rows || extent.columns > capacity.columns) {
        const qsizetype firstMisfit = extent.rows > capacity.rows ? capacity.rows : extent.widestRow;
        fail(files.fileOfRow(firstMisfit),
             Error(QStringLiteral("It needs %1 rows and %2 columns; a sheet holds at most %3 rows and %4 "
                                  "columns. Nothing of this file was written.")
                       .arg(extent.rows)
                       .arg(extent.columns)
                       .arg(capacity.rows)
                       .arg(capacity.columns)));
    }
}

bool ImportRun::writeRows(Sheet& sheet, const RowTexts& rows, const FileRows& files, double from, double to) {
    checkFits(measureRows(rows), sheet.capacity(), files);
    const double total = double(std::max<qsizetype>(rows.size(), 1));
    RowWriter writer(sheet, stop_, [&](qsizetype written) { report(from + (to - from) * double(written) / total); });
    return writer.write(rows, 0);
}

std::optional<QString> ImportRun::readJoined(FileRows& files) {
    const auto count = request_.paths.size();
    QString joined;
    qsizetype lineFeeds = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (stop_.stop_requested()) {
            return std::nullopt;
        }
        files.firstRows.push_back(lineFeeds);
        try {
            const QString text = ReadTextFile(request_.paths[i]);
            lineFeeds += text.count(u'\n');
            joined += text;
        } catch (const Error& e) {
            fail(int(i), e);
        }
        report(readShare * double(i + 1) / double(count));
    }
    return joined;
}

bool ImportRun::runSingleSheet() {
    FileRows files;
    std::optional<QString> joined = readJoined(files);
    if (!joined) {
        return false;
    }
    const QString marked = MarkColumns(std::move(*joined), request_.rule, request_.customDelimiter);
    const RowTexts rows = SplitRows(marked);
    const RowsExtent extent = measureRows(rows);
    return forFile(-1, [&] {
        return (loadsAsText(marked, extent) && loadAsText(marked, extent, office_.newDocumentSheetNames().front())) ||
               writeIntoNewDocument(rows, files);
    });
}

bool ImportRun::loadAsText(const QString& marked, const RowsExtent& extent, const QString& sheetName) {
    WorkFile work;
    WriteWorkFile(work, marked);
    const auto loading = [this](double fraction) { report(readShare + (1.0 - readShare) * fraction); };
    return office_.openTextDocument(work.path(), extent.rows, extent.columns, sheetName, loading) != nullptr;
}

bool ImportRun::writeIntoNewDocument(const RowTexts& rows, const FileRows& files) {
    const auto document = office_.openNewDocument();
    const std::vector<QString> defaults = sheetNames(*document);
    try {
        if (!writeRows(*document->sheetAt(0), rows, files, readShare, 1.0)) {
            return false;
        }
    } catch (const ImportError&) {
        // Only rows that do not fit end here, before a cell was written: the empty document would be litter.
        document->close();
        throw;
    }
    for (std::size_t i = 1; i < defaults.size(); ++i) {
        document->removeSheet(defaults[i]);
    }
    return true;
}

} // namespace quillmere
