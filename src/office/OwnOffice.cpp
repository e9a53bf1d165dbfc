#include "office/OwnOffice.h"

#include "base/Background.h"
#include "base/Leftovers.h"
#include "office/OfficeError.h"
#include "office/OfficeLink.h"
#include "office/OfficeStart.h"
#include "office/guard/OfficeProcesses.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QUrl>
#include <QUuid>

#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/DisposedException.hpp>

#include <csignal>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quillmere::office {

namespace css = com::sun::star;

namespace {

// An office asked to end closes its windows and goes within a second or two; one that takes longer is stuck.
constexpr std::chrono::seconds endLimit(10);
// The guard ends what is left within some seconds.
constexpr std::chrono::seconds guardLimit(20);

OfficeError notStarted(const QString& reason) {
    return OfficeError(QCoreApplication::translate("OwnOffice", "LibreOffice could not be started"), reason);
}

// A new profile makes the office restart itself once; done first, it does not happen while the office is in use.
void initialiseProfile(const QString& soffice, const QString& installation, const QProcessEnvironment& environment,
                       std::chrono::milliseconds limit) {
    QProcess init;
    init.setProcessEnvironment(environment);
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

// Beside the program file itself, also where it was started through a link, and with or without an application object.
QString guardProgram() {
    const QString folder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QString guard = QDir(folder).filePath(QStringLiteral("quillmere-office-guard"));
    if (!QFileInfo(guard).isExecutable()) {
        throw notStarted(QCoreApplication::translate("OwnOffice", "the program %1 is missing").arg(guard));
    }
    return guard;
}

// Where the office's pipes are listed once it runs, so that a later run removes them where this one was killed.
QString socketList(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("sockets"));
}

bool isSocket(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// An own office's folder, and the office and its guard where they still run: the guard was killed with the program.
void removeOfficeLeftover(const QString& folder) {
    if (!QFileInfo(folder).isDir()) {
        return;
    }
    for (const QByteArray& named : {QFile::encodeName(folder), QUrl::fromLocalFile(folder).toEncoded()}) {
        for (const qint64 pid : processesNaming(named)) {
            ::kill(pid_t(pid), SIGKILL);
        }
    }
    QFile list(socketList(folder));
    if (list.open(QIODevice::ReadOnly)) {
        for (const QByteArray& socket : list.readAll().split('\n')) {
            if (const QString path = QFile::decodeName(socket); isSocket(path)) {
                QFile::remove(path);
            }
        }
    }
}

// Over a link made for it: one made while another lived would reach the office's objects through that one, and go
// with it.
bool askToEnd(const QString& pipeName) {
    try {
        const OfficeLink link = resolvePipe(pipeName);
        return css::frame::Desktop::create(link.context())->terminate();
    } catch (const css::lang::DisposedException&) {
        return true; // it went before it could answer
    } catch (const css::uno::Exception&) {
        return false;
    }
}

} // namespace

OwnOffice::OwnOffice(Windows windows)
    : folder_(QDir::temp().filePath(ownNamePrefix() + QStringLiteral("office-XXXXXX")))
    , soffice_(QDir(officeProgramFolder()).filePath(QStringLiteral("soffice")))
    , pipeName_(ownNamePrefix() + QStringLiteral("own-") + QUuid::createUuid().toString(QUuid::Id128)) {
    const QString profile = folder_.filePath(QStringLiteral("profile"));
    const QString temporary = folder_.filePath(QStringLiteral("tmp"));
    if (!folder_.isValid() || !QDir().mkdir(profile) || !QDir().mkdir(temporary)) {
        throw notStarted(folder_.isValid()
                             ? QCoreApplication::translate("OwnOffice", "cannot write into %1").arg(folder_.path())
                             : folder_.errorString());
    }
    // The office's own temporary files go with its folder.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), temporary);
    const QString installation = QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString();
    initialiseProfile(soffice_, installation, environment, OfficeAnswerLimit);
    QStringList arguments{folder_.path(),
                          soffice_,
                          QStringLiteral("--norestore"),
                          QStringLiteral("--nologo"),
                          QStringLiteral("--nolockcheck"),
                          installation,
                          QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipeName_)};
    if (windows == Windows::Hidden) {
        arguments << QStringLiteral("--headless") << QStringLiteral("--invisible") << QStringLiteral("--nodefault");
    }
    guard_.setProgram(guardProgram());
    guard_.setArguments(arguments);
    guard_.setProcessEnvironment(environment);
    guard_.setStandardErrorFile(QProcess::nullDevice());
    // Out of the terminal's reach: Ctrl+C is this program's to handle, which then ends the office as it should.
    guard_.setChildProcessModifier([] { ::setsid(); });
    guard_.start();
    if (!guard_.waitForStarted(10'000)) {
        throw notStarted(guard_.errorString());
    }
    QByteArray started;
    while (!started.contains('\n') && guard_.waitForReadyRead(10'000)) {
        started += guard_.readAllStandardOutput();
    }
    group_ = started.trimmed().toLongLong();
    if (group_ <= 0) {
        guard_.closeWriteChannel();
        guard_.waitForFinished(int(std::chrono::milliseconds(guardLimit).count()));
        throw notStarted(QCoreApplication::translate("OwnOffice", "its guard did not start it"));
    }
}

// Asked as a user's office is asked, so that it removes its pipes and temporary files itself; what does not end in
// time, its guard ends. The question waits on the pool, as an office that does not answer holds it until then.
OwnOffice::~OwnOffice() {
    auto asked = runInBackground([pipeName = pipeName_] { return askToEnd(pipeName); });
    if (asked.wait_for(endLimit) == std::future_status::ready && asked.get()) {
        waitForGroupEnd(group_, endLimit);
    }
    guard_.closeWriteChannel();
    if (!guard_.waitForFinished(int(std::chrono::milliseconds(guardLimit).count()))) {
        ::kill(-pid_t(group_), SIGKILL);
        guard_.kill();
        guard_.waitForFinished();
    }
} // a question still waiting ends here, with the office

std::unique_ptr<SpreadsheetConnection> OwnOffice::connect(std::chrono::milliseconds limit) {
    const QDeadlineTimer deadline(limit);
    for (;;) {
        try {
            auto connection = SpreadsheetConnection::connectToPipe(pipeName_);
            if (!socketsListed_) {
                QFile list(socketList(folder_.path()));
                socketsListed_ =
                    list.open(QIODevice::WriteOnly) &&
                    list.write(QFile::encodeName(socketPathsOf(processesOfGroup(group_)).join(u'\n'))) >= 0;
            }
            return connection;
        } catch (const OfficeError&) {
            if (deadline.hasExpired() || groupHasEnded(group_)) {
                throw;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    }
}

void OwnOffice::removeLeftovers() {
    quillmere::removeLeftovers(QDir::tempPath(), removeOfficeLeftover);
    // The pipe of an office killed before it could be listed.
    const QString pipes = QStringLiteral("OSL_PIPE_%1_").arg(::getuid());
    const QDir folder(QStringLiteral("/tmp"));
    for (const QString& name : folder.entryList({pipes + QStringLiteral("quillmere-*")}, QDir::System | QDir::Hidden)) {
        if (const auto owner = ownerOf(QStringView(name).sliced(pipes.size())); owner && hasEnded(*owner)) {
            QFile::remove(folder.filePath(name));
        }
    }
}

} // namespace quillmere::office
