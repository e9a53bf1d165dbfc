#pragma once

#include "filelist/FolderWalk.h"

#include <QObject>

#include <thread>

namespace quillmere::filelist {

// Walks one folder at a time off the user-interface thread; what it found comes back as one signal.
class FolderWalkJob : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // Asks a running walk to stop at its next folder and waits for it.
    ~FolderWalkJob() override;

    // Starts the walk; does nothing and returns false while one is running.
    bool start(const QString& folder);
    // Asks a running walk to stop at its next folder, without waiting for it.
    void requestStop() { worker_.request_stop(); }

signals:
    void finished(const quillmere::filelist::FolderFiles& found);

private:
    bool running_ = false;
    std::jthread worker_;
};

} // namespace quillmere::filelist
