#include "HaarFaceFinder.hpp"

#include "posture/ImageCoordinates.hpp"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>

namespace spinewise {
namespace {

cv::CascadeClassifier loadCascade(const std::filesystem::path& path) {
    cv::CascadeClassifier cascade;
    if (!cascade.load(path.string())) {
        std::cerr << "spinewise-bench: cannot load " << path.string() << " (Debian package opencv-data)\n";
        std::exit(1);
    }
    return cascade;
}

cv::Point2d centre(const cv::Rect& rect) { return {rect.x + rect.width / 2.0, rect.y + rect.height / 2.0}; }

}  // namespace

HaarFaceFinder::HaarFaceFinder(const std::filesystem::path& cascadeDirectory)
    : faces_(loadCascade(cascadeDirectory / "haarcascade_frontalface_default.xml")),
      eyes_(loadCascade(cascadeDirectory / "haarcascade_eye.xml")) {}

std::vector<FaceFeature> HaarFaceFinder::findFaces(const cv::Mat& bgrImage, const cv::Rect2d& region) {
    const cv::Rect inside = cv::Rect(static_cast<int>(std::floor(region.x)), static_cast<int>(std::floor(region.y)),
                                     static_cast<int>(std::ceil(region.width)),
                                     static_cast<int>(std::ceil(region.height))) &
                            cv::Rect(0, 0, bgrImage.cols, bgrImage.rows);
    if (inside.empty()) return {};
    cv::Mat grey;
    cv::cvtColor(bgrImage(inside), grey, cv::COLOR_BGR2GRAY);
    cv::equalizeHist(grey, grey);

    // Faces under a tenth of the frame height are not someone at the screen.
    const int minFace = std::max(24, bgrImage.rows / 10);
    std::vector<cv::Rect> faceRects;
    faces_.detectMultiScale(grey, faceRects, 1.1, 3, 0, cv::Size(minFace, minFace));
    std::ranges::sort(faceRects, std::greater{}, &cv::Rect::area);

    std::vector<FaceFeature> faces;
    for (const auto& face : faceRects) {
        const cv::Rect upperHalf(face.x, face.y, face.width, face.height / 2);
        std::vector<cv::Rect> eyeRects;
        eyes_.detectMultiScale(grey(upperHalf), eyeRects, 1.1, 3, 0, cv::Size(face.width / 8, face.width / 8));
        std::ranges::sort(eyeRects, std::greater{}, &cv::Rect::area);
        const cv::Point2d offset(inside.x + upperHalf.x, inside.y + upperHalf.y);
        const cv::Rect2d bounds(face.x + inside.x, face.y + inside.y, face.width, face.height);
        if (eyeRects.size() >= 2) {
            faces.push_back(faceWithEyes(bounds, centre(eyeRects[0]) + offset, centre(eyeRects[1]) + offset,
                                         bgrImage.rows));
            continue;
        }
        FaceFeature feature{bottomLeftRect(bounds, bgrImage.rows), std::nullopt, std::nullopt};
        if (eyeRects.size() == 1) {
            const auto eye = centre(eyeRects[0]) + offset;
            (eye.x < bounds.x + bounds.width / 2 ? feature.leftEyePosition : feature.rightEyePosition) =
                bottomLeftPoint(eye, bgrImage.rows);
        }
        faces.push_back(feature);
    }
    return faces;
}

}  // namespace spinewise
