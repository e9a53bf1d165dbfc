#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

// The files and folders the program makes while it runs are named after its process, so that a later run can remove
// those of a run that has ended, however it ended, and never another run's.
namespace quillmere {

// "quillmere-<pid>-": how the names of this process's files and folders begin, after a dot for hidden ones.
QString ownNamePrefix();

// The process a name begins with, as ownNamePrefix() gives it, after a dot or not; nullopt for another name.
std::optional<qint64> ownerOf(QStringView name);

// Whether the process has ended; false where it lives, also as another user's.
bool hasEnded(qint64 pid);

// Removes the files and folders of the folder whose owner has ended, calling beforeRemoving(path) on each first.
void removeLeftovers(const QString& folder, const std::function<void(const QString& path)>& beforeRemoving = {});

} // namespace quillmere
