#pragma once

#include "base/FilePath.h"

#include <QByteArray>
#include <QList>

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

} // namespace quillmere::filelist
