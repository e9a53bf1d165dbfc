#pragma once

#include "base/Background.h"

#include <exception>
#include <functional>
#include <future>
#include <stop_token>
#include <vector>

namespace quillmere {

// Gives make(0), make(1), ... in this order, made in blocks of items by two threads in turns: the caller of next()
// makes the items of the even-numbered blocks as it asks for them, a thread of the background pool those of the
// odd-numbered ones, at most one block ahead. Blocks rather than items go between the threads, as a switch of threads
// for each item would cost about as much as making a small one. A failure of make comes out of next() in its turn.
// make must be safe to call from both threads at once.
template <typename Result>
class OrderedParallelMap {
public:
    // blockEnds: where each block ends, rising; the last is the count of items.
    OrderedParallelMap(std::vector<int> blockEnds, std::function<Result(int)> make)
        : blockEnds_(std::move(blockEnds))
        , make_(std::move(make)) {
        makeAhead(1);
    }
    // The item being made ahead is finished first; no other is begun.
    ~OrderedParallelMap() { stop_.request_stop(); }
    OrderedParallelMap(const OrderedParallelMap&) = delete;
    OrderedParallelMap& operator=(const OrderedParallelMap&) = delete;

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
            made_ = ahead_.get();
            if (!made_.failure) {
                makeAhead(block_ + 2);
            }
        }
        if (std::size_t(item - first) < made_.results.size()) {
            return std::move(made_.results[std::size_t(item - first)]);
        }
        std::rethrow_exception(made_.failure);
    }

private:
    // A block's items up to the first that failed, and what failed it.
    struct Block {
        std::vector<Result> results;
        std::exception_ptr failure;
    };

    int blockStart(std::size_t block) const { return block == 0 ? 0 : blockEnds_[block - 1]; }

    void makeAhead(std::size_t block) {
        if (block >= blockEnds_.size()) {
            return;
        }
        ahead_ = runInBackground([this, block, stop = stop_.get_token()] {
            Block made;
            try {
                for (int item = blockStart(block); item < blockEnds_[block] && !stop.stop_requested(); ++item) {
                    made.results.push_back(make_(item));
                }
            } catch (...) {
                made.failure = std::current_exception();
            }
            return made;
        });
    }

    const std::vector<int> blockEnds_;
    const std::function<Result(int)> make_;
    int taken_ = 0;
    std::size_t block_ = 0;
    Block made_;
    std::stop_source stop_;
    BackgroundFuture<Block> ahead_; // last: it waits for the block made ahead before the rest goes
};

} // namespace quillmere
