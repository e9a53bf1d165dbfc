#include "filelist/FolderWalk.h"

#include "filelist/FolderEntries.h"
#include "filelist/NaturalOrder.h"

#include <QCoreApplication>

#include <optional>
#include <sys/stat.h>

namespace quillmere::filelist {

namespace {

QList<FilePath> fromBytes(const QByteArrayList& paths) {
    QList<FilePath> result;
    result.reserve(paths.size());
    for (const QByteArray& path : paths) {
        result.append(FilePath::fromBytes(path));
    }
    return result;
}

// The folder ending in exactly one '/', so that a name joins it by plain concatenation, at the root ("/") too.
QByteArray asFolderPath(QByteArray folder) {
    while (folder.endsWith('/')) {
        folder.chop(1);
    }
    return folder + '/';
}

// Folders in walk order, as the file system's bytes, each ending in one '/', and the folders that could not be
// read.
struct FolderSet {
    QByteArrayList folders;
    QByteArrayList unreadable;
};

// Appends every subfolder of set.folders at every depth; a folder that cannot be read moves to set.unreadable.
void collectSubfolders(FolderSet& set, const std::stop_token& stop) {
    QByteArrayList readable;
    // set.folders is the queue: children join its end, so each level follows the whole level before it.
    for (qsizetype i = 0; i < set.folders.size() && !stop.stop_requested(); ++i) {
        const QByteArray folder = set.folders[i];
        auto names = readFolderNames(folder, EntryKind::Folder);
        if (!names) {
            set.unreadable.append(folder);
            continue;
        }
        readable.append(folder);
        sortNaturally(*names);
        for (const QByteArray& name : *names) {
            if (!name.startsWith('.')) {
                set.folders.append(folder + name + '/');
            }
        }
    }
    set.folders = std::move(readable);
}

// Null where the folder cannot be read.
std::optional<QByteArrayList> listFiles(const QByteArray& folder) {
    auto names = readFolderNames(folder, EntryKind::File);
    if (names) {
        sortNaturally(*names);
    }
    return names;
}

} // namespace

FolderFiles walkFolder(const FilePath& folder, const std::stop_token& stop) {
    if (folder.bytes.isEmpty()) {
        return {};
    }
    FolderSet set{{asFolderPath(folder.bytes)}, {}};
    collectSubfolders(set, stop);
    QByteArrayList files;
    for (const QByteArray& path : set.folders) {
        if (stop.stop_requested()) {
            break;
        }
        const auto names = listFiles(path);
        if (!names) {
            set.unreadable.append(path);
            continue;
        }
        for (const QByteArray& name : *names) {
            if (!name.startsWith('~')) {
                files.append(path + name);
            }
        }
    }
    return {fromBytes(files), fromBytes(set.unreadable)};
}

FolderFiles expandFolders(const QList<FilePath>& paths, const std::stop_token& stop) {
    FolderFiles expanded;
    for (const FilePath& path : paths) {
        if (stop.stop_requested()) {
            break;
        }
        if (!path.bytes.endsWith('/') && !isFolder(path)) {
            expanded.files.append(path);
            continue;
        }
        FolderFiles found = walkFolder(path, stop);
        expanded.files += std::move(found.files);
        expanded.unreadable += std::move(found.unreadable);
    }
    return expanded;
}

QString unreadableFoldersHeading(qsizetype count) {
    // One folder reads as a sentence of its own; the count's form is left to translations.
    return count == 1
               ? QCoreApplication::translate(
                     "FolderWalk", "This folder could not be read, so its files and subfolders were left out:")
               : QCoreApplication::translate(
                     "FolderWalk",
                     "%n folders could not be read, so their files and subfolders were left out:", nullptr, int(count));
}

bool isFolder(const FilePath& path) {
    struct stat info {};
    return !path.bytes.isEmpty() && ::stat(path.bytes.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace quillmere::filelist
