#pragma once

#include "base/Error.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <ostream>

// The tests write their texts as Qt's literals.
using namespace Qt::StringLiterals;

// GoogleTest shows Qt's strings as text in its failure messages, rather than as the bytes of each character.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << '"';
}

namespace quillmere::testing {

// The error of the project's own that the step throws, or nothing when it throws none.
template <typename E = Error>
std::optional<E> thrown(const std::function<void()>& step) {
    try {
        step();
    } catch (const E& e) {
        return e;
    }
    return std::nullopt;
}

// The message of the error the step throws, or empty when it throws none.
inline QString failure(const std::function<void()>& step) {
    const auto error = thrown(step);
    return error ? error->message() : QString();
}

} // namespace quillmere::testing
