#include "import/job/OfficeWatch.h"

namespace quillmere {

OfficeWatch::OfficeWatch(std::chrono::milliseconds limit, std::function<void()> sooner)
    : limit_(limit)
    , sooner_(std::move(sooner)) {}

OfficeWatch::Call OfficeWatch::call(std::chrono::milliseconds extra) {
    std::multiset<Clock::time_point>::iterator deadline;
    bool sooner = false;
    {
        const std::scoped_lock hold(lock_);
        deadline = deadlines_.insert(Clock::now() + limit_ + extra);
        if (*deadline < seen_) {
            seen_ = *deadline;
            sooner = true;
        }
    }
    if (sooner) {
        sooner_();
    }
    return Call(*this, deadline);
}

// A deadline that goes leaves the owner looking at it later than needed, which finds then what is still due.
OfficeWatch::Call::~Call() {
    const std::scoped_lock hold(watch_.lock_);
    watch_.deadlines_.erase(deadline_);
}

std::optional<OfficeWatch::Clock::time_point> OfficeWatch::earliest() {
    const std::scoped_lock hold(lock_);
    seen_ = deadlines_.empty() ? Clock::time_point::max() : *deadlines_.begin();
    return deadlines_.empty() ? std::nullopt : std::optional(seen_);
}

} // namespace quillmere
