#include "filelist/FolderEntries.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace quillmere::filelist {

namespace {

struct DirectoryCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

std::optional<EntryKind> kindOfMode(mode_t mode) {
    if (S_ISDIR(mode)) {
        return EntryKind::Folder;
    }
    if (S_ISREG(mode)) {
        return EntryKind::File;
    }
    return std::nullopt;
}

// A link counts only as the file it leads to: a link to a folder could lead back above itself.
std::optional<EntryKind> kindBehindLink(DIR* dir, const char* name) {
    struct stat info {};
    if (fstatat(dirfd(dir), name, &info, 0) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return EntryKind::File;
}

// The entry's own type comes with the name; only links, and file systems that leave the type out, cost a look-up.
std::optional<EntryKind> kindOf(DIR* dir, const dirent& entry) {
    switch (entry.d_type) {
    case DT_DIR:
        return EntryKind::Folder;
    case DT_REG:
        return EntryKind::File;
    case DT_LNK:
        return kindBehindLink(dir, entry.d_name);
    case DT_UNKNOWN:
        break;
    default:
        return std::nullopt;
    }
    struct stat info {};
    if (fstatat(dirfd(dir), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    return S_ISLNK(info.st_mode) ? kindBehindLink(dir, entry.d_name) : kindOfMode(info.st_mode);
}

} // namespace

std::optional<QByteArrayList> readFolderNames(const QByteArray& folder, EntryKind kind) {
    const Directory dir(opendir(folder.constData()));
    if (!dir) {
        return std::nullopt;
    }
    QByteArrayList names;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (entry == nullptr) {
            return errno == 0 ? std::optional(std::move(names)) : std::nullopt;
        }
        if (!isDotOrDotDot(entry->d_name) && kindOf(dir.get(), *entry) == kind) {
            names.append(QByteArray(entry->d_name));
        }
    }
}

} // namespace quillmere::filelist
