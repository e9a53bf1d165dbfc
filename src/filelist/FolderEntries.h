#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quillmere {

enum class EntryKind { Folder, File };

// The names of the folder's entries of one kind, in the system's order, without "." and "..". A folder is a real
// folder, never a link to one, so that no walk can be led in a circle; a file is a regular file or a link to one.
// Other entries (devices, pipes, sockets, broken links) are neither: reading them would block or fail.
// Gives nullopt when the folder cannot be read.
std::optional<QStringList> ReadFolderNames(const QString& folder, EntryKind kind);

} // namespace quillmere
