#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace spinewise {

/// Keeps an observer registered for as long as it lives. The owner of a
/// registration holds the token; when the owner goes, the observer goes too.
class ObservationToken {
public:
    ObservationToken() = default;
    explicit ObservationToken(std::function<void()> remove);
    ~ObservationToken();
    ObservationToken(ObservationToken&& other) noexcept;
    ObservationToken& operator=(ObservationToken&& other) noexcept;
    ObservationToken(const ObservationToken&) = delete;
    ObservationToken& operator=(const ObservationToken&) = delete;

    /// Removes the observer now; later calls do nothing.
    void reset();

private:
    std::function<void()> remove_;
};

/// Callbacks registered under names and called synchronously, in registration
/// order, on the thread that notifies. Observers may register or remove
/// observers from inside a callback; one removed during a notification is not
/// called afterwards. Registration and removal are thread-safe, but a removal
/// racing a delivery on another thread may still see that one delivery: keep
/// an observer's removal on the thread that notifies it. The registry must
/// outlive every token it hands out.
class ObserverRegistry {
public:
    using Callback = std::function<void()>;

    [[nodiscard]] ObservationToken add(std::string name, Callback callback);
    void notify(std::string_view name) const;

private:
    struct Slot {
        explicit Slot(Callback c) : callback(std::move(c)) {}
        Callback callback;
        std::atomic<bool> active{true};
    };
    struct Entry {
        std::string name;
        std::shared_ptr<Slot> slot;
    };

    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};

}  // namespace spinewise
