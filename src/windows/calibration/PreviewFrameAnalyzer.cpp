#include "windows/calibration/PreviewFrameAnalyzer.hpp"

namespace spinewise {

std::shared_ptr<PreviewFrameAnalyzer> PreviewFrameAnalyzer::make(Detector detector, Queue& mainQueue,
                                                                 Consumer consumer) {
    return std::shared_ptr<PreviewFrameAnalyzer>(
        new PreviewFrameAnalyzer(std::move(detector), mainQueue, std::move(consumer)));
}

void PreviewFrameAnalyzer::camera(Camera&, const cv::Mat& frame, Rect cleanAperture) {
    if (resultPending_.exchange(true)) return;
    AnalyzedFrame analyzed{pictureFromBgr(frame), Size{cleanAperture.width, cleanAperture.height},
                           detector_.detectFace(frame)};
    mainQueue_.async([weakSelf = weak_from_this(), analyzed = std::move(analyzed)]() mutable {
        if (const auto self = weakSelf.lock()) self->deliver(std::move(analyzed));
    });
}

void PreviewFrameAnalyzer::deliver(AnalyzedFrame frame) {
    resultPending_ = false;
    if (consumer_) consumer_(std::move(frame));
}

QImage pictureFromBgr(const cv::Mat& frame) {
    // 32-bit pixels: the form Qt scales and draws fastest, made here off the main thread.
    return QImage(frame.data, frame.cols, frame.rows, static_cast<qsizetype>(frame.step), QImage::Format_BGR888)
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace spinewise
