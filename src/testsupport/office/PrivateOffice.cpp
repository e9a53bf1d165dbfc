#include "testsupport/office/PrivateOffice.h"

#include "import/office/OfficeError.h"

#include <QDeadlineTimer>
#include <QUrl>
#include <QUuid>

#include <signal.h>
#include <stdexcept>
#include <unistd.h>

namespace quillmere::testing {
namespace {

constexpr auto officeBinary = "/usr/lib/libreoffice/program/soffice";
constexpr int startSeconds = 90;

} // namespace

PrivateOffice::PrivateOffice()
    : pipeName_(QStringLiteral("quillmere-test-") + QUuid::createUuid().toString(QUuid::Id128)) {
    if (!profile_.isValid()) {
        throw std::runtime_error("cannot create a profile folder for the test office");
    }
    initialiseProfile();
    process_.setProgram(QString::fromLatin1(officeBinary));
    process_.setArguments({
        QStringLiteral("--norestore"),
        QStringLiteral("--nologo"),
        QStringLiteral("--nolockcheck"),
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile_.path()).toString(),
        QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipeName_),
    });
    // Not the test's own output: an office outliving a crashed test would hold it open and stall the runner.
    process_.setStandardOutputFile(profile_.filePath(QStringLiteral("office.log")));
    process_.setStandardErrorFile(profile_.filePath(QStringLiteral("office.log")), QIODevice::Append);
    process_.setStandardInputFile(QProcess::nullDevice());
    // The launcher starts the office as its child: a group of their own lets one signal stop both.
    process_.setChildProcessModifier([] { setsid(); });
    process_.start();
    if (!process_.waitForStarted(10'000)) {
        throw std::runtime_error("cannot start the test office: " + process_.errorString().toStdString());
    }
}

// A new profile makes the office restart itself once; doing that first keeps it from happening under a test.
void PrivateOffice::initialiseProfile() {
    QProcess init;
    init.setStandardOutputFile(QProcess::nullDevice());
    init.setStandardErrorFile(QProcess::nullDevice());
    init.setStandardInputFile(QProcess::nullDevice());
    init.start(QString::fromLatin1(officeBinary),
               {QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--terminate_after_init"),
                QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile_.path()).toString()});
    if (!init.waitForFinished(startSeconds * 1000)) {
        init.kill();
        init.waitForFinished();
        throw std::runtime_error("the test office did not initialise its profile");
    }
}

PrivateOffice::~PrivateOffice() {
    if (process_.state() == QProcess::NotRunning) {
        return;
    }
    ::kill(-pid_t(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(15'000)) {
        ::kill(-pid_t(process_.processId()), SIGKILL);
        process_.waitForFinished(15'000);
    }
}

void PrivateOffice::pause() {
    ::kill(-pid_t(process_.processId()), SIGSTOP);
}

void PrivateOffice::resume() {
    ::kill(-pid_t(process_.processId()), SIGCONT);
}

std::unique_ptr<office::SpreadsheetConnection> PrivateOffice::connect() {
    const QDeadlineTimer deadline(startSeconds * 1000);
    for (;;) {
        try {
            return office::SpreadsheetConnection::connectToPipe(pipeName_);
        } catch (const office::OfficeError&) {
            if (deadline.hasExpired() || process_.state() == QProcess::NotRunning) {
                throw;
            }
            // Without an event loop, only a wait lets QProcess notice that the office has ended.
            process_.waitForFinished(200);
        }
    }
}

} // namespace quillmere::testing
