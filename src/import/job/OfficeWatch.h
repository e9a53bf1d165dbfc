#pragma once

#include "base/Background.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>

namespace quillmere {

// Watches the calls that wait on the office: one left unanswered for longer than its time makes the watch give
// up, once, so that nothing waits on a hung office without a word. Each call carries its own deadline, whichever
// thread makes it; the watch waits for the earliest on a thread of the background pool for as long as it lives.
class OfficeWatch {
public:
    using Clock = std::chrono::steady_clock;

    OfficeWatch(std::chrono::milliseconds limit, std::function<void()> giveUp);
    OfficeWatch(const OfficeWatch&) = delete;
    OfficeWatch& operator=(const OfficeWatch&) = delete;

    // While the object lives, the office owes an answer within the limit and the extra time given.
    class Call {
    public:
        ~Call();
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;

    private:
        friend class OfficeWatch;
        Call(OfficeWatch& watch, std::multiset<Clock::time_point>::iterator deadline)
            : watch_(watch)
            , deadline_(deadline) {}
        OfficeWatch& watch_;
        const std::multiset<Clock::time_point>::iterator deadline_;
    };
    [[nodiscard]] Call call(std::chrono::milliseconds extra = {});

private:
    void watch(const std::stop_token& stop);

    const std::chrono::milliseconds limit_;
    const std::function<void()> giveUp_;
    std::mutex lock_;
    std::condition_variable_any changed_;
    // When each call now waiting must have been answered.
    std::multiset<Clock::time_point> deadlines_;
    BackgroundTask task_; // last: it starts once the rest exists, and has ended before the rest goes
};

} // namespace quillmere
