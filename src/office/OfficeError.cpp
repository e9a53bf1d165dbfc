#include "office/OfficeError.h"

namespace quillmere::office {
namespace {

QString joined(const QString& action, const QString& officeMessage) {
    //: What was being done, and the office's own words on why it failed.
    return officeMessage.isEmpty() ? action : OfficeError::tr("%1: %2").arg(action, officeMessage);
}

} // namespace

OfficeError::OfficeError(QString action, QString officeMessage)
    : Error(joined(action, officeMessage))
    , action_(std::move(action))
    , officeMessage_(std::move(officeMessage)) {}

} // namespace quillmere::office
