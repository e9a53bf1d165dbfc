#include "filelist/AddFolder.h"

#include "filelist/FolderEntries.h"
#include "filelist/NaturalOrder.h"

namespace quillmere {

QString AsFolderPath(QString folder) {
    while (folder.endsWith(u'/')) {
        folder.chop(1);
    }
    return folder + u'/';
}

void CollectSubfolders(FolderSet& set, const std::stop_token& stop) {
    QStringList readable;
    // set.folders is the queue: children join its end, so each level follows the whole level before it.
    for (qsizetype i = 0; i < set.folders.size() && !stop.stop_requested(); ++i) {
        const QString folder = set.folders[i];
        auto names = ReadFolderNames(folder, EntryKind::Folder);
        if (!names) {
            set.unreadable.append(folder);
            continue;
        }
        readable.append(folder);
        SortNaturally(*names);
        for (const QString& name : *names) {
            if (!name.startsWith(u'.')) {
                set.folders.append(folder + name + u'/');
            }
        }
    }
    set.folders = std::move(readable);
}

std::optional<QStringList> ListFiles(const QString& folder) {
    auto names = ReadFolderNames(folder, EntryKind::File);
    if (names) {
        SortNaturally(*names);
    }
    return names;
}

FolderFiles WalkFolder(const QString& folder, const std::stop_token& stop) {
    if (folder.isEmpty()) {
        return {};
    }
    FolderSet set{{AsFolderPath(folder)}, {}};
    CollectSubfolders(set, stop);
    FolderFiles result{{}, std::move(set.unreadable)};
    for (const QString& path : set.folders) {
        if (stop.stop_requested()) {
            break;
        }
        const auto names = ListFiles(path);
        if (!names) {
            result.unreadable.append(path);
            continue;
        }
        for (const QString& name : *names) {
            if (!name.startsWith(u'~')) {
                result.files.append(path + name);
            }
        }
    }
    return result;
}

} // namespace quillmere
