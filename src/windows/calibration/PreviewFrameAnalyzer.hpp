#pragma once

#include "camera/CameraDelegate.hpp"
#include "foundation/Geometry.hpp"
#include "foundation/Queue.hpp"
#include "posture/Detector.hpp"

#include <QImage>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace spinewise {

/// One camera frame made ready for the preview: the picture and the face
/// found in it, in image coordinates (origin bottom left).
struct AnalyzedFrame {
    QImage picture;
    Size imageSize;
    std::optional<DetectedFace> face;
};

/// The preview's camera receiver. On the frame queue it finds the face with
/// its own detector and converts the frame into a picture, then hands the
/// result to the main queue. A frame that arrives while the previous result
/// has not yet reached the main thread is dropped, so a busy main thread
/// never builds a backlog.
class PreviewFrameAnalyzer final : public CameraDelegate,
                                   public std::enable_shared_from_this<PreviewFrameAnalyzer> {
public:
    using Consumer = std::function<void(AnalyzedFrame)>;

    /// `consumer` runs on `mainQueue`, which must outlive the analyzer's deliveries.
    static std::shared_ptr<PreviewFrameAnalyzer> make(Detector detector, Queue& mainQueue, Consumer consumer);

    /// Frame queue.
    void camera(Camera& camera, const cv::Mat& frame, Rect cleanAperture) override;
    std::string description() const override { return "PreviewViewController"; }

    /// Main thread: results still on their way are dropped from now on.
    void detach() { consumer_ = nullptr; }

private:
    PreviewFrameAnalyzer(Detector detector, Queue& mainQueue, Consumer consumer)
        : detector_(std::move(detector)), mainQueue_(mainQueue), consumer_(std::move(consumer)) {}

    void deliver(AnalyzedFrame frame);

    Detector detector_;  // frame queue only
    Queue& mainQueue_;
    Consumer consumer_;  // main thread only
    std::atomic<bool> resultPending_ = false;
};

/// A BGR frame (8 bits a channel) as a picture of its own.
QImage pictureFromBgr(const cv::Mat& frame);

}  // namespace spinewise
