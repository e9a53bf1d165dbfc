#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <stop_token>

namespace quillmere {

// The folder ending in exactly one '/', so that a name joins it by plain concatenation, at the root ("/") too.
QString AsFolderPath(QString folder);

// Folders in walk order, each ending in one '/', and the folders that could not be read.
struct FolderSet {
    QStringList folders;
    QStringList unreadable;
};

// Appends to set.folders every subfolder of its folders at every depth, level by level: the folders it held,
// then their children, then their grandchildren; within a level in the order of the parents, the children of one
// folder in natural order. Hidden folders (name beginning with '.') and links to folders are not entered. A folder
// that cannot be read moves from set.folders to set.unreadable. Ends at the next folder once stop is requested.
void CollectSubfolders(FolderSet& set, const std::stop_token& stop);

// The names of the folder's files, hidden ones and links to files included, in natural order. The folder may end
// in '/' or not. Gives nullopt when the folder cannot be read.
std::optional<QStringList> ListFiles(const QString& folder);

// What adding a folder gives: the full paths of its files, and the folders skipped because they could not be read.
struct FolderFiles {
    QStringList files;
    QStringList unreadable;
};

// Every file of the folder and of its subfolders at any depth, level by level as CollectSubfolders() orders the
// folders, each folder's files as ListFiles() orders them; files whose names begin with '~' are left out. Meant
// to run off the user-interface thread: it touches nothing shared. Once stop is requested it ends at the next
// folder with what it has found so far. An empty folder name gives nothing.
FolderFiles WalkFolder(const QString& folder, const std::stop_token& stop);

} // namespace quillmere
