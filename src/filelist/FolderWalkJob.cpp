#include "filelist/FolderWalkJob.h"

namespace quillmere::filelist {

FolderWalkJob::~FolderWalkJob() = default;

bool FolderWalkJob::start(const QList<FilePath>& paths) {
    if (running_) {
        return false;
    }
    running_ = true;
    worker_.emplace([this, paths](const std::stop_token& stop) {
        FolderFiles found = expandFolders(paths, stop);
        // Delivered on this object's thread, and dropped if the object is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, found = std::move(found)] {
                running_ = false;
                emit finished(found);
            },
            Qt::QueuedConnection);
    });
    return true;
}

} // namespace quillmere::filelist
