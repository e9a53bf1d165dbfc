#include "import/text/ColumnSplitting.h"

#include <algorithm>
#include <utility>

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

QString markColumns(QString text, ColumnRule rule, const QString& customDelimiter) {
    const QString delimiter = delimiterOf(rule, customDelimiter);
    if (!delimiter.isEmpty()) {
        text.replace(delimiter, QString(CellSeparator), Qt::CaseSensitive);
    }
    return text;
}

ColumnMarker::ColumnMarker(ColumnRule rule, const QString& customDelimiter)
    : delimiter_(delimiterOf(rule, customDelimiter)) {}

QString ColumnMarker::mark(QStringView piece) {
    QString text = std::exchange(held_, {});
    text.append(piece);
    if (delimiter_.isEmpty()) {
        return text;
    }
    if (delimiter_.size() == 1) {
        return text.replace(delimiter_.front(), CellSeparator);
    }
    QString marked;
    marked.reserve(text.size());
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(delimiter_); at >= 0; at = text.indexOf(delimiter_, from)) {
        marked.append(QStringView(text).sliced(from, at - from)).append(CellSeparator);
        from = at + delimiter_.size();
    }
    // A match that starts before the held tail ends inside this text, so it was found above.
    qsizetype held = std::max(from, text.size() - delimiter_.size() + 1);
    if (held > from && QChar::isHighSurrogate(text[held - 1].unicode())) {
        --held;
    }
    held_ = text.sliced(held);
    return marked.append(QStringView(text).sliced(from, held - from));
}

QString ColumnMarker::finish() {
    return std::exchange(held_, {});
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

RowTexts splitRows(QString text) {
    return RowTexts(std::move(text));
}

QList<QStringView> splitCells(QStringView row) {
    if (row.isEmpty()) {
        return {};
    }
    return row.split(CellSeparator, Qt::KeepEmptyParts);
}

} // namespace quillmere
