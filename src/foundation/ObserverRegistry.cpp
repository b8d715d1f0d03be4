#include "foundation/ObserverRegistry.hpp"

#include <algorithm>
#include <utility>

namespace spinewise {

ObservationToken::ObservationToken(std::function<void()> remove) : remove_(std::move(remove)) {}

ObservationToken::~ObservationToken() { reset(); }

ObservationToken::ObservationToken(ObservationToken&& other) noexcept
    : remove_(std::exchange(other.remove_, nullptr)) {}

ObservationToken& ObservationToken::operator=(ObservationToken&& other) noexcept {
    if (this != &other) {
        reset();
        remove_ = std::exchange(other.remove_, nullptr);
    }
    return *this;
}

void ObservationToken::reset() {
    if (auto remove = std::exchange(remove_, nullptr)) remove();
}

ObservationToken ObserverRegistry::add(std::string name, Callback callback) {
    auto slot = std::make_shared<Slot>(std::move(callback));
    const Slot* identity = slot.get();
    {
        const std::lock_guard lock(mutex_);
        entries_.push_back({std::move(name), std::move(slot)});
    }
    return ObservationToken([this, identity] {
        const std::lock_guard lock(mutex_);
        std::erase_if(entries_, [identity](const Entry& entry) {
            if (entry.slot.get() != identity) return false;
            entry.slot->active = false;
            return true;
        });
    });
}

void ObserverRegistry::notify(std::string_view name) const {
    std::vector<std::shared_ptr<Slot>> matching;
    {
        const std::lock_guard lock(mutex_);
        for (const auto& entry : entries_)
            if (entry.name == name) matching.push_back(entry.slot);
    }
    for (const auto& slot : matching)
        if (slot->active) slot->callback();
}

}  // namespace spinewise
