#include "import/office/UnoGuard.h"

#include "import/office/OfficeError.h"
#include "import/office/UnoStrings.h"

#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/exc_hlp.hxx>

namespace quillmere::office {

namespace css = com::sun::star;

void guarded(const QString& action, const std::function<void()>& step) {
    try {
        step();
    } catch (const css::lang::DisposedException& e) {
        const QString detail = toQString(e.Message);
        throw OfficeError(action, QStringLiteral("the document was closed or the office has ended") +
                                      (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail)));
    } catch (const css::uno::Exception& e) {
        // Some office exceptions carry no text; their type name still says what went wrong.
        const QString detail = toQString(e.Message);
        throw OfficeError(action, detail.isEmpty() ? toQString(cppu::getCaughtException().getValueTypeName()) : detail);
    } catch (const cppu::BootstrapException& e) {
        throw OfficeError(action, toQString(e.getMessage()));
    }
}

} // namespace quillmere::office
