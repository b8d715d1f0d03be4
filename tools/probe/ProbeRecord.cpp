#include "ProbeRecord.hpp"

#include <nlohmann/json.hpp>

namespace spinewise {
namespace {

nlohmann::json pointJson(const Point& point) { return {{"x", point.x}, {"y", point.y}}; }

}  // namespace

nlohmann::json toJson(const ProbeRecord& record) {
    const auto& face = record.face;
    return {
        {"source", record.source},
        {"frame", record.frameIndex},
        {"imageSize", {{"width", record.imageSize.width}, {"height", record.imageSize.height}}},
        {"face", face ? nlohmann::json{{"x", face->faceRect.x},
                                       {"y", face->faceRect.y},
                                       {"width", face->faceRect.width},
                                       {"height", face->faceRect.height}}
                      : nlohmann::json()},
        {"leftEye", face ? pointJson(face->leftEyePosition) : nlohmann::json()},
        {"rightEye", face ? pointJson(face->rightEyePosition) : nlohmann::json()},
        {"state", toString(record.state)},
        {"detectionMs", record.detectionMilliseconds},
    };
}

}  // namespace spinewise
