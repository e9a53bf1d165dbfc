#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <set>

namespace quillmere {

// The deadlines of the calls that wait on the office: each call, whichever thread makes it, owes an answer within the
// limit and the extra time it is given. No thread waits here: the watch's owner looks at the earliest deadline when
// it chooses, and is told when a call's deadline comes before the one it last saw, so that it can look then.
class OfficeWatch {
public:
    using Clock = std::chrono::steady_clock;

    // sooner: told on the calling thread, and once until the owner looks again (earliest()).
    OfficeWatch(std::chrono::milliseconds limit, std::function<void()> sooner);
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

    // When the earliest call now waiting must have been answered; nullopt while none waits.
    std::optional<Clock::time_point> earliest();

private:
    const std::chrono::milliseconds limit_;
    const std::function<void()> sooner_;
    std::mutex lock_;
    // When each call now waiting must have been answered.
    std::multiset<Clock::time_point> deadlines_;
    // The deadline the owner last saw; none while it waits for no call.
    Clock::time_point seen_ = Clock::time_point::max();
};

} // namespace quillmere
