#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <chrono>
#include <limits>
#include <memory>
#include <vector>

namespace quillmere {

// How many rows and columns a sheet can hold, as the document reports it, and how many characters a cell.
struct SheetCapacity {
    qint64 rows = 0;
    qint64 columns = 0;
    qsizetype cellLength = std::numeric_limits<qsizetype>::max();
};

// What an office can take, as the office side knows it, for checks made before any document is at hand.
struct OfficeLimits {
    SheetCapacity sheet;
    // Sheets in one document: the tables of a flat file beyond them vanish on loading without a word.
    qsizetype sheets = 0;
    // The longest name a sheet can have, and names no sheet can have, in any letter case.
    qsizetype sheetNameLength = std::numeric_limits<qsizetype>::max();
    std::vector<QString> reservedSheetNames = {};
    // What the office's text import fills, and how many characters of a cell it keeps.
    qsizetype textLoadColumns = 0;
    qsizetype textLoadCellLength = 0;
    // Whether the office may load a whole file at once; where it never does, a run makes no file for it to load.
    bool loadsFiles = true;
};

// A rectangular block of cell texts, row by row. Rows shorter than the width are padded with empty texts,
// which leave their cells empty. The texts are views: what they look into must outlive the block.
class CellBlock {
public:
    explicit CellBlock(qsizetype width = 0)
        : width_(width) {}

    void addRow(const QList<QStringView>& cells);

    qsizetype width() const { return width_; }
    qsizetype height() const { return width_ == 0 ? 0 : qsizetype(cells_.size()) / width_; }
    QStringView at(qsizetype row, qsizetype column) const { return cells_[std::size_t(row * width_ + column)]; }

private:
    qsizetype width_;
    std::vector<QStringView> cells_;
};

// A block already turned into the office's own form: preparing the next block while the office writes the
// current one keeps both busy.
class PreparedBlock {
public:
    PreparedBlock(qsizetype width, qsizetype height)
        : width_(width)
        , height_(height) {}
    virtual ~PreparedBlock() = default;
    PreparedBlock(const PreparedBlock&) = delete;
    PreparedBlock& operator=(const PreparedBlock&) = delete;

    qsizetype width() const { return width_; }
    qsizetype height() const { return height_; }

private:
    qsizetype width_;
    qsizetype height_;
};

// One sheet of an open document. Columns and rows count from 0.
class Sheet {
public:
    virtual ~Sheet() = default;
    virtual QString name() const = 0;
    virtual SheetCapacity capacity() const = 0;
    // A copy of the block's texts, ready for writePrepared(); safe to call on any thread.
    virtual std::unique_ptr<PreparedBlock> prepareBlock(const CellBlock& block) const = 0;
    // Writes the block with its top left cell at column, row, in one call. Each cell holds its text as text, never
    // as a number or a formula.
    virtual void writePrepared(qint64 column, qint64 row, const PreparedBlock& block) = 0;
};

// An open spreadsheet document. Sheet positions count from 0.
class SpreadsheetDocument {
public:
    virtual ~SpreadsheetDocument() = default;
    virtual int sheetCount() const = 0;
    virtual std::unique_ptr<Sheet> sheetAt(int index) const = 0;
    virtual void insertSheet(const QString& name, int position) = 0;
    virtual void removeSheet(const QString& name) = 0;
    // Gives the finished document to the user: it reads as modified, so that closing it asks first, it holds nothing
    // to undo, and its window comes to the front with the focus, so that the keys go to it and not to this program.
    virtual void handOver() = 0;
    // Writes the document into the file at path as a copy, in the form the path's ending names: OpenDocument for
    // ".ods", Office Open XML for ".xlsx". A file there is replaced.
    virtual void saveAs(const QString& path) = 0;
    // Closes the document's window without saving; nothing may be called on the document afterwards.
    virtual void close() = 0;
};

// How long the office may leave a call unanswered, or take to start, before it is given up.
inline constexpr std::chrono::milliseconds OfficeAnswerLimit = std::chrono::minutes(1);

// Where new documents come from.
class SpreadsheetOffice {
public:
    virtual ~SpreadsheetOffice() = default;
    // A new, untitled document in a visible window; it stays open when the object goes.
    virtual std::unique_ptr<SpreadsheetDocument> openNewDocument() = 0;
    // Like openNewDocument(), but with the text of a UTF-8 file (a leading byte-order mark is not text; rows ending in
    // LF or CR LF, cells cut at the separator) already in its one sheet, named sheetName, as text, through the
    // office's own bulk import: the same cells as writing the rows into a new document. Gives null where the office
    // has no such import or could not load the whole text.
    virtual std::unique_ptr<SpreadsheetDocument> openTextDocument(const QString& path, QChar separator, qint64 rows,
                                                                  qint64 columns, const QString& sheetName) = 0;
    // A new, untitled document holding the tables of a flat OpenDocument spreadsheet file, each a sheet, in one
    // load. Gives null where the office has no such import or could not load the whole file.
    virtual std::unique_ptr<SpreadsheetDocument> openSpreadsheetFile(const QString& path) = 0;
    // The names of the sheets that openNewDocument() gives a document, in position order.
    virtual std::vector<QString> newDocumentSheetNames() = 0;
    virtual OfficeLimits limits() const = 0;
    // Gives up on an office that stopped answering: every call waiting on it, and every later one, ends with an
    // error. Safe to call from any thread, also while another thread waits in a call.
    virtual void abandon() = 0;
};

// The names of all sheets, in position order.
std::vector<QString> sheetNames(const SpreadsheetDocument& document);

} // namespace quillmere
