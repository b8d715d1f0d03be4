#include "posture/DlibFaceFinder.hpp"

#include "foundation/Fatal.hpp"
#include "posture/ImageCoordinates.hpp"

#include <dlib/image_processing.h>
#include <dlib/image_processing/frontal_face_detector.h>
#include <dlib/opencv/cv_image.h>

#include <algorithm>
#include <cmath>

namespace spinewise {
namespace {

// Landmarks of the 68-point layout: the eye on the image's left, then the other.
constexpr unsigned long kFirstEyeLandmark = 36;
constexpr unsigned long kSecondEyeLandmark = 42;
constexpr unsigned long kLandmarksPerEye = 6;

/// dlib reports pixel indices; a pixel's centre lies half a pixel in.
cv::Point2d eyeCentre(const dlib::full_object_detection& shape, unsigned long firstLandmark, cv::Point2d offset) {
    cv::Point2d sum;
    for (unsigned long i = firstLandmark; i < firstLandmark + kLandmarksPerEye; ++i)
        sum += cv::Point2d(static_cast<double>(shape.part(i).x()), static_cast<double>(shape.part(i).y()));
    return sum / static_cast<double>(kLandmarksPerEye) + cv::Point2d(0.5, 0.5) + offset;
}

cv::Rect2d pixelBounds(const dlib::rectangle& rect, cv::Point2d offset) {
    return {static_cast<double>(rect.left()) + offset.x, static_cast<double>(rect.top()) + offset.y,
            static_cast<double>(rect.width()), static_cast<double>(rect.height())};
}

}  // namespace

struct DlibFaceFinder::Models {
    dlib::frontal_face_detector faceDetector = dlib::get_frontal_face_detector();
    dlib::shape_predictor shapePredictor;
};

DlibFaceFinder::DlibFaceFinder(const std::filesystem::path& predictorPath) : models_(std::make_unique<Models>()) {
    try {
        dlib::deserialize(predictorPath.string()) >> models_->shapePredictor;
    } catch (const std::exception& error) {
        fatalError("Cannot load the shape predictor " + predictorPath.string() + ": " + error.what());
    }
}

DlibFaceFinder::~DlibFaceFinder() = default;

std::vector<FaceFeature> DlibFaceFinder::findFaces(const cv::Mat& bgrImage, const cv::Rect2d& region) {
    const cv::Rect inside = cv::Rect(static_cast<int>(std::floor(region.x)), static_cast<int>(std::floor(region.y)),
                                     static_cast<int>(std::ceil(region.width)),
                                     static_cast<int>(std::ceil(region.height))) &
                            cv::Rect(0, 0, bgrImage.cols, bgrImage.rows);
    if (inside.empty()) return {};
    const cv::Mat area = bgrImage(inside);
    const dlib::cv_image<dlib::bgr_pixel> view(area);
    const cv::Point2d offset(inside.x, inside.y);

    auto rects = models_->faceDetector(view);
    std::ranges::sort(rects, std::greater{}, [](const dlib::rectangle& rect) { return rect.area(); });
    std::vector<FaceFeature> faces;
    for (const auto& rect : rects) {
        const auto shape = models_->shapePredictor(view, rect);
        faces.push_back(faceWithEyes(pixelBounds(rect, offset), eyeCentre(shape, kFirstEyeLandmark, offset),
                                     eyeCentre(shape, kSecondEyeLandmark, offset), bgrImage.rows));
    }
    return faces;
}

}  // namespace spinewise
