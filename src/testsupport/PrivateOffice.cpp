#include "testsupport/PrivateOffice.h"

#include "import/office/OfficeError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QUrl>
#include <QUuid>

#include <stdexcept>

namespace quillmere::testing {
namespace {

constexpr auto officeBinary = "/usr/lib/libreoffice/program/soffice.bin";
constexpr int startSeconds = 90;

} // namespace

PrivateOffice::PrivateOffice()
    : pipeName_(QStringLiteral("quillmere-test-") + QUuid::createUuid().toString(QUuid::Id128))
{
    if (!profile_.isValid()) {
        throw std::runtime_error("cannot create a profile folder for the test office");
    }
    process_.setProgram(QString::fromLatin1(officeBinary));
    process_.setArguments({
        QStringLiteral("--headless"),
        QStringLiteral("--invisible"),
        QStringLiteral("--norestore"),
        QStringLiteral("--nologo"),
        QStringLiteral("--nodefault"),
        QStringLiteral("--nolockcheck"),
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile_.path()).toString(),
        QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipeName_),
    });
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    if (!process_.waitForStarted(10'000)) {
        throw std::runtime_error("cannot start the test office: " + process_.errorString().toStdString());
    }
}

PrivateOffice::~PrivateOffice()
{
    if (process_.state() == QProcess::NotRunning) {
        return;
    }
    process_.terminate();
    if (!process_.waitForFinished(15'000)) {
        kill();
    }
}

void PrivateOffice::kill()
{
    process_.kill();
    process_.waitForFinished(15'000);
}

std::unique_ptr<SpreadsheetConnection> PrivateOffice::connect()
{
    const QDeadlineTimer deadline(startSeconds * 1000);
    for (;;) {
        try {
            return SpreadsheetConnection::connectToPipe(pipeName_);
        } catch (const OfficeError&) {
            if (deadline.hasExpired() || process_.state() == QProcess::NotRunning) {
                throw;
            }
            QThread::msleep(200);
        }
    }
}

namespace {
std::unique_ptr<PrivateOffice>& sharedSlot()
{
    static std::unique_ptr<PrivateOffice> office;
    return office;
}
} // namespace

PrivateOffice& sharedOffice()
{
    auto& office = sharedSlot();
    if (!office) {
        office = std::make_unique<PrivateOffice>();
    }
    return *office;
}

void stopSharedOffice()
{
    sharedSlot().reset();
}

} // namespace quillmere::testing
