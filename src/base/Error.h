#pragma once

#include <QString>

#include <stdexcept>

namespace quillmere {

// The project's own failures: each carries a message fit to show the user.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString())
        , message_(message) {}

    const QString& message() const { return message_; }

private:
    QString message_;
};

} // namespace quillmere
