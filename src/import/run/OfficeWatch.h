#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace quillmere {

// Watches the calls that wait on the office: one left unanswered for longer than its time makes the watch give
// up, once, on a thread of its own, so that nothing waits on a hung office without a word.
class OfficeWatch {
public:
    using Clock = std::chrono::steady_clock;

    OfficeWatch(std::chrono::milliseconds limit, std::function<void()> giveUp);
    ~OfficeWatch();
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
        explicit Call(OfficeWatch& watch)
            : watch_(watch) {}
        OfficeWatch& watch_;
    };
    [[nodiscard]] Call call(std::chrono::milliseconds extra = {});

private:
    void watch(const std::stop_token& stop);

    const std::chrono::milliseconds limit_;
    const std::function<void()> giveUp_;
    std::mutex lock_;
    std::condition_variable_any changed_;
    // When the call now waiting must have been answered; none while nothing waits.
    std::optional<Clock::time_point> deadline_;
    std::uint64_t calls_ = 0;
    std::jthread thread_;
};

} // namespace quillmere
