#include "import/office/OwnOffice.h"

#include "import/office/OfficeError.h"
#include "import/office/OfficeStart.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QUrl>
#include <QUuid>

#include <signal.h>
#include <unistd.h>

namespace quillmere::office {
namespace {

OfficeError notStarted(const QString& reason) {
    return OfficeError(QCoreApplication::translate("OwnOffice", "LibreOffice could not be started"), reason);
}

// A new profile makes the office restart itself once; done first, it does not happen while the office is in use.
void initialiseProfile(const QString& soffice, const QString& installation, std::chrono::milliseconds limit) {
    QProcess init;
    init.setStandardOutputFile(QProcess::nullDevice());
    init.setStandardErrorFile(QProcess::nullDevice());
    init.setStandardInputFile(QProcess::nullDevice());
    init.start(soffice, {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                         QStringLiteral("--terminate_after_init"), installation});
    if (!init.waitForFinished(int(limit.count()))) {
        init.kill();
        init.waitForFinished();
        throw notStarted(QCoreApplication::translate("OwnOffice", "it did not set up its profile in time"));
    }
}

} // namespace

OwnOffice::OwnOffice(Windows windows)
    : soffice_(QDir(officeProgramFolder()).filePath(QStringLiteral("soffice")))
    , pipeName_(QStringLiteral("quillmere-own-") + QUuid::createUuid().toString(QUuid::Id128)) {
    if (!profile_.isValid()) {
        throw notStarted(profile_.errorString());
    }
    const QString installation =
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile_.path()).toString();
    initialiseProfile(soffice_, installation, OfficeAnswerLimit);
    QStringList arguments{QStringLiteral("--norestore"), QStringLiteral("--nologo"), QStringLiteral("--nolockcheck"),
                          installation, QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipeName_)};
    if (windows == Windows::Hidden) {
        arguments << QStringLiteral("--headless") << QStringLiteral("--invisible") << QStringLiteral("--nodefault");
    }
    process_.setProgram(soffice_);
    process_.setArguments(arguments);
    // Not this program's output: the office's messages are no concern of the user's, and an office that outlives a
    // crashed program would hold the output open.
    process_.setStandardOutputFile(profile_.filePath(QStringLiteral("office.log")));
    process_.setStandardErrorFile(profile_.filePath(QStringLiteral("office.log")), QIODevice::Append);
    process_.setStandardInputFile(QProcess::nullDevice());
    // The launcher starts the office as its child: a group of their own lets one signal end both.
    process_.setChildProcessModifier([] { setsid(); });
    process_.start();
    if (!process_.waitForStarted(10'000)) {
        throw notStarted(process_.errorString());
    }
}

OwnOffice::~OwnOffice() {
    if (process_.state() == QProcess::NotRunning) {
        return;
    }
    ::kill(-pid_t(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(15'000)) {
        ::kill(-pid_t(process_.processId()), SIGKILL);
        process_.waitForFinished(15'000);
    }
}

std::unique_ptr<SpreadsheetConnection> OwnOffice::connect(std::chrono::milliseconds limit) {
    const QDeadlineTimer deadline(limit);
    for (;;) {
        try {
            return SpreadsheetConnection::connectToPipe(pipeName_);
        } catch (const OfficeError&) {
            if (deadline.hasExpired() || process_.state() == QProcess::NotRunning) {
                throw;
            }
            // Without an event loop, only a wait lets QProcess notice that the office has ended.
            process_.waitForFinished(200);
        }
    }
}

} // namespace quillmere::office
