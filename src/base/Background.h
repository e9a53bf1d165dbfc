#pragma once

#include <QThreadPool>

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <stop_token>
#include <type_traits>

namespace quillmere {

// The program's one way to work off the calling thread: the threads of one pool, kept and reused from task to task.
// It is Qt's global pool, whose threads the application object waits for as it goes, before any static object.
QThreadPool& backgroundPool();

// While it lives, the calling thread waits and gives its place in the pool up, so that the work it waits for starts
// however many tasks wait: a pool of as many threads as cores never runs out through waiting.
class PoolPlaceGivenUp {
public:
    PoolPlaceGivenUp() { backgroundPool().releaseThread(); }
    ~PoolPlaceGivenUp() { backgroundPool().reserveThread(); }
    PoolPlaceGivenUp(const PoolPlaceGivenUp&) = delete;
    PoolPlaceGivenUp& operator=(const PoolPlaceGivenUp&) = delete;
};

// A future that, as one from std::async, waits for its work when it goes or is given another: work that refers to
// the caller's objects never outlives them, also where an exception leaves the caller's scope. Its waits give the
// waiting thread's place in the pool up.
template <typename Result>
class BackgroundFuture : public std::future<Result> {
public:
    BackgroundFuture() = default;
    explicit BackgroundFuture(std::future<Result> started)
        : std::future<Result>(std::move(started)) {}
    BackgroundFuture(BackgroundFuture&&) noexcept = default;
    BackgroundFuture& operator=(BackgroundFuture&& other) noexcept {
        waitIfValid();
        std::future<Result>::operator=(std::move(other));
        return *this;
    }
    ~BackgroundFuture() { waitIfValid(); }

    Result get() {
        wait();
        return std::future<Result>::get();
    }
    void wait() const {
        if (this->wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            const PoolPlaceGivenUp waiting;
            std::future<Result>::wait();
        }
    }

private:
    void waitIfValid() {
        if (this->valid()) {
            wait();
        }
    }
};

// Runs work on a thread of the pool; the future gives its result, or throws what it threw.
template <typename Work>
BackgroundFuture<std::invoke_result_t<Work>> runInBackground(Work work) {
    using Result = std::invoke_result_t<Work>;
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    BackgroundFuture<Result> result(task->get_future());
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
    BackgroundFuture<void> done_;
};

} // namespace quillmere
