#pragma once

#include "base/Error.h"

#include <QCoreApplication>

namespace quillmere::office {

// The office refused or failed something: says what was being done and carries the office's own message.
class OfficeError : public Error {
    Q_DECLARE_TR_FUNCTIONS(OfficeError)

public:
    OfficeError(QString action, QString officeMessage);

    const QString& action() const { return action_; }
    const QString& officeMessage() const { return officeMessage_; }

private:
    QString action_;
    QString officeMessage_;
};

} // namespace quillmere::office
