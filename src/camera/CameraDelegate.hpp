#pragma once

#include "foundation/Geometry.hpp"

#include <opencv2/core/mat.hpp>

#include <string>

namespace spinewise {

class Camera;

/// The receiver of the camera's frames.
class CameraDelegate {
public:
    virtual ~CameraDelegate() = default;

    /// A captured frame (BGR, 8 bits a channel) and its clean aperture (the
    /// whole frame). Called on the camera's frame queue, never on the main thread.
    virtual void camera(Camera& camera, const cv::Mat& frame, Rect cleanAperture) = 0;

    /// How the camera's diagnostic lines name this receiver.
    virtual std::string description() const = 0;
};

}  // namespace spinewise
