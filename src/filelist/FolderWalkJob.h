#pragma once

#include "base/Background.h"
#include "filelist/FolderWalk.h"

#include <QObject>

#include <optional>

namespace quillmere::filelist {

// Expands the folders among paths (expandFolders) one list at a time off the user-interface thread, on a thread of the
// background pool; what it found comes back as one signal on the object's own thread.
class FolderWalkJob : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // Asks a running walk to stop at its next folder and waits for it.
    ~FolderWalkJob() override;

    // Starts the walk; does nothing and returns false while one is running.
    bool start(const QList<FilePath>& paths);
    // Asks a running walk to stop at its next folder, without waiting for it.
    void requestStop() {
        if (worker_) {
            worker_->requestStop();
        }
    }

signals:
    void finished(const quillmere::filelist::FolderFiles& found);

private:
    bool running_ = false;
    std::optional<BackgroundTask> worker_;
};

} // namespace quillmere::filelist
