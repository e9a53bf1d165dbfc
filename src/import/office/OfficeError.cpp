#include "import/office/OfficeError.h"

namespace quillmere::office {
namespace {

QString joined(const QString& action, const QString& officeMessage) {
    return officeMessage.isEmpty() ? action : action + QStringLiteral(": ") + officeMessage;
}

} // namespace

OfficeError::OfficeError(QString action, QString officeMessage)
    : Error(joined(action, officeMessage))
    , action_(std::move(action))
    , officeMessage_(std::move(officeMessage)) {}

} // namespace quillmere::office
