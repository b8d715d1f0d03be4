#include "posture/FaceDetectorFactory.hpp"

#include "foundation/Fatal.hpp"
#include "foundation/ResourceBundle.hpp"
#include "posture/BlazeFaceFinder.hpp"
#include "posture/DlibFaceFinder.hpp"
#include "posture/TrackingFaceDetector.hpp"

namespace spinewise {

std::optional<FaceDetectorKind> faceDetectorKindNamed(std::string_view name) {
    if (name == "blazeface") return FaceDetectorKind::blazeFace;
    if (name == "dlib") return FaceDetectorKind::dlib;
    return std::nullopt;
}

namespace {

std::unique_ptr<RegionFaceFinder> makeFinder(FaceDetectorKind kind) {
    switch (kind) {
        case FaceDetectorKind::blazeFace:
            return std::make_unique<BlazeFaceFinder>(
                ResourceBundle::main().requiredResource(BlazeFaceFinder::kModelResource));
        case FaceDetectorKind::dlib: return std::make_unique<DlibFaceFinder>(DlibFaceFinder::kDefaultPredictorPath);
    }
    fatalError("Unknown face detector kind");
}

}  // namespace

std::unique_ptr<FaceDetector> makeFaceDetector(FaceDetectorKind kind) {
    return std::make_unique<TrackingFaceDetector>(makeFinder(kind));
}

}  // namespace spinewise
