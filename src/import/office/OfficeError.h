#pragma once

#include <QString>

#include <stdexcept>

namespace quillmere {

// The office refused or failed something: says what was being done and carries the office's own message.
class OfficeError : public std::runtime_error {
public:
    OfficeError(QString action, QString officeMessage);

    const QString& action() const { return action_; }
    const QString& officeMessage() const { return officeMessage_; }
    QString message() const;

private:
    QString action_;
    QString officeMessage_;
};

} // namespace quillmere
