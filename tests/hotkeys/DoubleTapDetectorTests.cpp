#include "foundation/DoubleTapDetector.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace spinewise {
namespace {

// Modifier bits as the shortcut stores them.
constexpr int command = 0x100;
constexpr int shift = 0x200;
constexpr int option = 0x800;

struct Change {
    int held;
    TimeInterval time;
};

struct Sequence {
    std::string name;
    std::vector<Change> changes;
    std::vector<int> fired;  // modifier bits, in order
};

std::vector<int> firedBy(const std::vector<Change>& changes) {
    DoubleTapDetector detector;
    std::vector<int> fired;
    for (const Change& change : changes)
        if (const std::optional<int> modifier = detector.modifiersChanged(change.held, change.time))
            fired.push_back(*modifier);
    return fired;
}

TEST(DoubleTapDetector, TimedSequences) {
    const std::vector<Sequence> sequences{
        {"two option presses 0.2 s apart fire once", {{option, 0.0}, {0, 0.1}, {option, 0.2}, {0, 0.25}}, {option}},
        {"two presses 0.5 s apart do not fire", {{option, 0.0}, {0, 0.1}, {option, 0.5}, {0, 0.6}}, {}},
        {"a press exactly at the end of the window is late", {{option, 0.0}, {0, 0.1}, {option, 0.3}}, {}},
        {"a late press starts a new tap", {{option, 0.0}, {0, 0.1}, {option, 0.5}, {0, 0.6}, {option, 0.7}}, {option}},
        {"presses of two different modifiers do not fire", {{option, 0.0}, {0, 0.05}, {shift, 0.1}, {0, 0.15}}, {}},
        {"the second of two modifiers becomes the pending tap",
         {{option, 0.0}, {0, 0.05}, {shift, 0.1}, {0, 0.15}, {shift, 0.2}},
         {shift}},
        {"option pressed while command is held does not count",
         {{command, 0.0}, {command | option, 0.05}, {command, 0.1}, {0, 0.12}, {option, 0.15}, {0, 0.2}},
         {}},
        {"after a chord a single press only clears the mark",
         {{0, 0.0}, {command | option, 0.01}, {option, 0.05}, {0, 0.1}, {option, 0.15}, {0, 0.2}, {option, 0.25}},
         {option}},
        {"stray releases are ignored", {{0, 0.0}, {0, 0.05}, {option, 0.1}, {0, 0.15}, {0, 0.17}, {option, 0.2}}, {option}},
        {"a repeated report of the held key is not a second press", {{option, 0.0}, {option, 0.1}, {option, 0.2}}, {}},
        {"a triple tap fires once", {{option, 0.0}, {0, 0.05}, {option, 0.1}, {0, 0.15}, {option, 0.2}}, {option}},
        {"an earlier tap's window end clears a later pending tap",
         {{option, 0.0}, {0, 0.05}, {option, 0.1}, {0, 0.15}, {option, 0.25}, {0, 0.28}, {option, 0.32}},
         {option}},
        {"four quick taps fire twice",
         {{option, 0.0}, {0, 0.05}, {option, 0.1}, {0, 0.15}, {option, 0.2}, {0, 0.25}, {option, 0.28}},
         {option, option}},
        {"a clock that goes back starts afresh", {{option, 5.0}, {0, 5.05}, {option, 1.0}}, {}},
    };
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        EXPECT_EQ(firedBy(sequence.changes), sequence.fired);
    }
}

}  // namespace
}  // namespace spinewise
