#include "posture/BlazeFaceDecoder.hpp"

#include "foundation/Fatal.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace spinewise {
namespace {

struct AnchorLayer {
    int gridSize;
    int anchorsPerCell;
};
constexpr std::array kAnchorLayers{AnchorLayer{16, 2}, AnchorLayer{8, 6}};

float sigmoid(float logit) {
    // Clipped so that extreme logits stay finite.
    return 1.0f / (1.0f + std::exp(-std::clamp(logit, -100.0f, 100.0f)));
}

float intersectionOverUnion(const cv::Rect2f& a, const cv::Rect2f& b) {
    const float intersection = (a & b).area();
    const float united = a.area() + b.area() - intersection;
    return united > 0 ? intersection / united : 0.0f;
}

BlazeFaceDetection weightedMean(const std::vector<const BlazeFaceDetection*>& cluster) {
    BlazeFaceDetection merged;
    merged.score = cluster.front()->score;
    float total = 0;
    cv::Point2f topLeft, bottomRight;
    for (const auto* detection : cluster) {
        const float weight = detection->score;
        total += weight;
        topLeft += weight * detection->box.tl();
        bottomRight += weight * detection->box.br();
        for (std::size_t k = 0; k < merged.keypoints.size(); ++k)
            merged.keypoints[k] += weight * detection->keypoints[k];
    }
    merged.box = cv::Rect2f(topLeft / total, bottomRight / total);
    for (auto& keypoint : merged.keypoints) keypoint /= total;
    return merged;
}

}  // namespace

BlazeFaceDecoder::BlazeFaceDecoder() {
    anchors_.reserve(kAnchorCount);
    for (const auto& layer : kAnchorLayers) {
        const float stride = static_cast<float>(kInputSize) / static_cast<float>(layer.gridSize);
        for (int row = 0; row < layer.gridSize; ++row)
            for (int column = 0; column < layer.gridSize; ++column)
                for (int anchor = 0; anchor < layer.anchorsPerCell; ++anchor)
                    anchors_.emplace_back((static_cast<float>(column) + 0.5f) * stride,
                                          (static_cast<float>(row) + 0.5f) * stride);
    }
}

std::vector<BlazeFaceDetection> BlazeFaceDecoder::decode(std::span<const float> scores,
                                                         std::span<const float> regressors, float minScore,
                                                         float minIou) const {
    if (scores.size() != anchors_.size() || regressors.size() != anchors_.size() * kValuesPerAnchor)
        fatalError("BlazeFace output of unexpected size: " + std::to_string(scores.size()) + " scores, " +
                   std::to_string(regressors.size()) + " regressors");

    std::vector<BlazeFaceDetection> candidates;
    for (std::size_t i = 0; i < anchors_.size(); ++i) {
        const float score = sigmoid(scores[i]);
        if (score < minScore) continue;
        const auto anchor = anchors_[i];
        const float* raw = regressors.data() + i * kValuesPerAnchor;
        BlazeFaceDetection detection;
        detection.score = score;
        const cv::Point2f centre(anchor.x + raw[0], anchor.y + raw[1]);
        detection.box = cv::Rect2f(centre.x - raw[2] / 2, centre.y - raw[3] / 2, raw[2], raw[3]);
        for (std::size_t k = 0; k < detection.keypoints.size(); ++k)
            detection.keypoints[k] = cv::Point2f(anchor.x + raw[4 + 2 * k], anchor.y + raw[5 + 2 * k]);
        candidates.push_back(detection);
    }
    std::ranges::sort(candidates, std::greater{}, &BlazeFaceDetection::score);

    std::vector<BlazeFaceDetection> faces;
    std::vector<bool> taken(candidates.size(), false);
    for (std::size_t best = 0; best < candidates.size(); ++best) {
        if (taken[best]) continue;
        std::vector<const BlazeFaceDetection*> cluster;
        for (std::size_t other = best; other < candidates.size(); ++other) {
            if (taken[other]) continue;
            if (other != best && intersectionOverUnion(candidates[best].box, candidates[other].box) <= minIou)
                continue;
            taken[other] = true;
            cluster.push_back(&candidates[other]);
        }
        faces.push_back(weightedMean(cluster));
    }
    std::ranges::sort(faces, std::greater{}, [](const BlazeFaceDetection& face) { return face.box.area(); });
    return faces;
}

}  // namespace spinewise
