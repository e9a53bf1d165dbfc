#include "base/Leftovers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace quillmere {
namespace {

constexpr QStringView prefix = u"quillmere-";

} // namespace

QString ownNamePrefix() {
    return prefix.toString() + QString::number(QCoreApplication::applicationPid()) + u'-';
}

std::optional<qint64> ownerOf(QStringView name) {
    if (name.startsWith(u'.')) {
        name = name.sliced(1);
    }
    if (!name.startsWith(prefix)) {
        return std::nullopt;
    }
    name = name.sliced(prefix.size());
    const qsizetype dash = name.indexOf(u'-');
    bool ok = false;
    const qint64 pid = dash > 0 ? name.first(dash).toLongLong(&ok) : 0;
    return ok && pid > 0 ? std::optional(pid) : std::nullopt;
}

bool hasEnded(qint64 pid) {
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

void removeLeftovers(const QString& folder, const std::function<void(const QString& path)>& beforeRemoving) {
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QStringLiteral("quillmere-*"), QStringLiteral(".quillmere-*")},
                                   QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const std::optional<qint64> owner = ownerOf(entry.fileName());
        if (!owner || entry.ownerId() != ::getuid() || !hasEnded(*owner)) {
            continue;
        }
        if (beforeRemoving) {
            beforeRemoving(entry.filePath());
        }
        if (entry.isDir() && !entry.isSymLink()) {
            QDir(entry.filePath()).removeRecursively();
        } else {
            QFile::remove(entry.filePath());
        }
    }
}

} // namespace quillmere
