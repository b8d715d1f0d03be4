#pragma once

#include <QComboBox>

namespace spinewise {

class Camera;

/// The camera's device list as a choice: shows the device of the camera's
/// input and selects the device the user picks. The list is read afresh
/// whenever it opens, so cameras plugged in meanwhile show up.
class CameraChooser final : public QComboBox {
public:
    CameraChooser(Camera& camera, QWidget* parent);

    /// Reads the devices and the current input again.
    void reload();

    void showPopup() override;

private:
    void choose(int index);

    Camera& camera_;
};

}  // namespace spinewise
