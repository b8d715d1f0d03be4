#pragma once

#include <opencv2/dnn/dnn.hpp>

#include <filesystem>
#include <span>

namespace spinewise {

/// The front BlazeFace model (128x128) run by OpenCV's dnn module. The ONNX
/// graph takes NHWC input, 1x128x128x3 RGB scaled to [-1, 1], and yields
/// per-anchor logits and regressors for the 16x16 and 8x8 anchor grids.
class BlazeFaceNetwork {
public:
    static constexpr int kInputSize = 128;

    /// Loads the model; a file that cannot be read stops the program with a
    /// message naming it.
    explicit BlazeFaceNetwork(const std::filesystem::path& modelPath);

    struct Output {
        std::span<const float> scores;      ///< 896 logits, anchor order
        std::span<const float> regressors;  ///< 896 x 16 values, anchor order
    };

    /// Runs the model on a 128x128 BGR image (8UC3). The spans stay valid
    /// until the next call.
    Output run(const cv::Mat& bgrInput);

private:
    cv::dnn::Net net_;
    std::vector<cv::String> outputNames_;
    cv::Mat rgb_;
    cv::Mat normalised_;
    std::vector<cv::Mat> outputs_;
    std::vector<float> scores_;
    std::vector<float> regressors_;
};

}  // namespace spinewise
