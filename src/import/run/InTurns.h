#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

namespace quillmere {

// Gives make(0), make(1), ... in this order, made by two threads in turns of a block of items each: the caller of
// next() makes the items of the even-numbered blocks as it asks for them, a thread of its own those of the odd-numbered
// ones, at most one block ahead. Blocks rather than items go between the threads, as a switch of threads for each
// item would cost about as much as making a small one. A failure of make comes out of next() in its turn. make must be
// safe to call from both threads at once.
template <typename Result>
class InTurns {
public:
    // blockEnds: where each block ends, rising; the last is the count of items.
    InTurns(std::vector<int> blockEnds, std::function<Result(int)> make)
        : blockEnds_(std::move(blockEnds))
        , make_(std::move(make))
        , worker_([this](std::stop_token stop) { makeOddBlocks(stop); }) {}
    // The item being made is finished first; no other is begun.
    ~InTurns() = default;
    InTurns(const InTurns&) = delete;
    InTurns& operator=(const InTurns&) = delete;

    Result next() {
        const int item = taken_++;
        if (item == blockEnds_[block_]) {
            ++block_;
        }
        const int first = blockStart(block_);
        if (block_ % 2 == 0) {
            return make_(item);
        }
        if (item == first) {
            std::unique_lock hold(lock_);
            changed_.wait(hold, [this] { return made_.has_value(); });
            fromWorker_ = std::move(*made_);
            made_.reset();
            changed_.notify_all();
        }
        if (std::size_t(item - first) < fromWorker_.size()) {
            return std::move(fromWorker_[std::size_t(item - first)]);
        }
        std::rethrow_exception(failure_);
    }

private:
    int blockStart(std::size_t block) const { return block == 0 ? 0 : blockEnds_[block - 1]; }

    void makeOddBlocks(std::stop_token stop) {
        for (std::size_t block = 1; block < blockEnds_.size(); block += 2) {
            std::vector<Result> results;
            std::exception_ptr failure;
            try {
                for (int item = blockStart(block); item < blockEnds_[block]; ++item) {
                    if (stop.stop_requested()) {
                        return;
                    }
                    results.push_back(make_(item));
                }
            } catch (...) {
                failure = std::current_exception();
            }
            std::unique_lock hold(lock_);
            if (!changed_.wait(hold, stop, [this] { return !made_.has_value(); })) {
                return;
            }
            made_ = std::move(results);
            failure_ = failure;
            changed_.notify_all();
            if (failure) {
                return;
            }
        }
    }

    const std::vector<int> blockEnds_;
    const std::function<Result(int)> make_;
    // The caller's.
    int taken_ = 0;
    std::size_t block_ = 0;
    std::vector<Result> fromWorker_;
    // Between the threads: a block the worker made, and what failed it.
    std::mutex lock_;
    std::condition_variable_any changed_;
    std::optional<std::vector<Result>> made_;
    std::exception_ptr failure_;
    std::jthread worker_; // last: it starts once the rest exists, and is joined before the rest goes
};

} // namespace quillmere
