#include "office/guard/OfficeProcesses.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace quillmere::office {
namespace {

constexpr std::chrono::milliseconds lookInterval(50);
constexpr std::chrono::seconds termGrace(5);

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<qint64> allProcesses() {
    std::vector<qint64> processes;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const qint64 pid = name.toLongLong(&ok);
        if (ok) {
            processes.push_back(pid);
        }
    }
    return processes;
}

// Its group from /proc/<pid>/stat: "pid (name) state ppid pgrp ...", where the name may hold spaces and brackets.
qint64 groupOf(qint64 pid) {
    const QByteArray stat = contentsOf(QStringLiteral("/proc/%1/stat").arg(pid));
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 2 ? fields[2].toLongLong() : -1;
}

} // namespace

std::vector<qint64> processesOfGroup(qint64 group) {
    std::vector<qint64> members;
    for (const qint64 pid : allProcesses()) {
        if (groupOf(pid) == group) {
            members.push_back(pid);
        }
    }
    return members;
}

std::vector<qint64> processesNaming(const QByteArray& text) {
    std::vector<qint64> naming;
    for (const qint64 pid : allProcesses()) {
        if (contentsOf(QStringLiteral("/proc/%1/cmdline").arg(pid)).contains(text)) {
            naming.push_back(pid);
        }
    }
    return naming;
}

// A descriptor of a socket reads as "socket:[inode]"; /proc/net/unix names the path bound to each inode.
QStringList socketPathsOf(const std::vector<qint64>& processes) {
    QSet<QByteArray> inodes;
    for (const qint64 pid : processes) {
        const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
        for (const QString& fd : QDir(fds).entryList(QDir::System | QDir::NoDotAndDotDot)) {
            // Qt would take the target for a path and make it absolute.
            char target[64] = {};
            const auto length = ::readlink(QFile::encodeName(fds + u'/' + fd).constData(), target, sizeof target - 1);
            const QByteArrayView link(target, std::max<qsizetype>(length, 0));
            if (link.startsWith("socket:[") && link.endsWith("]")) {
                inodes.insert(link.sliced(8).chopped(1).toByteArray());
            }
        }
    }
    QStringList paths;
    for (const QByteArray& line : contentsOf(QStringLiteral("/proc/net/unix")).split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 8 && fields[7].startsWith('/') && inodes.contains(fields[6])) {
            paths << QFile::decodeName(fields[7]);
        }
    }
    return paths;
}

bool groupHasEnded(qint64 group) {
    return ::kill(-pid_t(group), 0) != 0 && errno == ESRCH;
}

bool waitForGroupEnd(qint64 group, std::chrono::milliseconds limit, const std::function<void()>& reap) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (reap) {
            reap();
        }
        if (groupHasEnded(group)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(lookInterval);
    }
}

void endGroup(qint64 group, const std::function<void()>& reap) {
    ::kill(-pid_t(group), SIGTERM);
    if (!waitForGroupEnd(group, termGrace, reap)) {
        ::kill(-pid_t(group), SIGKILL);
        waitForGroupEnd(group, termGrace, reap);
    }
}

// The C library of Debian 12 declares pidfd_open() without C linkage, hence the system call.
ProcessWatch::ProcessWatch(qint64 pid)
    : fd_(int(::syscall(SYS_pidfd_open, pid_t(pid), 0))) {}

ProcessWatch::~ProcessWatch() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool ProcessWatch::endsWithin(std::chrono::milliseconds wait) const {
    if (fd_ < 0) {
        return true;
    }
    pollfd watched{fd_, POLLIN, 0};
    return ::poll(&watched, 1, int(wait.count())) > 0;
}

} // namespace quillmere::office
