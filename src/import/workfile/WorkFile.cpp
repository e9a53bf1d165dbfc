#include "import/workfile/WorkFile.h"

#include "base/Leftovers.h"
#include "import/text/FileError.h"

#include <QDir>
#include <QTemporaryFile>

#include <mutex>
#include <set>

namespace quillmere {
namespace {

// The paths of the working files that exist, for removeWorkFiles().
struct LiveFiles {
    std::mutex lock;
    std::set<QString> paths;
};

LiveFiles& liveFiles() {
    static LiveFiles files;
    return files;
}

void rewind(QTemporaryFile& file) {
    if (!file.seek(0)) {
        throw FileError(file.fileName(), file.errorString());
    }
}

} // namespace

WorkFile::WorkFile()
    : file_(std::make_unique<QTemporaryFile>(QDir::temp().filePath(ownNamePrefix() + QStringLiteral("XXXXXX.txt")))) {
    if (!file_->open()) {
        throw FileError(file_->fileTemplate(), file_->errorString());
    }
    LiveFiles& live = liveFiles();
    const std::scoped_lock hold(live.lock);
    live.paths.insert(file_->fileName());
}

WorkFile::~WorkFile() {
    LiveFiles& live = liveFiles();
    const std::scoped_lock hold(live.lock);
    live.paths.erase(file_->fileName());
}

void removeWorkFiles() {
    LiveFiles& live = liveFiles();
    const std::scoped_lock hold(live.lock);
    for (const QString& path : live.paths) {
        QFile::remove(path);
    }
}

QString WorkFile::path() const {
    return file_->fileName();
}

QFileDevice& WorkFile::device() {
    return *file_;
}

QFileDevice& WorkFile::emptied() {
    rewind(*file_);
    if (!file_->resize(0)) {
        throw FileError(file_->fileName(), file_->errorString());
    }
    return *file_;
}

} // namespace quillmere
