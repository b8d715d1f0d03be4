#pragma once

#include "foundation/Queue.hpp"
#include "foundation/ObserverRegistry.hpp"
#include "monitoring/DispatchTimer.hpp"
#include "platform/LoginItem.hpp"
#include "posture/Detector.hpp"
#include "windows/PreferencesViewController.hpp"
#include "windows/calibration/MonochromeFilter.hpp"
#include "windows/calibration/PreviewPosture.hpp"

#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace spinewise {

class Camera;
class CameraChooser;
class Preferences;
class Presets;
class PresetsPopover;
class PreviewFrameAnalyzer;
class PreviewView;
struct AnalyzedFrame;

/// What the calibration tab works with. All must outlive the tab.
struct CalibrationEnvironment {
    /// The queue of the tab's thread: frame results and the text timer run there.
    Queue& mainQueue;
    Camera& camera;
    Preferences& preferences;
    Presets& presets;
    LoginItem loginItem;
};

/// The "Calibration" tab: the live preview, in which a click or drag sets the
/// eye level, tinted while the posture in the picture is poor; the camera
/// chooser; "Start at login" and "Show on start-up"; and the presets button.
/// The tab takes the camera as it appears and stops it as it disappears.
/// Main thread only.
class PreviewViewController final : public PreferencesViewController {
public:
    /// How often the "Cannot detect face" text is shown or hidden.
    static constexpr TimeInterval kTextRefreshInterval = 0.3;
    /// The eye level a click sets lies strictly between these.
    static constexpr double kLowestEyeLevel = 0.1;
    static constexpr double kHighestEyeLevel = 0.9;

    /// `detector` finds the faces in the tab's frames, on the camera's frame queue.
    PreviewViewController(CalibrationEnvironment environment, Detector detector, QWidget* parent = nullptr);
    ~PreviewViewController() override;

    /// Takes the alert colour and follows the settings from now on.
    void viewDidLoad() override;
    /// Starts the camera with the tab as receiver and the text timer.
    void viewDidAppear() override;
    /// Stops the camera and the text timer and closes the presets popup; the
    /// picture keeps its last state.
    void viewDidDisappear() override;

    /// Switches the login item; on success the setting follows, on failure
    /// the error shows on the tab (and as a diagnostic line) and the setting
    /// stays. Returns whether it succeeded.
    bool setLaunchAtLogin(bool enabled);
    /// Sets the eye level to a fraction of the preview's height, when it lies
    /// strictly inside (kLowestEyeLevel, kHighestEyeLevel); else nothing.
    void setEyeLevelFromPointer(double fractionOfHeight);
    /// Opens or closes the presets popup above the presets button.
    void togglePresets();

    PreviewView& previewView() const { return *previewView_; }
    CameraChooser& cameraChooser() const { return *cameraChooser_; }
    QCheckBox& launchAtLoginBox() const { return *launchAtLoginBox_; }
    QCheckBox& showOnStartUpBox() const { return *showOnStartUpBox_; }
    QLabel& loginItemMessage() const { return *loginItemMessage_; }
    QPushButton& presetsButton() const { return *presetsButton_; }
    /// None until the presets button was first pressed.
    PresetsPopover* presetsPopover() const { return presetsPopover_; }
    const PreviewPosture& posture() const { return posture_; }

private:
    void showFrame(AnalyzedFrame frame);
    void applyPosture(const Posture& posture);
    void refreshNoFaceText();
    void refreshCheckBoxes();
    void requireMainThread(const char* operation) const;

    CalibrationEnvironment environment_;
    std::shared_ptr<PreviewFrameAnalyzer> analyzer_;
    MonochromeFilter monochrome_ = MonochromeFilter::initial();
    PreviewPosture posture_;
    std::unique_ptr<DispatchTimer> timer_;
    std::vector<ObservationToken> observations_;

    PreviewView* previewView_;
    CameraChooser* cameraChooser_;
    QCheckBox* launchAtLoginBox_;
    QCheckBox* showOnStartUpBox_;
    QLabel* loginItemMessage_;
    QPushButton* presetsButton_;
    PresetsPopover* presetsPopover_ = nullptr;
};

}  // namespace spinewise
