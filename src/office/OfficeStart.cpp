#include "office/OfficeStart.h"

#include "office/OfficeError.h"
#include "office/UnoStrings.h"
#include "office/guard/OfficeProcesses.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUuid>

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>
#include <rtl/ustring.h>

#include <csignal>
#include <dlfcn.h>
#include <thread>
#include <unistd.h>

namespace quillmere::office {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr auto DebianProgramFolder = "/usr/lib/libreoffice/program";
constexpr std::chrono::milliseconds PollInterval = std::chrono::milliseconds(200);

// A local UNO environment of our own is only needed to reach an office over a pipe; one serves the process.
Reference<css::uno::XComponentContext> localContext() {
    static const Reference<css::uno::XComponentContext> context = [] {
        // A bridge that writes to an office that has ended must see an error, not end this process with SIGPIPE.
        std::signal(SIGPIPE, SIG_IGN);
        rtl::OUString ini;
        if (!rtl::Bootstrap::get(rtl::OUString("URE_BOOTSTRAP"), ini)) {
            rtl::Bootstrap::set(rtl::OUString("URE_BOOTSTRAP"),
                                rtl::OUString("vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc"));
        }
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

QString loadedUnoFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&rtl_uString_new), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath();
}

OfficeError notStarted(const QString& soffice, std::chrono::milliseconds limit, bool ended) {
    const int seconds = int(std::chrono::duration_cast<std::chrono::seconds>(limit).count());
    const QString what =
        ended ? QCoreApplication::translate("OfficeStart", "%1 ended without answering").arg(soffice)
              : QCoreApplication::translate("OfficeStart", "%1 gave no answer within %n seconds", nullptr, seconds)
                    .arg(soffice);
    return OfficeError(QCoreApplication::translate("OfficeStart", "LibreOffice did not start (%1)").arg(what),
                       QCoreApplication::translate(
                           "OfficeStart", "check that LibreOffice Calc starts from the desktop's menu, that no "
                                          "LibreOffice window waits for an answer (such as document recovery), and "
                                          "that its user profile in ~/.config/libreoffice is not damaged"));
}

} // namespace

QString officeProgramFolder() {
    const QString fromEnvironment = qEnvironmentVariable("UNO_PATH");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    const QString loaded = loadedUnoFolder();
    return loaded.isEmpty() ? QString::fromLatin1(DebianProgramFolder) : loaded;
}

OfficeLink resolvePipe(const QString& pipeName) {
    const auto local = localContext();
    // The office lets go of a bridge it has just accepted when the first call on it comes a moment late: the call then
    // ends as disposed. Nothing was asked of the office yet, so a new bridge asks again.
    constexpr int attempts = 5;
    for (int attempt = 1;; ++attempt) {
        const auto connection =
            css::connection::Connector::create(local)->connect(rtl::OUString("pipe,name=") + toOUString(pipeName));
        const auto bridge = css::bridge::BridgeFactory::create(local)->createBridge(
            rtl::OUString(), rtl::OUString("urp"), connection, {});
        try {
            return {Reference<css::uno::XComponentContext>(
                        bridge->getInstance(rtl::OUString("StarOffice.ComponentContext")), UNO_QUERY_THROW),
                    Reference<css::lang::XComponent>(bridge, UNO_QUERY_THROW)};
        } catch (const css::lang::DisposedException&) {
            if (attempt == attempts) {
                throw;
            }
        }
    }
}

OfficeLink startOffice(const QString& programFolder, std::chrono::milliseconds limit) {
    const QString soffice = QDir(programFolder).filePath(QStringLiteral("soffice"));
    if (!QFileInfo(soffice).isExecutable()) {
        throw OfficeError(
            QCoreApplication::translate("OfficeStart", "LibreOffice was not found (there is no program %1)")
                .arg(soffice),
            QCoreApplication::translate("OfficeStart", "install LibreOffice Calc, the package libreoffice-calc"));
    }
    const QString pipeName = QStringLiteral("quillmere-") + QUuid::createUuid().toString(QUuid::Id128);
    QProcess launcher;
    launcher.setProgram(soffice);
    launcher.setArguments({QStringLiteral("--nologo"), QStringLiteral("--nodefault"), QStringLiteral("--norestore"),
                           QStringLiteral("--nolockcheck"),
                           QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipeName)});
    launcher.setStandardInputFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (!launcher.startDetached(&pid)) {
        throw OfficeError(
            QCoreApplication::translate("OfficeStart", "LibreOffice could not be started (%1)").arg(soffice),
            launcher.errorString());
    }
    const ProcessWatch watch(pid);
    const QDeadlineTimer deadline(limit);
    bool ended = false;
    for (;;) {
        try {
            return resolvePipe(pipeName);
        } catch (const css::connection::NoConnectException&) {
        }
        if (ended) {
            std::this_thread::sleep_for(PollInterval);
        } else if (watch.endsWithin(PollInterval)) {
            ended = true;
        }
        if (deadline.hasExpired()) {
            throw notStarted(soffice, limit, ended);
        }
    }
}

} // namespace quillmere::office
