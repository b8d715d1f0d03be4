#include "windows/calibration/PreviewPosture.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace spinewise {
namespace {

using State = Posture::State;
using Tint = PreviewPosture::TintChange;

TEST(PreviewPostureTest, TintFollowsChangesOfStateOnly) {
    const struct {
        const char* name;
        std::vector<State> states;
        std::vector<Tint> tints;
    } cases[] = {
        {"poor tints, correct clears", {State::poor, State::correct}, {Tint::tint, Tint::clear}},
        {"a repeated state changes nothing", {State::poor, State::poor, State::correct, State::correct},
         {Tint::tint, Tint::keep, Tint::clear, Tint::keep}},
        {"a lost face keeps the tint until the next correct posture", {State::poor, State::unknown, State::correct},
         {Tint::tint, Tint::keep, Tint::clear}},
        {"poor after unknown tints again", {State::poor, State::unknown, State::poor},
         {Tint::tint, Tint::keep, Tint::tint}},
        {"the first posture may be unknown", {State::unknown, State::poor}, {Tint::keep, Tint::tint}},
    };
    for (const auto& [name, states, tints] : cases) {
        SCOPED_TRACE(name);
        PreviewPosture posture;
        std::vector<Tint> seen;
        for (const auto state : states) seen.push_back(posture.assign(Posture{state, 0, std::nullopt}));
        EXPECT_EQ(seen, tints);
    }
}

TEST(PreviewPostureTest, KeepsTheStartOfTheCurrentState) {
    PreviewPosture posture;
    posture.assign({State::correct, 10, std::nullopt});
    posture.assign({State::correct, 11, std::nullopt});
    posture.assign({State::correct, 12, std::nullopt});
    EXPECT_EQ(posture.posture()->start, 10);

    posture.assign({State::poor, 13, std::nullopt});
    EXPECT_EQ(posture.posture()->start, 13);
}

TEST(PreviewPostureTest, TheNoFaceTextShowsOnlyAfterTheFaceIsMissingForMoreThanTheDelay) {
    PreviewPosture posture;
    EXPECT_EQ(posture.noFaceTextVisibility(100), std::nullopt) << "no posture yet: left as it is";

    posture.assign({State::unknown, 100, std::nullopt});
    EXPECT_EQ(posture.noFaceTextVisibility(100.3), std::nullopt) << "exactly the delay: not yet";
    EXPECT_EQ(posture.noFaceTextVisibility(100.31), true);

    for (const auto state : {State::correct, State::poor}) {
        posture.assign({state, 101, std::nullopt});
        EXPECT_EQ(posture.noFaceTextVisibility(200), false);
    }
}

}  // namespace
}  // namespace spinewise
