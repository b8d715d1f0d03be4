#pragma once

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

namespace spinewise::testing {

/// A photograph of the test data, as 8-bit RGB.
inline QImage testPhoto(const char* name) {
    QImage photo(QString(SPINEWISE_TESTDATA_DIR) + "/" + name);
    if (photo.isNull()) ADD_FAILURE() << "missing test photo " << name << " (scripts/fetch-assets.sh)";
    return photo.convertToFormat(QImage::Format_RGB888);
}

/// The picture as a camera frame: BGR, 8 bits a channel.
inline cv::Mat bgrFrame(const QImage& rgb888) {
    const cv::Mat rgb(rgb888.height(), rgb888.width(), CV_8UC3, const_cast<uchar*>(rgb888.constBits()),
                      static_cast<size_t>(rgb888.bytesPerLine()));
    cv::Mat bgr;
    cv::cvtColor(rgb, bgr, cv::COLOR_RGB2BGR);
    return bgr;
}

/// The HUD's pure yellow (the gold in the test photographs is not).
inline bool isHudYellow(QRgb pixel) { return qRed(pixel) >= 245 && qGreen(pixel) >= 245 && qBlue(pixel) <= 30; }

/// How many pixels of a row are HUD yellow.
inline int yellowPixelsInRow(const QImage& image, int row) {
    int count = 0;
    for (int x = 0; x < image.width(); ++x) count += isHudYellow(image.pixel(x, row)) ? 1 : 0;
    return count;
}

inline int yellowPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) count += yellowPixelsInRow(image, y);
    return count;
}

}  // namespace spinewise::testing
