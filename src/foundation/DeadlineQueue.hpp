#pragma once

#include "foundation/Clock.hpp"
#include "foundation/Queue.hpp"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

namespace spinewise {

/// Tasks ordered by deadline, first in first out among equal deadlines.
/// Not thread-safe: its owner guards it.
class DeadlineQueue {
public:
    void push(TimeInterval deadline, Task task);

    /// Removes and returns the earliest task whose deadline is at or before
    /// `limit`, with its deadline.
    std::optional<std::pair<TimeInterval, Task>> popDue(TimeInterval limit);

    std::optional<TimeInterval> earliestDeadline() const;

    std::size_t size() const { return tasks_.size(); }

private:
    using Key = std::pair<TimeInterval, std::uint64_t>;  // deadline, submission number
    std::map<Key, Task> tasks_;
    std::uint64_t submitted_ = 0;
};

}  // namespace spinewise
