#pragma once

#include "foundation/Queue.hpp"
#include "foundation/TaskLoop.hpp"

#include <string>
#include <string_view>
#include <thread>

namespace spinewise {

/// A serial queue served by a thread of its own, named after the queue's
/// label (the system shows the first 15 characters).
/// Destruction runs the tasks that are already due, discards delayed tasks
/// that are not, and joins the thread; it must not happen on the queue itself.
class SerialQueue final : public Queue {
public:
    explicit SerialQueue(std::string label);
    ~SerialQueue() override;
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    const std::string& label() const { return label_; }

    void async(Task task) override { loop_.post(0, std::move(task)); }
    DelayedTask asyncAfter(TimeInterval delay, Task task) override {
        return loop_.postCancellable(delay, std::move(task));
    }
    bool isCurrent() const override { return std::this_thread::get_id() == thread_.get_id(); }
    const Clock& clock() const override { return systemClock(); }

    /// Runs `task` on the queue and returns once it has run. Calling it on the
    /// queue itself would wait for ever: that stops the program.
    void sync(const Task& task);

private:
    void serve();

    std::string label_;
    TaskLoop loop_;
    std::thread thread_;
};

}  // namespace spinewise
