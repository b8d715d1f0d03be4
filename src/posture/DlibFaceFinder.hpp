#pragma once

#include "posture/RegionFaceFinder.hpp"

#include <filesystem>
#include <memory>

namespace spinewise {

/// Finds faces with dlib's HOG frontal face detector and places the eyes with
/// its 68-point shape predictor (each eye centre is the mean of its six
/// landmarks). Slower than BlazeFace, and precise.
class DlibFaceFinder final : public RegionFaceFinder {
public:
    /// Where Debian's libdlib-data installs the predictor.
    static constexpr const char* kDefaultPredictorPath = "/usr/share/dlib/shape_predictor_68_face_landmarks.dat";

    /// Loads the shape predictor; a file that cannot be read stops the program
    /// with a message naming it.
    explicit DlibFaceFinder(const std::filesystem::path& predictorPath);
    ~DlibFaceFinder() override;

    std::vector<FaceFeature> findFaces(const cv::Mat& bgrImage, const cv::Rect2d& region) override;

private:
    struct Models;
    std::unique_ptr<Models> models_;
};

}  // namespace spinewise
