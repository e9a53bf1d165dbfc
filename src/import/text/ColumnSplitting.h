#pragma once

#include "base/ColumnRule.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

namespace quillmere {

// The text with every delimiter of the rule replaced by CellSeparator: exact, non-overlapping, left to right.
// A custom delimiter (SplitAtText) matches as a whole; an empty one, like NoSplit, leaves the text unchanged.
QString markColumns(QString text, ColumnRule rule, const QString& customDelimiter);

// markColumns() over a text that comes in pieces: the marked pieces joined are markColumns() of the pieces joined.
// A delimiter may reach across pieces, and a surrogate pair is never cut.
class ColumnMarker {
public:
    ColumnMarker(ColumnRule rule, const QString& customDelimiter);
    // The marked text up to where a delimiter could still begin that the next piece completes.
    QString mark(QStringView piece);
    // The marked rest, once the last piece is in.
    QString finish();

private:
    QString delimiter_;
    QString held_;
};

// The row texts of a text: carriage returns removed, cut at every line feed. k line feeds give k + 1 rows
// (the last is empty when the text ends with a line feed); an empty text gives no row.
// The rows are views into text the object owns.
class RowTexts {
public:
    explicit RowTexts(QString text);
    RowTexts(const RowTexts&) = delete;
    RowTexts& operator=(const RowTexts&) = delete;
    RowTexts(RowTexts&&) = default;
    RowTexts& operator=(RowTexts&&) = default;

    qsizetype size() const { return qsizetype(rows_.size()); }
    QStringView operator[](qsizetype i) const { return rows_[std::size_t(i)]; }
    auto begin() const { return rows_.begin(); }
    auto end() const { return rows_.end(); }

private:
    QString text_;
    std::vector<QStringView> rows_;
};

RowTexts splitRows(QString text);

// The cells of one row, cut at every CellSeparator, empty pieces kept; an empty row has no cell.
QList<QStringView> splitCells(QStringView row);

} // namespace quillmere
