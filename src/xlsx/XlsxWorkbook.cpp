#include "xlsx/XlsxWorkbook.h"

#include "base/Error.h"
#include "base/Leftovers.h"
#include "xlsx/XlsxText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <xlsxwriter.h>

namespace quillmere::xlsx {
namespace {

constexpr SheetCapacity excelSheet{1'048'576, 16'384, 32'767};
// A small input is held in memory until it is saved: streamed, each sheet has a file of its own, which costs more than
// the cells of a small one.
constexpr qint64 maxBytesHeld = 4 << 20;
// The zip extensions for files past 4 GB, only where a file may come near it: some readers know nothing of them. A
// cell's XML holds some forty bytes beside its text, so short cells can grow twentyfold.
constexpr qint64 maxBytesWithoutExtensions = 128LL << 20;
constexpr int excelNameLength = 31;
// Excel keeps this name for a sheet of its own.
const QString reservedName = QStringLiteral("History");

// Each sheet being streamed holds a file open until the workbook is saved: a workbook of as many sheets as a run makes
// needs more than the 1,024 that most systems allow at first, and the hard limit is there to be taken. False where
// even that is too few: then the cells are held.
bool allowOpenFilesForSheets(qsizetype sheets) {
    rlimit limit{};
    const rlim_t wanted = rlim_t(sheets) + 1024;
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_max < wanted) {
        return false;
    }
    if (limit.rlim_cur < wanted) {
        limit.rlim_cur = wanted;
        return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
    }
    return true;
}

// What a workbook is written to until it is saved: named after the process, so that a later run removes it where
// this one was killed, and unique within it.
QString unfinishedPath(const QString& folder) {
    static std::atomic<int> made = 0;
    return QDir(folder).filePath(QStringLiteral(".%1%2.xlsx").arg(ownNamePrefix()).arg(++made));
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

bool sameName(const QString& a, const QString& b) {
    return a.toCaseFolded() == b.toCaseFolded();
}

bool takesName(const QString& name) {
    constexpr QStringView refused = u"[]:*?/\\";
    return !name.isEmpty() && name.size() <= excelNameLength && !name.startsWith(u'\'') && !name.endsWith(u'\'') &&
           std::none_of(name.begin(), name.end(), [&](QChar c) { return refused.contains(c); }) &&
           !sameName(name, reservedName);
}

struct XlsxBlock final : PreparedBlock {
    explicit XlsxBlock(const CellBlock& block)
        : PreparedBlock(block.width(), block.height()) {
        cells.reserve(std::size_t(block.width() * block.height()));
        for (qsizetype r = 0; r < block.height(); ++r) {
            for (qsizetype c = 0; c < block.width(); ++c) {
                cells.push_back(cellText(block.at(r, c)));
            }
        }
    }
    std::vector<QByteArray> cells;
};

class XlsxDocument;

// A sheet of the workbook, as the run knows it: its name, and once it is written, its worksheet in the file.
struct SheetRecord {
    QString name;
    lxw_worksheet* worksheet = nullptr;
    qint64 nextRow = 0;
};

class XlsxSheet final : public Sheet {
public:
    XlsxSheet(XlsxDocument& document, SheetRecord& record)
        : document_(document)
        , record_(record) {}

    QString name() const override { return record_.name; }
    SheetCapacity capacity() const override { return excelSheet; }
    std::unique_ptr<PreparedBlock> prepareBlock(const CellBlock& block) const override {
        return std::make_unique<XlsxBlock>(block);
    }
    void writePrepared(qint64 column, qint64 row, const PreparedBlock& block) override;

private:
    XlsxDocument& document_;
    SheetRecord& record_;
};

class XlsxDocument final : public SpreadsheetDocument {
    Q_DECLARE_TR_FUNCTIONS(XlsxDocument)

public:
    XlsxDocument(const QString& workFolder, qint64 inputBytes, bool streams)
        : path_(unfinishedPath(workFolder)) {
        lxw_workbook_options options{};
        options.constant_memory = streams && inputBytes > maxBytesHeld ? LXW_TRUE : LXW_FALSE;
        options.use_zip64 = inputBytes > maxBytesWithoutExtensions ? LXW_TRUE : LXW_FALSE;
        const QByteArray temporaryFolder = encoded(QDir::tempPath());
        options.tmpdir = const_cast<char*>(temporaryFolder.constData()); // copied by the library
        workbook_ = workbook_new_opt(encoded(path_).constData(), &options);
        if (!workbook_) {
            throw Error(tr("Could not begin the workbook %1").arg(path_));
        }
        sheets_.push_back(std::make_unique<SheetRecord>(SheetRecord{QStringLiteral("Sheet1")}));
        names_.insert(sheets_.back()->name.toCaseFolded());
    }
    ~XlsxDocument() override { discard(); }
    XlsxDocument(const XlsxDocument&) = delete;
    XlsxDocument& operator=(const XlsxDocument&) = delete;

    int sheetCount() const override { return int(sheets_.size()); }
    std::unique_ptr<Sheet> sheetAt(int index) const override {
        if (index < 0 || index >= sheetCount()) {
            throw Error(tr("There is no sheet at position %1").arg(index));
        }
        return std::make_unique<XlsxSheet>(const_cast<XlsxDocument&>(*this), *sheets_[std::size_t(index)]);
    }
    void insertSheet(const QString& name, int position) override;
    void removeSheet(const QString& name) override;
    void handOver() override { throw Error(tr("An .xlsx workbook is saved, never shown")); }
    void saveAs(const QString& path) override;
    void close() override { discard(); }

    // The sheet's worksheet in the file, made now where it is not yet, and every sheet's before it.
    lxw_worksheet* worksheetOf(const SheetRecord& record);

private:
    void checkOpen() const {
        if (!workbook_) {
            throw Error(tr("The workbook is saved or closed already"));
        }
    }
    std::size_t indexOf(const QString& name) const {
        const auto found = std::find_if(sheets_.begin(), sheets_.end(),
                                        [&](const auto& sheet) { return sameName(sheet->name, name); });
        return std::size_t(found - sheets_.begin());
    }
    void discard();

    QString path_;
    lxw_workbook* workbook_ = nullptr;
    // In position order; the first written of them are in the file already.
    std::vector<std::unique_ptr<SheetRecord>> sheets_;
    // Their names as compared: in any letter case.
    QSet<QString> names_;
    std::size_t written_ = 0;
};

void XlsxDocument::insertSheet(const QString& name, int position) {
    checkOpen();
    const QString refused = tr("The sheet \"%1\" cannot be inserted: ").arg(name);
    if (!takesName(name)) {
        throw Error(refused + tr("an .xlsx workbook takes no such name"));
    }
    if (names_.contains(name.toCaseFolded())) {
        throw Error(refused + tr("the workbook has a sheet of that name"));
    }
    if (position < int(written_) || position > sheetCount()) {
        throw Error(refused + tr("there is no position %1 before the sheets still to be written").arg(position));
    }
    sheets_.insert(sheets_.begin() + position, std::make_unique<SheetRecord>(SheetRecord{name}));
    names_.insert(name.toCaseFolded());
}

void XlsxDocument::removeSheet(const QString& name) {
    checkOpen();
    const std::size_t index = indexOf(name);
    if (index == sheets_.size() || index < written_) {
        throw Error(
            tr("The sheet \"%1\" cannot be removed: the workbook has no such sheet still to be written").arg(name));
    }
    names_.remove(sheets_[index]->name.toCaseFolded());
    sheets_.erase(sheets_.begin() + qsizetype(index));
}

lxw_worksheet* XlsxDocument::worksheetOf(const SheetRecord& record) {
    checkOpen();
    while (!record.worksheet && written_ < sheets_.size()) {
        SheetRecord& next = *sheets_[written_];
        next.worksheet = workbook_add_worksheet(workbook_, next.name.toUtf8().constData());
        if (!next.worksheet) {
            throw Error(tr("Could not add the sheet \"%1\" to the workbook (%2)")
                            .arg(next.name, QString::fromLocal8Bit(std::strerror(errno))));
        }
        ++written_;
    }
    if (!record.worksheet) {
        throw Error(tr("The sheet \"%1\" is no longer in the workbook").arg(record.name));
    }
    return record.worksheet;
}

void XlsxDocument::saveAs(const QString& path) {
    checkOpen();
    if (!sheets_.empty()) {
        worksheetOf(*sheets_.back());
    }
    const lxw_error closed = workbook_close(std::exchange(workbook_, nullptr));
    const QString failed = tr("Could not save the workbook as %1").arg(path);
    if (closed != LXW_NO_ERROR) {
        QFile::remove(path_);
        throw Error(QStringLiteral("%1: %2").arg(failed, QString::fromUtf8(lxw_strerror(closed))));
    }
    if (std::rename(encoded(path_).constData(), encoded(path).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(path_);
        throw Error(QStringLiteral("%1: %2").arg(failed, reason));
    }
}

// The library frees a workbook without writing it, but leaves the files of its sheets open.
void XlsxDocument::discard() {
    if (!workbook_) {
        return;
    }
    for (std::size_t i = 0; i < written_; ++i) {
        if (FILE* rows = sheets_[i]->worksheet->optimize_tmpfile) {
            std::fclose(rows);
        }
    }
    lxw_workbook_free(std::exchange(workbook_, nullptr));
    QFile::remove(path_);
}

void XlsxSheet::writePrepared(qint64 column, qint64 row, const PreparedBlock& block) {
    const auto& cells = static_cast<const XlsxBlock&>(block).cells;
    if (column < 0 || row < 0 || column + block.width() > excelSheet.columns ||
        row + block.height() > excelSheet.rows || row < record_.nextRow) {
        throw Error(XlsxDocument::tr("Could not write rows %1 to %2 of the sheet \"%3\": they lie beyond the sheet or "
                                     "above rows already written")
                        .arg(row + 1)
                        .arg(row + block.height())
                        .arg(record_.name));
    }
    lxw_worksheet* worksheet = document_.worksheetOf(record_);
    for (qsizetype r = 0; r < block.height(); ++r) {
        for (qsizetype c = 0; c < block.width(); ++c) {
            const QByteArray& text = cells[std::size_t(r * block.width() + c)];
            if (text.isEmpty()) {
                continue;
            }
            const lxw_error written =
                worksheet_write_string(worksheet, lxw_row_t(row + r), lxw_col_t(column + c), text.constData(), nullptr);
            if (written != LXW_NO_ERROR) {
                throw Error(XlsxDocument::tr("Could not write row %1: %2")
                                .arg(row + r + 1)
                                .arg(QString::fromUtf8(lxw_strerror(written))));
            }
        }
    }
    record_.nextRow = row + block.height();
}

} // namespace

XlsxWorkbook::XlsxWorkbook(QString workFolder, qint64 inputBytes)
    : workFolder_(std::move(workFolder))
    , inputBytes_(inputBytes)
    , streams_(allowOpenFilesForSheets(limits().sheets)) {}

std::unique_ptr<SpreadsheetDocument> XlsxWorkbook::openNewDocument() {
    return std::make_unique<XlsxDocument>(workFolder_, inputBytes_, streams_);
}

OfficeLimits XlsxWorkbook::limits() const {
    // As many sheets as a Calc document holds, so that a list gives the same workbook in either form.
    return {.sheet = excelSheet,
            .sheets = 10'000,
            .sheetNameLength = excelNameLength,
            .reservedSheetNames = {reservedName},
            .loadsFiles = false};
}

} // namespace quillmere::xlsx
