#include "import/run/OfficeWatch.h"

namespace quillmere {

OfficeWatch::OfficeWatch(std::chrono::milliseconds limit, std::function<void()> giveUp)
    : limit_(limit)
    , giveUp_(std::move(giveUp))
    , thread_([this](const std::stop_token& stop) { watch(stop); }) {}

OfficeWatch::~OfficeWatch() = default;

OfficeWatch::Call OfficeWatch::call(std::chrono::milliseconds extra) {
    {
        const std::scoped_lock hold(lock_);
        deadline_ = Clock::now() + limit_ + extra;
        ++calls_;
    }
    changed_.notify_all();
    return Call(*this);
}

OfficeWatch::Call::~Call() {
    {
        const std::scoped_lock hold(watch_.lock_);
        watch_.deadline_.reset();
    }
    watch_.changed_.notify_all();
}

void OfficeWatch::watch(const std::stop_token& stop) {
    std::unique_lock hold(lock_);
    while (!stop.stop_requested()) {
        if (!deadline_) {
            changed_.wait(hold, stop, [this] { return deadline_.has_value(); });
            continue;
        }
        const Clock::time_point deadline = *deadline_;
        const std::uint64_t call = calls_;
        if (changed_.wait_until(hold, stop, deadline, [&] { return !deadline_ || calls_ != call; })) {
            continue;
        }
        if (!stop.stop_requested()) {
            hold.unlock();
            giveUp_();
            return;
        }
    }
}

} // namespace quillmere
