// quillmere-office-guard FOLDER OFFICE [ARGUMENT...]: starts an office of the program's own in a session of its own,
// its output in FOLDER/office.log, and prints its process id. When its standard input ends, however the program that
// started it ended, it ends what is left of the office at once, removes the office's pipes and FOLDER, and ends too.
// The program asks the office to end before it lets go of the guard, so that the office has ended of itself by then.
#include "office/guard/OfficeProcesses.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Returns once the office runs in its session, so that its group can be looked for at once: the end of a pipe that
// closes as the office's program replaces the child tells it; an error comes through that pipe.
pid_t startOffice(const char* log, char** command) {
    int started[2];
    if (::pipe2(started, O_CLOEXEC) != 0) {
        return -1;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(started[0]);
        ::setsid();
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(log, O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (in >= 0 && out >= 0 && ::dup2(in, STDIN_FILENO) >= 0 && ::dup2(out, STDOUT_FILENO) >= 0 &&
            ::dup2(out, STDERR_FILENO) >= 0) {
            ::execv(command[0], command);
        }
        const int error = errno;
        [[maybe_unused]] const auto written = ::write(started[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(started[1]);
    int error = 0;
    const bool failed = pid < 0 || ::read(started[0], &error, sizeof error) > 0;
    ::close(started[0]);
    if (failed) {
        errno = pid < 0 ? errno : error;
        return -1;
    }
    return pid;
}

// Until standard input ends, reaping the office's first process if it ends first.
void waitForEndOfInput(pid_t office) {
    const int ended = int(::syscall(SYS_pidfd_open, office, 0));
    pollfd watched[] = {{STDIN_FILENO, POLLIN, 0}, {ended, POLLIN, 0}};
    for (;;) {
        if (::poll(watched, ended >= 0 ? 2 : 1, -1) < 0) {
            continue;
        }
        if (watched[0].revents != 0) {
            char buffer[256];
            if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
                return;
            }
        }
        if (watched[1].revents != 0) {
            ::waitpid(office, nullptr, WNOHANG);
            watched[1].fd = -1;
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fputs("usage: quillmere-office-guard FOLDER OFFICE [ARGUMENT...]\n", stderr);
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    const QString folder = QFile::decodeName(argv[1]);
    const QByteArray log = QFile::encodeName(QDir(folder).filePath(QStringLiteral("office.log")));
    const pid_t office = startOffice(log.constData(), argv + 2);
    if (office < 0) {
        std::perror("quillmere-office-guard");
        return 1;
    }
    std::printf("%d\n", int(office));
    std::fflush(stdout);
    waitForEndOfInput(office);

    const auto reap = [office] { ::waitpid(office, nullptr, WNOHANG); };
    if (!quillmere::office::waitForGroupEnd(office, {}, reap)) {
        // It did not end when asked, or the program could not ask: what it bound goes too.
        const QStringList sockets = quillmere::office::socketPathsOf(quillmere::office::processesOfGroup(office));
        quillmere::office::endGroup(office, reap);
        for (const QString& socket : sockets) {
            QFile::remove(socket);
        }
    }
    QDir(folder).removeRecursively();
    return 0;
}
