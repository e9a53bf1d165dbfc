#include "office/UnoGuard.h"

#include "office/OfficeError.h"
#include "office/UnoStrings.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <cppuhelper/bootstrap.hxx>

namespace quillmere::office {

namespace css = com::sun::star;

QString plainWords(QString officeMessage) {
    static const QRegularExpression sourcePlace(QStringLiteral("(^|\\s+)at\\s+\\S+:\\d+\\s*$"));
    const QString words = officeMessage.remove(sourcePlace).trimmed();
    return words.startsWith(QLatin1String("com.sun.star.")) ? QString() : words;
}

void guarded(const QString& action, const std::function<void()>& step) {
    try {
        step();
    } catch (const css::lang::DisposedException&) {
        throw OfficeError(action,
                          QCoreApplication::translate("UnoGuard", "the document was closed or LibreOffice has ended"));
    } catch (const css::uno::Exception& e) {
        throw OfficeError(action, plainWords(toQString(e.Message)));
    } catch (const cppu::BootstrapException& e) {
        throw OfficeError(action, plainWords(toQString(e.getMessage())));
    }
}

} // namespace quillmere::office
