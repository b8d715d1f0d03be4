#include "foundation/KeyValueObservable.hpp"
#include "foundation/NotificationCenter.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace spinewise {
namespace {

TEST(NotificationCenter, DeliversToObserversOfTheNameInRegistrationOrder) {
    NotificationCenter center;
    std::vector<std::string> calls;
    auto first = center.addObserver("a", [&] { calls.push_back("first"); });
    auto other = center.addObserver("b", [&] { calls.push_back("other"); });
    auto second = center.addObserver("a", [&] { calls.push_back("second"); });

    center.post("a");

    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second"}));
}

TEST(NotificationCenter, ObserverGoesWithItsToken) {
    NotificationCenter center;
    int calls = 0;
    {
        auto token = center.addObserver("a", [&] { ++calls; });
        center.post("a");
    }
    center.post("a");
    EXPECT_EQ(calls, 1);
}

TEST(NotificationCenter, ObserverRemovedDuringDeliveryIsNotCalledAfterwards) {
    NotificationCenter center;
    std::vector<std::string> calls;
    std::optional<ObservationToken> second;
    auto first = center.addObserver("a", [&] {
        calls.push_back("first");
        second.reset();
    });
    second = center.addObserver("a", [&] { calls.push_back("second"); });

    center.post("a");

    EXPECT_EQ(calls, std::vector<std::string>{"first"});
}

TEST(NotificationCenter, ObserverMayRemoveItselfWhileRunning) {
    NotificationCenter center;
    int calls = 0;
    std::optional<ObservationToken> self;
    self = center.addObserver("a", [&, captured = std::string(100, 'x')] {
        self.reset();
        calls += captured.size() == 100 ? 1 : 0;  // captures still valid after removal
    });
    center.post("a");
    center.post("a");
    EXPECT_EQ(calls, 1);
}

TEST(NotificationCenter, MovedTokenKeepsTheRegistration) {
    NotificationCenter center;
    int calls = 0;
    ObservationToken kept;
    {
        auto token = center.addObserver("a", [&] { ++calls; });
        kept = std::move(token);
    }
    center.post("a");
    EXPECT_EQ(calls, 1);
}

class Observed : public KeyValueObservable {
public:
    void set(int value) {
        willChangeValue("value");
        value_ = value;
        didChangeValue("value");
    }
    int value() const { return value_; }

private:
    int value_ = 0;
};

TEST(KeyValueObservable, ObserversSeeTheNewValueAfterTheChange) {
    Observed observed;
    std::vector<int> seen;
    auto token = observed.observe("value", [&] { seen.push_back(observed.value()); });
    auto unrelated = observed.observe("other", [&] { seen.push_back(-1); });

    observed.set(3);
    observed.set(3);

    EXPECT_EQ(seen, (std::vector<int>{3, 3}));
}

TEST(KeyValueObservableDeathTest, DidChangeWithoutWillChangeStopsTheProgram) {
    Observed observed;
    EXPECT_DEATH(observed.didChangeValue("value"),
                 "Fatal error: didChangeValue for \"value\" without willChangeValue");
}

}  // namespace
}  // namespace spinewise
