#include "windows/calibration/CameraChooser.hpp"

#include "camera/Camera.hpp"

#include <QSignalBlocker>

#include <algorithm>

namespace spinewise {

CameraChooser::CameraChooser(Camera& camera, QWidget* parent) : QComboBox(parent), camera_(camera) {
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this, &CameraChooser::choose);
    reload();
}

void CameraChooser::reload() {
    const QSignalBlocker blocker(this);
    clear();
    const auto& devices = camera_.videoDevices();
    const auto& input = camera_.videoInputDevice();
    for (const auto& device : devices) {
        addItem(QString::fromStdString(device.name), QString::fromStdString(device.uniqueID));
        if (input && *input == device) setCurrentIndex(count() - 1);
    }
    if (!input) setCurrentIndex(-1);
    setEnabled(!devices.empty());
}

void CameraChooser::showPopup() {
    reload();
    QComboBox::showPopup();
}

void CameraChooser::choose(int index) {
    // By identifier: the device list may have changed since it was shown.
    const auto uniqueID = itemData(index).toString().toStdString();
    const auto& devices = camera_.videoDevices();
    const auto found = std::ranges::find(devices, uniqueID, &VideoDevice::uniqueID);
    if (found == devices.end()) {
        reload();
        return;
    }
    const VideoDevice device = *found;
    if (camera_.videoInputDevice() != device) camera_.selectVideoDevice(device);
    reload();
}

}  // namespace spinewise
