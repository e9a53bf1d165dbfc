#pragma once

#include "base/FilePath.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <stop_token>

namespace quillmere::filelist {

// Whether the path names a folder, or a link to one.
bool isFolder(const FilePath& path);

// What adding a folder gives: the full paths of its files, and the folders skipped because they could not be read.
struct FolderFiles {
    QList<FilePath> files;
    QList<FilePath> unreadable;
};

// Every file of the folder and of its subfolders at any depth, level by level: the folder's files, then those of
// its subfolders, then of theirs; within a level in the order of the parents, each folder's subfolders and files in
// natural order. Hidden folders (name beginning with '.') and links to folders are not entered; hidden files and
// links to files are listed, save files whose names begin with '~'. Names that are not UTF-8 are kept as their
// bytes. Meant to run off the user-interface thread: it touches nothing shared. Once stop is requested it ends at
// the next folder with what it has found so far. An empty folder name gives nothing.
FolderFiles walkFolder(const FilePath& folder, const std::stop_token& stop);

// The paths in their order, each folder among them replaced by its files as walkFolder() gives them; a path that names
// no folder stays as it is, also where nothing is there, save one ending in '/', which is meant as a folder and is
// reported as unreadable where it is none. Stops as walkFolder() does.
FolderFiles expandFolders(const QList<FilePath>& paths, const std::stop_token& stop);

// The heading of the list of the folders that could not be read, for the window and the command alike.
QString unreadableFoldersHeading(qsizetype count);

} // namespace quillmere::filelist
