#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// GoogleTest shows Qt's strings as text in its failure messages, rather than as the bytes of each character.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << '"';
}
