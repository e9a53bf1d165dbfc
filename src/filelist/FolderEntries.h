#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <optional>

namespace quillmere::filelist {

enum class EntryKind { Folder, File };

// The names of the folder's entries of one kind, as the bytes the system gives, in the system's order, without "." and
// "..". A folder is a real folder, never a link to one, so that no walk can be led in a circle; a file is a regular
// file or a link to one. Other entries (devices, pipes, sockets, broken links) are neither: reading them would block or
// fail. Gives nullopt when the folder cannot be read.
std::optional<QByteArrayList> readFolderNames(const QByteArray& folder, EntryKind kind);

} // namespace quillmere::filelist
