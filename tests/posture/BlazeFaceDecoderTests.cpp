#include "posture/BlazeFaceDecoder.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace spinewise {
namespace {

constexpr float kConfident = 5.0f;   // sigmoid ~0.993
constexpr float kHopeless = -10.0f;  // sigmoid ~0.00005

/// Raw model output with every anchor hopeless until told otherwise.
struct RawOutput {
    std::vector<float> scores = std::vector<float>(BlazeFaceDecoder::kAnchorCount, kHopeless);
    std::vector<float> regressors =
        std::vector<float>(BlazeFaceDecoder::kAnchorCount * BlazeFaceDecoder::kValuesPerAnchor, 0.0f);

    /// A face at `anchor`: box centre offset (dx, dy) and size; keypoint k at (dx + k - 3, dy + k).
    void setFace(std::size_t anchor, float logit, float dx, float dy, float size) {
        scores[anchor] = logit;
        float* raw = regressors.data() + anchor * BlazeFaceDecoder::kValuesPerAnchor;
        raw[0] = dx;
        raw[1] = dy;
        raw[2] = size;
        raw[3] = size;
        for (int k = 0; k < 6; ++k) {
            raw[4 + 2 * k] = dx + static_cast<float>(k) - 3;
            raw[5 + 2 * k] = dy + static_cast<float>(k);
        }
    }
};

TEST(BlazeFaceDecoder, LaysOutTheAnchorsOfBothGridsCellByCell) {
    const BlazeFaceDecoder decoder;
    const auto& anchors = decoder.anchors();
    ASSERT_EQ(anchors.size(), 896u);
    EXPECT_EQ(anchors[0], cv::Point2f(4, 4));      // 16x16 grid, stride 8, 2 per cell
    EXPECT_EQ(anchors[1], cv::Point2f(4, 4));
    EXPECT_EQ(anchors[2], cv::Point2f(12, 4));     // next cell to the right
    EXPECT_EQ(anchors[32], cv::Point2f(4, 12));    // second row
    EXPECT_EQ(anchors[511], cv::Point2f(124, 124));
    EXPECT_EQ(anchors[512], cv::Point2f(8, 8));    // 8x8 grid, stride 16, 6 per cell
    EXPECT_EQ(anchors[517], cv::Point2f(8, 8));
    EXPECT_EQ(anchors[518], cv::Point2f(24, 8));
    EXPECT_EQ(anchors[895], cv::Point2f(120, 120));
}

TEST(BlazeFaceDecoder, DecodesBoxAndKeypointsRelativeToTheAnchor) {
    RawOutput raw;
    raw.setFace(518, kConfident, 2, -3, 40);  // anchor (24, 8)
    const auto faces = BlazeFaceDecoder().decode(raw.scores, raw.regressors, 0.5f, 0.3f);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_NEAR(faces[0].score, 0.9933f, 1e-4);
    EXPECT_EQ(faces[0].box, cv::Rect2f(6, -15, 40, 40));  // centre (26, 5)
    EXPECT_EQ(faces[0].keypoints[BlazeFaceDetection::rightEye], cv::Point2f(23, 5));
    EXPECT_EQ(faces[0].keypoints[BlazeFaceDetection::leftEye], cv::Point2f(24, 6));
    EXPECT_EQ(faces[0].keypoints[BlazeFaceDetection::leftEar], cv::Point2f(28, 10));
}

TEST(BlazeFaceDecoder, DropsAnchorsBelowTheScoreThreshold) {
    RawOutput raw;
    raw.setFace(100, -0.1f, 0, 0, 20);  // sigmoid just under 0.5
    EXPECT_TRUE(BlazeFaceDecoder().decode(raw.scores, raw.regressors, 0.5f, 0.3f).empty());
    raw.scores[100] = 0.1f;
    EXPECT_EQ(BlazeFaceDecoder().decode(raw.scores, raw.regressors, 0.5f, 0.3f).size(), 1u);
}

TEST(BlazeFaceDecoder, MergesOverlappingAnchorsWeightedByScore) {
    RawOutput raw;
    // Both anchors of the cell at (4, 4); boxes 40 wide, centres 4 apart.
    raw.setFace(0, 2.0f, 0, 0, 40);
    raw.setFace(1, 0.0f, 4, 0, 40);
    const auto faces = BlazeFaceDecoder().decode(raw.scores, raw.regressors, 0.4f, 0.3f);
    ASSERT_EQ(faces.size(), 1u);
    const float high = 1 / (1 + std::exp(-2.0f));
    const float low = 0.5f;
    const float centreX = 4 + 4 * low / (high + low);
    EXPECT_NEAR(faces[0].box.x + faces[0].box.width / 2, centreX, 1e-4);
    EXPECT_NEAR(faces[0].keypoints[BlazeFaceDetection::rightEye].x, centreX - 3, 1e-4);
    EXPECT_FLOAT_EQ(faces[0].score, high) << "the merged face keeps the best score";
}

TEST(BlazeFaceDecoder, KeepsSeparateFacesLargestFirst) {
    RawOutput raw;
    raw.setFace(0, kConfident, 0, 0, 20);     // at (4, 4), small, best score
    raw.setFace(895, 2.0f, 0, 0, 60);         // at (120, 120), large
    const auto faces = BlazeFaceDecoder().decode(raw.scores, raw.regressors, 0.5f, 0.3f);
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_FLOAT_EQ(faces[0].box.width, 60);
    EXPECT_FLOAT_EQ(faces[1].box.width, 20);
}

}  // namespace
}  // namespace spinewise
