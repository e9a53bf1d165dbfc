#include "import/ColumnSplitting.h"

namespace quillmere {
namespace {

QString delimiterOf(ColumnRule rule, const QString& customDelimiter) {
    switch (rule) {
    case ColumnRule::NoSplit:
        return {};
    case ColumnRule::SplitAtSpace:
        return QStringLiteral(" ");
    case ColumnRule::SplitAtComma:
        return QStringLiteral(",");
    case ColumnRule::SplitAtText:
        return customDelimiter;
    case ColumnRule::SplitAtTab:
        return QStringLiteral("\t");
    }
    return {};
}

} // namespace

QString MarkColumns(QString text, ColumnRule rule, const QString& customDelimiter) {
    const QString delimiter = delimiterOf(rule, customDelimiter);
    if (!delimiter.isEmpty()) {
        text.replace(delimiter, QString(CellSeparator), Qt::CaseSensitive);
    }
    return text;
}

RowTexts::RowTexts(QString text)
    : text_(std::move(text)) {
    text_.remove(QChar(u'\r'));
    if (text_.isEmpty()) {
        return;
    }
    const QStringView all(text_);
    qsizetype start = 0;
    for (qsizetype lf = all.indexOf(u'\n'); lf >= 0; lf = all.indexOf(u'\n', start)) {
        rows_.push_back(all.sliced(start, lf - start));
        start = lf + 1;
    }
    rows_.push_back(all.sliced(start));
}

RowTexts SplitRows(QString text) {
    return RowTexts(std::move(text));
}

QList<QStringView> SplitCells(QStringView row) {
    if (row.isEmpty()) {
        return {};
    }
    return row.split(CellSeparator, Qt::KeepEmptyParts);
}

qsizetype countCells(QStringView row) {
    return row.isEmpty() ? 0 : row.count(CellSeparator) + 1;
}

} // namespace quillmere
