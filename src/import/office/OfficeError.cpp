#include "import/office/OfficeError.h"

namespace quillmere {
namespace {

QString joined(const QString& action, const QString& officeMessage)
{
    return officeMessage.isEmpty() ? action : action + QStringLiteral(": ") + officeMessage;
}

} // namespace

OfficeError::OfficeError(QString action, QString officeMessage)
    : std::runtime_error(joined(action, officeMessage).toStdString())
    , action_(std::move(action))
    , officeMessage_(std::move(officeMessage))
{
}

QString OfficeError::message() const
{
    return joined(action_, officeMessage_);
}

} // namespace quillmere
