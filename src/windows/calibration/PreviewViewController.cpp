#include "windows/calibration/PreviewViewController.hpp"

#include "camera/Camera.hpp"
#include "foundation/Fatal.hpp"
#include "foundation/Log.hpp"
#include "posture/EyeLevelRule.hpp"
#include "posture/Measure.hpp"
#include "settings/Preferences.hpp"
#include "windows/calibration/CameraChooser.hpp"
#include "windows/calibration/PresetsPopover.hpp"
#include "windows/calibration/PreviewFrameAnalyzer.hpp"
#include "windows/calibration/PreviewView.hpp"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace spinewise {
namespace {

constexpr const char* kShowPresetsTitle = "Presets...";
constexpr const char* kHidePresetsTitle = "Hide Presets";

/// The face mapped from the image onto the preview, where the picture shows aspect-fit.
DetectedFace mappedFace(const DetectedFace& face, Size imageSize, Size targetSize) {
    const auto map = [&](Point eye) { return Measure::convert(eye, imageSize, targetSize, VideoGravity::resizeAspect); };
    return {Measure::convert(face.faceRect, imageSize, targetSize, VideoGravity::resizeAspect),
            map(face.leftEyePosition), map(face.rightEyePosition)};
}

}  // namespace

PreviewViewController::PreviewViewController(CalibrationEnvironment environment, Detector detector, QWidget* parent)
    : PreferencesViewController(tr("Calibration"), parent),
      environment_(std::move(environment)),
      previewView_(new PreviewView(this)),
      cameraChooser_(new CameraChooser(environment_.camera, this)),
      launchAtLoginBox_(new QCheckBox(tr("Start at login"), this)),
      showOnStartUpBox_(new QCheckBox(tr("Show on start-up"), this)),
      loginItemMessage_(new QLabel(this)),
      presetsButton_(new QPushButton(tr(kShowPresetsTitle), this)) {
    analyzer_ = PreviewFrameAnalyzer::make(std::move(detector), environment_.mainQueue,
                                           [this](AnalyzedFrame frame) { showFrame(std::move(frame)); });

    auto* choices = new QFormLayout;
    choices->addRow(tr("Camera:"), cameraChooser_);
    choices->addRow(launchAtLoginBox_);
    choices->addRow(showOnStartUpBox_);
    choices->addRow(loginItemMessage_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(presetsButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(previewView_, 1);
    layout->addLayout(choices);
    layout->addLayout(buttons);

    loginItemMessage_->setWordWrap(true);
    refreshCheckBoxes();
    previewView_->setEyeLevel(environment_.preferences.eyeLevelInPercent());

    connect(previewView_, &PreviewView::pointerLevelChanged, this, &PreviewViewController::setEyeLevelFromPointer);
    connect(launchAtLoginBox_, &QCheckBox::toggled, this, &PreviewViewController::setLaunchAtLogin);
    connect(showOnStartUpBox_, &QCheckBox::toggled, this,
            [this](bool show) { environment_.preferences.setShowPreferencesWindowOnStartUp(show); });
    connect(presetsButton_, &QPushButton::clicked, this, &PreviewViewController::togglePresets);
}

PreviewViewController::~PreviewViewController() { analyzer_->detach(); }

void PreviewViewController::viewDidLoad() {
    PreferencesViewController::viewDidLoad();
    auto& preferences = environment_.preferences;
    observations_.push_back(preferences.observe(std::string(PreferenceKey::notificationColor), [this] {
        requireMainThread("notificationColor observer");
        monochrome_ = MonochromeFilter::forAlertColor(environment_.preferences.notificationColor());
    }));
    observations_.push_back(preferences.observe(std::string(PreferenceKey::eyeLevelInPercent), [this] {
        previewView_->setEyeLevel(environment_.preferences.eyeLevelInPercent());
    }));
    for (const auto key : {PreferenceKey::launchAtLogin, PreferenceKey::showPreferencesWindowOnStartUp})
        observations_.push_back(preferences.observe(std::string(key), [this] { refreshCheckBoxes(); }));
    preferences.announce({PreferenceKey::notificationColor});
}

void PreviewViewController::viewDidAppear() {
    PreferencesViewController::viewDidAppear();
    cameraChooser_->reload();
    environment_.camera.startCapture(analyzer_);
    timer_ = std::make_unique<DispatchTimer>(kTextRefreshInterval, true, environment_.mainQueue,
                                             [this] { refreshNoFaceText(); });
    timer_->start();
}

void PreviewViewController::viewDidDisappear() {
    PreferencesViewController::viewDidDisappear();
    environment_.camera.stopCapture();
    if (timer_) timer_->stop();
    // The popup belongs to the tab on screen; it would float alone otherwise.
    if (presetsPopover_ && presetsPopover_->isVisible()) togglePresets();
}

bool PreviewViewController::setLaunchAtLogin(bool enabled) {
    if (const auto error = environment_.loginItem.setEnabled(enabled)) {
        logLine(error->description);
        loginItemMessage_->setText(QString::fromStdString(error->description));
        loginItemMessage_->setToolTip(QString::fromStdString(error->reason));
        refreshCheckBoxes();
        return false;
    }
    loginItemMessage_->clear();
    loginItemMessage_->setToolTip({});
    environment_.preferences.setLaunchAtLogin(enabled);
    return true;
}

void PreviewViewController::setEyeLevelFromPointer(double fractionOfHeight) {
    if (!(fractionOfHeight > kLowestEyeLevel && fractionOfHeight < kHighestEyeLevel)) return;
    environment_.preferences.setEyeLevelInPercent(fractionOfHeight);
}

void PreviewViewController::togglePresets() {
    if (!presetsPopover_) presetsPopover_ = new PresetsPopover(environment_.presets, environment_.preferences, this);
    if (presetsPopover_->isVisible()) {
        presetsPopover_->close();
        presetsButton_->setText(tr(kShowPresetsTitle));
    } else {
        presetsPopover_->showAbove(*presetsButton_);
        presetsButton_->setText(tr(kHidePresetsTitle));
    }
}

void PreviewViewController::showFrame(AnalyzedFrame frame) {
    const Size target = previewView_->targetSize();
    auto posture = classifyPosture(frame.face, frame.imageSize, target,
                                   environment_.preferences.eyeLevelInPercent(), environment_.mainQueue.clock().now());
    if (frame.face) posture.detectedFace = mappedFace(*frame.face, frame.imageSize, target);
    applyPosture(posture);
    previewView_->setPicture(std::move(frame.picture));
}

void PreviewViewController::applyPosture(const Posture& posture) {
    requireMainThread("posture");
    switch (posture_.assign(posture)) {
        case PreviewPosture::TintChange::tint: previewView_->setFilter(monochrome_); break;
        case PreviewPosture::TintChange::clear: previewView_->setFilter(std::nullopt); break;
        case PreviewPosture::TintChange::keep: break;
    }
    previewView_->setDetectedFace(posture.detectedFace);
}

void PreviewViewController::refreshNoFaceText() {
    if (const auto visible = posture_.noFaceTextVisibility(environment_.mainQueue.clock().now()))
        previewView_->setNoFaceTextVisible(*visible);
}

void PreviewViewController::refreshCheckBoxes() {
    const QSignalBlocker launchBlocker(launchAtLoginBox_);
    const QSignalBlocker startUpBlocker(showOnStartUpBox_);
    launchAtLoginBox_->setChecked(environment_.preferences.launchAtLogin());
    showOnStartUpBox_->setChecked(environment_.preferences.showPreferencesWindowOnStartUp());
}

void PreviewViewController::requireMainThread(const char* operation) const {
    if (!environment_.mainQueue.isCurrent()) fatalError(std::string(operation) + " used off the main thread");
}

}  // namespace spinewise
