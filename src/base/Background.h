#pragma once

#include <QThreadPool>

#include <functional>
#include <future>
#include <memory>
#include <stop_token>
#include <type_traits>

namespace quillmere {

// The program's one way to work off the calling thread: the threads of one pool, kept and reused from task to task.
QThreadPool& backgroundPool();

// Runs work on a thread of the pool; the future gives its result, or throws what it threw.
template <typename Work>
std::future<std::invoke_result_t<Work>> runInBackground(Work work) {
    using Result = std::invoke_result_t<Work>;
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    std::future<Result> result = task->get_future();
    backgroundPool().start([task] { (*task)(); });
    return result;
}

// Work on a thread of the pool that can be asked to stop: as with std::jthread, it is asked to and waited for when
// the object goes.
class BackgroundTask {
public:
    explicit BackgroundTask(std::function<void(std::stop_token)> work);
    ~BackgroundTask();
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    void requestStop() { stop_.request_stop(); }
    bool isDone() const;

private:
    std::stop_source stop_;
    std::future<void> done_;
};

} // namespace quillmere
