#pragma once

#include "base/FilePath.h"

#include <QByteArray>
#include <QByteArrayList>

#include <optional>
#include <stop_token>

namespace quillmere::filelist {

// Folders in walk order, as the file system's bytes, each ending in one '/', and the folders that could not be
// read.
struct FolderSet {
    QByteArrayList folders;
    QByteArrayList unreadable;
};

// Appends to set.folders every subfolder of its folders at every depth, level by level: the folders it held,
// then their children, then their grandchildren; within a level in the order of the parents, the children of one
// folder in natural order. Hidden folders (name beginning with '.') and links to folders are not entered. A folder
// that cannot be read moves from set.folders to set.unreadable. Ends at the next folder once stop is requested.
void collectSubfolders(FolderSet& set, const std::stop_token& stop);

// The names of the folder's files, hidden ones and links to files included, in natural order. The folder may end
// in '/' or not. Gives nullopt when the folder cannot be read.
std::optional<QByteArrayList> listFiles(const QByteArray& folder);

// Whether the path names a folder, or a link to one.
bool isFolder(const FilePath& path);

// What adding a folder gives: the full paths of its files, and the folders skipped because they could not be read.
struct FolderFiles {
    QList<FilePath> files;
    QList<FilePath> unreadable;
};

// Every file of the folder and of its subfolders at any depth, level by level as collectSubfolders() orders the
// folders, each folder's files as listFiles() orders them; files whose names begin with '~' are left out. Names
// that are not UTF-8 are kept as their bytes. Meant to run off the user-interface thread: it touches nothing
// shared. Once stop is requested it ends at the next folder with what it has found so far. An empty folder name
// gives nothing.
FolderFiles walkFolder(const FilePath& folder, const std::stop_token& stop);

} // namespace quillmere::filelist
