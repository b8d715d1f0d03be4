#include "posture/BlazeFaceNetwork.hpp"

#include "foundation/Fatal.hpp"
#include "posture/BlazeFaceDecoder.hpp"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>

namespace spinewise {
namespace {

// Output tensors: logits of the 16x16 grid (1x512x1), of the 8x8 grid
// (1x384x1), then the regressors of both (1x512x16, 1x384x16).
const std::array<cv::String, 4> kOutputNames{"Identity:0", "Identity_1:0", "Identity_2:0", "Identity_3:0"};

cv::dnn::Net loadNet(const std::filesystem::path& modelPath) {
    try {
        auto net = cv::dnn::readNetFromONNX(modelPath.string());
        if (!net.empty()) return net;
    } catch (const cv::Exception& error) {
        fatalError("Cannot load the face model " + modelPath.string() + ": " + error.msg);
    }
    fatalError("Cannot load the face model " + modelPath.string());
}

void appendFloats(const cv::Mat& tensor, std::vector<float>& destination) {
    const auto* values = tensor.ptr<float>();
    destination.insert(destination.end(), values, values + tensor.total());
}

}  // namespace

BlazeFaceNetwork::BlazeFaceNetwork(const std::filesystem::path& modelPath)
    : net_(loadNet(modelPath)), outputNames_(kOutputNames.begin(), kOutputNames.end()) {
    scores_.reserve(BlazeFaceDecoder::kAnchorCount);
    regressors_.reserve(BlazeFaceDecoder::kAnchorCount * BlazeFaceDecoder::kValuesPerAnchor);
}

BlazeFaceNetwork::Output BlazeFaceNetwork::run(const cv::Mat& bgrInput) {
    cv::cvtColor(bgrInput, rgb_, cv::COLOR_BGR2RGB);
    rgb_.convertTo(normalised_, CV_32FC3, 2.0 / 255.0, -1.0);
    const std::array<int, 4> shape{1, kInputSize, kInputSize, 3};
    net_.setInput(cv::Mat(4, shape.data(), CV_32F, normalised_.data));
    net_.forward(outputs_, outputNames_);

    scores_.clear();
    regressors_.clear();
    appendFloats(outputs_[0], scores_);
    appendFloats(outputs_[1], scores_);
    appendFloats(outputs_[2], regressors_);
    appendFloats(outputs_[3], regressors_);
    return {scores_, regressors_};
}

}  // namespace spinewise
