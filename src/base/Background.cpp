#include "base/Background.h"

namespace quillmere {

QThreadPool& backgroundPool() {
    return *QThreadPool::globalInstance();
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
