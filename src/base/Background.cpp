#include "base/Background.h"

namespace quillmere {

QThreadPool& backgroundPool() {
    // Its tasks wait on each other and on the office, so a task must never queue behind busy threads: the cap stands
    // far above the few that an import and a folder walk use, and runs given up on a hung office, which keep theirs
    // until it is let go.
    static QThreadPool* const pool = [] {
        QThreadPool* global = QThreadPool::globalInstance();
        global->setMaxThreadCount(256);
        return global;
    }();
    return *pool;
}

BackgroundTask::BackgroundTask(std::function<void(std::stop_token)> work)
    : done_(runInBackground([work = std::move(work), stop = stop_.get_token()] { work(stop); })) {}

BackgroundTask::~BackgroundTask() {
    stop_.request_stop();
} // done_ waits for the work as it goes

bool BackgroundTask::isDone() const {
    return done_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

} // namespace quillmere
