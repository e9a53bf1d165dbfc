#include "import/job/OfficeWatch.h"

namespace quillmere {

OfficeWatch::OfficeWatch(std::chrono::milliseconds limit, std::function<void()> giveUp)
    : limit_(limit)
    , giveUp_(std::move(giveUp))
    , task_([this](const std::stop_token& stop) { watch(stop); }) {}

OfficeWatch::Call OfficeWatch::call(std::chrono::milliseconds extra) {
    std::multiset<Clock::time_point>::iterator deadline;
    {
        const std::scoped_lock hold(lock_);
        deadline = deadlines_.insert(Clock::now() + limit_ + extra);
    }
    changed_.notify_all();
    return Call(*this, deadline);
}

OfficeWatch::Call::~Call() {
    {
        const std::scoped_lock hold(watch_.lock_);
        watch_.deadlines_.erase(deadline_);
    }
    watch_.changed_.notify_all();
}

void OfficeWatch::watch(const std::stop_token& stop) {
    std::unique_lock hold(lock_);
    while (!stop.stop_requested()) {
        if (deadlines_.empty()) {
            changed_.wait(hold, stop, [this] { return !deadlines_.empty(); });
            continue;
        }
        const Clock::time_point earliest = *deadlines_.begin();
        if (changed_.wait_until(hold, stop, earliest,
                                [&] { return deadlines_.empty() || *deadlines_.begin() != earliest; })) {
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
