#include "DesktopWindows.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

namespace quillmere::testing::desktop {

namespace {

using namespace Qt::StringLiterals;

bool underGnome() {
    return qgetenv("QUILLMERE_PRIVATE_DESKTOP") == "gnome";
}

QString xdotool(const QStringList& arguments) {
    QProcess tool;
    tool.start(u"xdotool"_s, arguments);
    EXPECT_TRUE(tool.waitForFinished(60'000));
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

// The shell answers with the result as JSON.
QJsonValue evalInShell(const QString& script) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(u"org.gnome.Shell"_s, u"/org/gnome/Shell"_s, u"org.gnome.Shell"_s, u"Eval"_s);
    call << script;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 60'000);
    const QVariantList answer = reply.arguments();
    EXPECT_TRUE(answer.size() == 2 && answer[0].toBool()) << reply.errorMessage().toStdString();
    if (answer.size() != 2) {
        return {};
    }
    return QJsonDocument::fromJson("[" + answer[1].toString().toUtf8() + "]").array().at(0);
}

} // namespace

QString focusedWindowTitle() {
    if (underGnome()) {
        return evalInShell(u"global.display.focus_window?.get_title() ?? ''"_s).toString();
    }
    return xdotool({u"getactivewindow"_s, u"getwindowname"_s});
}

bool focusMovesWithoutInput() {
    return !underGnome();
}

void activateWindow(const QString& title) {
    xdotool(
        {u"search"_s, u"--name"_s, u'^' + QRegularExpression::escape(title) + u'$', u"windowactivate"_s, u"--sync"_s});
}

} // namespace quillmere::testing::desktop
