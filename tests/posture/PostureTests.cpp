#include "posture/Posture.hpp"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace spinewise {
namespace {

using State = Posture::State;

TEST(Posture, EqualityLooksAtTheStateOnly) {
    const DetectedFace face{{1, 2, 3, 4}, {5, 6}, {7, 8}};
    EXPECT_EQ((Posture{State::poor, 10, face}), (Posture{State::poor, 99, std::nullopt}));
    EXPECT_NE((Posture{State::poor, 10}), (Posture{State::correct, 10}));
    EXPECT_EQ(std::optional<Posture>{}, std::optional<Posture>{});
    EXPECT_NE(std::optional<Posture>{}, std::optional<Posture>(Posture{State::unknown, 0}));
}

TEST(Posture, DescriptionShowsTheStateAndTheDurationSoFar) {
    EXPECT_EQ((Posture{State::poor, 100}.description(112.5)), "poor duration: 12.5");
    EXPECT_EQ((Posture{State::correct, 100}.description(97)), "correct duration: -3.0");
    EXPECT_EQ((Posture{State::unknown, 0}.description(1234567.25)), "unknown duration: 1234567.25");
}

TEST(Posture, StoredFormHasOnlyStateAndStartAndReadsBack) {
    const Posture posture{State::poor, 786000000.5, DetectedFace{{1, 2, 3, 4}, {5, 6}, {7, 8}}};
    const auto json = toJson(posture);
    EXPECT_EQ(json, nlohmann::json::parse(R"({"state":"poor","start":786000000.5})"));

    const auto back = postureFromJson(json);
    EXPECT_EQ(back.state, State::poor);
    EXPECT_EQ(back.start, 786000000.5);
    EXPECT_FALSE(back.detectedFace);
}

TEST(Posture, ReadsEveryStateAndIntegerStarts) {
    EXPECT_EQ(postureFromJson(nlohmann::json::parse(R"({"state":"poor","start":0})")).start, 0.0);
    for (const auto* name : {"correct", "poor", "unknown"}) {
        const auto posture = postureFromJson({{"state", name}, {"start", 1.5}});
        EXPECT_EQ(toString(posture.state), name);
    }
}

TEST(Posture, RejectsWhatIsNotAStoredPosture) {
    for (const auto* text : {
             R"({"state":"Poor","start":1})",
             R"({"state":"","start":1})",
             R"({"state":1,"start":1})",
             R"({"start":1})",
             R"({"state":"poor"})",
             R"({"state":"poor","start":"1"})",
             R"({"state":"poor","start":null})",
             R"(["poor",1])",
         }) {
        SCOPED_TRACE(text);
        EXPECT_THROW(postureFromJson(nlohmann::json::parse(text)), PostureDecodingError);
    }
}

}  // namespace
}  // namespace spinewise
