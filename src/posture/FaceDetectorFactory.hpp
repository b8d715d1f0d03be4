#pragma once

#include "posture/FaceDetector.hpp"

#include <memory>
#include <optional>
#include <string_view>

namespace spinewise {

enum class FaceDetectorKind {
    blazeFace,  ///< the default: fast, from the model in the resources
    dlib,       ///< the accurate alternative: dlib HOG + 68 landmarks
};

/// "blazeface" or "dlib".
std::optional<FaceDetectorKind> faceDetectorKindNamed(std::string_view name);

/// A back end that searches near the last face first. Its model comes from
/// the program's resources (BlazeFace) or Debian's libdlib-data (dlib); a
/// missing file stops the program with a message naming it.
std::unique_ptr<FaceDetector> makeFaceDetector(FaceDetectorKind kind);

}  // namespace spinewise
