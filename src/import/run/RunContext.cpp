#include "import/run/RunContext.h"

#include "import/text/FileError.h"
#include "import/text/RowsExtent.h"
#include "import/text/TextReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

namespace quillmere {
namespace {

// tr() takes its count as an int, and a file of gigabytes can need more rows or columns: such a count takes the plural
// form of a number with the same last nine digits, which decide the form in every language, and shows its own digits.
template <typename Text>
QString counted(qint64 count, Text text) {
    if (count <= std::numeric_limits<int>::max()) {
        return text(int(count));
    }
    constexpr qint64 nineDigits = 1'000'000'000;
    const int form = int(nineDigits + count % nineDigits);
    return text(form).replace(QString::number(form), QString::number(count));
}

QString countedRows(qint64 count) {
    return count == 1 ? RunContext::tr("1 row")
                      : counted(count, [](int n) { return RunContext::tr("%n rows", nullptr, n); });
}

QString countedColumns(qint64 count) {
    return count == 1 ? RunContext::tr("1 column")
                      : counted(count, [](int n) { return RunContext::tr("%n columns", nullptr, n); });
}

QString countedCharacters(qint64 count) {
    return count == 1 ? RunContext::tr("1 character")
                      : counted(count, [](int n) { return RunContext::tr("%n characters", nullptr, n); });
}

} // namespace

int RunContext::FileRows::fileOfRow(qsizetype row) const {
    return firstFile + int(std::upper_bound(firstRows.begin(), firstRows.end(), row) - firstRows.begin()) - 1;
}

qsizetype RunContext::FileRows::lineOfRow(qsizetype row) const {
    return row - firstRows[std::size_t(fileOfRow(row) - firstFile)] + 1;
}

RunContext::RunContext(SpreadsheetOffice& office, ImportRequest request, Progress progress, std::stop_token stop)
    : office_(office)
    , request_(std::move(request))
    , progress_(std::move(progress))
    , stop_(std::move(stop))
    , exclusions_(request_.paths.size()) {}

void RunContext::report(double fraction) {
    const int percent = std::clamp(int(fraction * 100.0), 0, 100);
    if (percent > reported_) {
        reported_ = percent;
        progress_(percent);
    }
}

void RunContext::reportLoading() {
    progress_(WaitingOnOffice);
}

void RunContext::fail(std::optional<int> file, const Error& error) const {
    const QString path = file ? request_.paths[*file].shown : QString();
    throw ImportError(path.isEmpty() ? error.message() : tr("Importing %1 failed.\n%2").arg(path, error.message()));
}

void RunContext::checkFits(const RowsExtent& extent, const SheetCapacity& capacity, const FileRows& files) const {
    const bool cellFits = extent.longestCell <= capacity.cellLength;
    if (cellFits && extent.rows <= capacity.rows && extent.columns <= capacity.columns) {
        return;
    }
    //: %1 says what does not fit.
    const QString outcome = tr("%1, so nothing was imported.");
    if (!cellFits) {
        // Only the .xlsx form has a limit of its own on a cell.
        const qsizetype row = extent.longestCellRow;
        fail(files.fileOfRow(row),
             Error(outcome.arg(tr("Line %1 holds a piece of %2 characters, but an .xlsx cell holds at most %3")
                                   .arg(files.lineOfRow(row))
                                   .arg(extent.longestCell)
                                   .arg(capacity.cellLength)) +
                   u' ' + tr("An .ods workbook keeps it whole.")));
    }
    const qsizetype firstMisfit = extent.rows > capacity.rows ? capacity.rows : extent.widestRow;
    fail(files.fileOfRow(firstMisfit),
         Error(outcome.arg(tr("It needs %1 and %2, but a sheet holds at most %3 and %4")
                               .arg(countedRows(extent.rows), countedColumns(extent.columns),
                                    countedRows(capacity.rows), countedColumns(capacity.columns)))));
}

void RunContext::keepExclusions(int file, const XmlExclusions& exclusions) {
    exclusions_[std::size_t(file)] = exclusions;
}

QStringList RunContext::notes() const {
    QStringList notes;
    if (workbookForm(request_.output) != WorkbookForm::OpenDocument) {
        return notes;
    }
    for (std::size_t file = 0; file < exclusions_.size(); ++file) {
        const XmlExclusions& left = exclusions_[file];
        if (left.count() == 0) {
            continue;
        }
        //: %2 is "N characters".
        notes << tr("%1: %2 left out that an .ods workbook cannot hold, the first in line %3 (control characters such "
                    "as ESC; an .xlsx workbook keeps them).")
                     .arg(request_.paths[qsizetype(file)].shown, countedCharacters(left.count()),
                          QString::number(left.firstRow() + 1));
    }
    return notes;
}

std::optional<MarkedText> RunContext::writeMarkedText(WorkFile& work, FileRows& files) {
    MarkedTextWriter writer(work, request_.rule, request_.customDelimiter);
    const int count = fileCount();
    for (int i = 0; i < count; ++i) {
        files.firstRows.push_back(writer.lineFeeds());
        writer.startFile();
        const auto stream = forFile(i, [&] { return std::make_unique<TextFileStream>(request_.paths[i]); });
        for (;;) {
            if (stop_.stop_requested()) {
                return std::nullopt;
            }
            const QString piece = forFile(i, [&] { return stream->next(); });
            if (piece.isEmpty()) {
                break;
            }
            writer.add(piece);
            report(readShare * (i + stream->fractionRead()) / count);
        }
    }
    MarkedText text = writer.finish();
    for (int i = 0; i < count; ++i) {
        keepExclusions(i, writer.exclusions()[std::size_t(i)]);
    }
    return text;
}

// The office's own import of the working file is many times quicker than writing cells, where it gives the very
// same cells: it drops NUL, and it would cut an overlong cell or stop at a sheet's end.
bool RunContext::loadsAsText(const MarkedText& text) const {
    const RowsExtent& extent = text.extent;
    const OfficeLimits limits = office_.limits();
    return extent.rows > 0 && extent.rows <= limits.sheet.rows && extent.columns <= limits.textLoadColumns &&
           extent.longestCell <= limits.textLoadCellLength && !text.holdsNul;
}

SpreadsheetDocument& RunContext::openNewDocument() {
    document_ = office_.openNewDocument();
    return *document_;
}

bool RunContext::loadAsText(const WorkFile& work, const RowsExtent& extent, const QString& sheetName) {
    reportLoading();
    document_ = office_.openTextDocument(work.path(), CellSeparator, extent.rows, extent.columns, sheetName);
    return document_ != nullptr;
}

SpreadsheetDocument* RunContext::loadSpreadsheetFile(const WorkFile& work) {
    reportLoading();
    document_ = office_.openSpreadsheetFile(work.path());
    return document_.get();
}

void RunContext::finish(bool complete) {
    if (!document_) {
        return;
    }
    if (request_.output.isEmpty()) {
        document_->handOver();
        return;
    }
    // A run asked to stop after its last step saves nothing either.
    if (complete && !stop_.stop_requested()) {
        const QString partial = partialOutputPath(request_.output);
        try {
            document_->saveAs(partial);
            // rename() replaces the output in one step; QFile::rename() would refuse an existing file.
            if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(request_.output).constData()) !=
                0) {
                throw FileError(request_.output, QString::fromLocal8Bit(std::strerror(errno)));
            }
        } catch (...) {
            QFile::remove(partial);
            throw;
        }
    }
    document_->close();
}

} // namespace quillmere
