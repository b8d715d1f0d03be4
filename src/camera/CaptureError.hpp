#pragma once

#include <string>
#include <string_view>

namespace spinewise {

/// The domain of the errors the capture back ends make.
inline constexpr std::string_view kCaptureErrorDomain = "com.brightfold.spinewise.capture";

/// Codes of the errors in kCaptureErrorDomain.
enum class CaptureErrorCode {
    deviceNotConnected = 1,
    deviceBusy = 2,
    accessDenied = 3,
    cannotOpen = 4,
    readFailed = 5,
    unsupportedFormat = 6,
};

/// An error of the capture pipeline: where it comes from, its code there and
/// the text the user sees.
struct CaptureError {
    std::string domain;
    int code = 0;
    std::string description;

    static CaptureError make(CaptureErrorCode code, std::string description) {
        return {std::string(kCaptureErrorDomain), static_cast<int>(code), std::move(description)};
    }

    friend bool operator==(const CaptureError&, const CaptureError&) = default;
};

}  // namespace spinewise
