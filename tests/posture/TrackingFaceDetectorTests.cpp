#include "posture/TrackingFaceDetector.hpp"

#include <gtest/gtest.h>

#include <deque>

namespace spinewise {
namespace {

/// Records the regions it is asked about and answers from a script, one
/// answer per call (nothing once the script runs out).
class ScriptedFinder final : public RegionFaceFinder {
public:
    ScriptedFinder(std::deque<std::vector<FaceFeature>>* answers, std::vector<cv::Rect2d>* regions)
        : answers_(answers), regions_(regions) {}
    std::vector<FaceFeature> findFaces(const cv::Mat&, const cv::Rect2d& region) override {
        regions_->push_back(region);
        if (answers_->empty()) return {};
        auto answer = answers_->front();
        answers_->pop_front();
        return answer;
    }

private:
    std::deque<std::vector<FaceFeature>>* answers_;
    std::vector<cv::Rect2d>* regions_;
};

FaceFeature faceAt(Rect bounds) { return {bounds, Point{bounds.x + 10, bounds.y + 30}, Point{bounds.x + 30, bounds.y + 30}}; }

class TrackingFaceDetectorTest : public testing::Test {
protected:
    std::deque<std::vector<FaceFeature>> answers;
    std::vector<cv::Rect2d> regions;
    TrackingFaceDetector detector{std::make_unique<ScriptedFinder>(&answers, &regions)};
    const cv::Mat frame = cv::Mat(480, 640, CV_8UC3);  // image coordinates: y = 480 - OpenCV y
    const cv::Rect2d whole{0, -80, 640, 640};
};

TEST_F(TrackingFaceDetectorTest, SquaresAreCentredOnTheImageAndOnTheFace) {
    EXPECT_EQ(TrackingFaceDetector::wholeImageSquare({640, 480}), whole);
    EXPECT_EQ(TrackingFaceDetector::wholeImageSquare({300, 400}), cv::Rect2d(-50, 0, 400, 400));
    // Face 100x80 with its bottom at y = 200 in a 480-high image: OpenCV top 200, centre (150, 240).
    EXPECT_EQ(TrackingFaceDetector::searchSquareAround({100, 200, 100, 80}, 480), cv::Rect2d(50, 140, 200, 200));
}

TEST_F(TrackingFaceDetectorTest, WithoutALastFaceItSearchesTheWholeImageThenRefinesAroundTheFace) {
    const auto coarse = faceAt({100, 200, 100, 100});
    const auto fine = faceAt({102, 201, 98, 98});
    answers = {{coarse}, {fine}};
    EXPECT_EQ(detector.features(frame), std::vector{fine});
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[0], whole);
    EXPECT_EQ(regions[1], TrackingFaceDetector::searchSquareAround(coarse.bounds, 480));
}

TEST_F(TrackingFaceDetectorTest, KeepsTheFirstFindWhenTheRefinementFindsNothing) {
    const auto coarse = faceAt({100, 200, 100, 100});
    answers = {{coarse}, {}};
    EXPECT_EQ(detector.features(frame), std::vector{coarse});
    EXPECT_EQ(regions.size(), 2u);
}

TEST_F(TrackingFaceDetectorTest, SearchesAroundTheLastFaceFirstAndStopsWhenTheFaceIsWellPlaced) {
    const auto face = faceAt({100, 200, 100, 100});
    const auto moved = faceAt({105, 195, 100, 100});  // within a tenth of the square
    answers = {{face}, {face}, {moved}};
    detector.features(frame);
    regions.clear();
    EXPECT_EQ(detector.features(frame), std::vector{moved});
    EXPECT_EQ(regions, std::vector{TrackingFaceDetector::searchSquareAround(face.bounds, 480)});
}

TEST_F(TrackingFaceDetectorTest, FallsBackToTheWholeImageWhenTheFaceHasLeftItsSquare) {
    const auto face = faceAt({100, 200, 100, 100});
    const auto elsewhere = faceAt({400, 100, 100, 100});
    answers = {{face}, {face}, {}, {elsewhere}, {elsewhere}};
    detector.features(frame);
    regions.clear();
    EXPECT_EQ(detector.features(frame), std::vector{elsewhere});
    ASSERT_EQ(regions.size(), 3u);
    EXPECT_EQ(regions[0], TrackingFaceDetector::searchSquareAround(face.bounds, 480));
    EXPECT_EQ(regions[1], whole);
    EXPECT_EQ(regions[2], TrackingFaceDetector::searchSquareAround(elsewhere.bounds, 480));
}

TEST_F(TrackingFaceDetectorTest, ForgetsTheFaceWhenNothingIsFound) {
    const auto face = faceAt({100, 200, 100, 100});
    answers = {{face}, {face}, {}, {}};
    detector.features(frame);
    EXPECT_TRUE(detector.features(frame).empty());
    regions.clear();
    EXPECT_TRUE(detector.features(frame).empty());
    EXPECT_EQ(regions, std::vector{whole}) << "no last face: straight to the whole image";
}

}  // namespace
}  // namespace spinewise
