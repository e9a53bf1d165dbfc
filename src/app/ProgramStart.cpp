#include "app/ProgramStart.h"

#include <QByteArray>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <langinfo.h>
#include <utility>
#include <vector>

namespace quillmere::app {
namespace {

bool isUtf8(const char* codeset) {
    return qstricmp(codeset, "UTF-8") == 0 || qstricmp(codeset, "utf8") == 0;
}

// What Qt says while it makes the application, held back: a display it cannot reach comes as warnings, then as a
// fatal message that would abort.
std::vector<std::pair<QtMsgType, QString>> heldMessages;

void holdMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldMessages.emplace_back(type, message);
        return;
    }
    const QString reason = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                               ? QStringLiteral("there is no display to show the window on")
                               : QStringLiteral("the window cannot be shown (%1)")
                                     .arg(heldMessages.empty() ? message : heldMessages.front().second);
    std::fprintf(stderr, "quillmere: %s; quillmere --output OUT.ods|OUT.xlsx imports without one\n",
                 qPrintable(reason));
    std::_Exit(1);
}

} // namespace

void preferUtf8Locale() {
    std::setlocale(LC_ALL, "");
    if (isUtf8(nl_langinfo(CODESET))) {
        return;
    }
    QByteArray name = std::setlocale(LC_CTYPE, nullptr);
    name = name.left(name.indexOf('.')).left(name.indexOf('@'));
    for (const QByteArray& candidate : {name + ".UTF-8", QByteArray("C.UTF-8")}) {
        if (std::setlocale(LC_CTYPE, candidate.constData()) != nullptr) {
            // Set where Qt looks again: LC_ALL, where it is set, outweighs LC_CTYPE.
            qputenv(qEnvironmentVariableIsSet("LC_ALL") ? "LC_ALL" : "LC_CTYPE", candidate);
            return;
        }
    }
}

std::unique_ptr<QApplication> windowApplication(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : std::exchange(heldMessages, {})) {
        qt_message_output(type, QMessageLogContext(), message);
    }
    return application;
}

} // namespace quillmere::app
