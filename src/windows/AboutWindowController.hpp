#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace spinewise {

class HyperlinkLabel;
class InfoDictionary;

/// The about window: the program's name, "Version <short version> (<source
/// revision>)" and the copyright line from the information dictionary, and a
/// link to the program's web page. The texts are read once, when the window
/// is first built; without all three dictionary values they keep their
/// defaults. Main thread only.
class AboutWindowController {
public:
    static constexpr const char* kShortVersionKey = "CFBundleShortVersionString";
    static constexpr const char* kRevisionKey = "com.brightfold.spinewise.GitRevChecksum";
    static constexpr const char* kCopyrightKey = "NSHumanReadableCopyright";

    /// The program's controller over its own information dictionary, made on
    /// first use and kept until the process ends.
    static AboutWindowController& shared();

    /// `info` must outlive the controller.
    explicit AboutWindowController(const InfoDictionary& info);
    ~AboutWindowController();
    AboutWindowController(const AboutWindowController&) = delete;
    AboutWindowController& operator=(const AboutWindowController&) = delete;

    const QString& appName() const { return appName_; }
    const QString& version() const { return version_; }
    const QString& copyright() const { return copyright_; }

    /// What the window's "Send Feedback..." button does; without one the
    /// button is not shown. Set before the window is first built.
    void setFeedbackAction(std::function<void()> action) { feedbackAction_ = std::move(action); }

    /// Builds the window on first use, then shows it and brings it to the front.
    void showWindow();
    /// The window, built (and centred on the screen) on first use.
    QWidget& window();
    HyperlinkLabel& link();

private:
    void windowDidLoad();

    const InfoDictionary& info_;
    QString appName_;
    QString version_;
    QString copyright_;
    std::function<void()> feedbackAction_;
    std::unique_ptr<QWidget> window_;
    HyperlinkLabel* link_ = nullptr;
};

}  // namespace spinewise
