#pragma once

#include "platform/QtMainQueue.hpp"
#include "platform/ScreenSleepWatcher.hpp"
#include "platform/TerminationRequests.hpp"
#include "shell/AppDelegate.hpp"
#include "shell/HotKeyRegistrar.hpp"
#include "shell/HotKeyService.hpp"

#include <memory>

namespace spinewise {

class HistoryWindowController;

/// The running tray program: the main queue on the event loop, the platform
/// services installed for the core's shared objects, the global shortcut, the
/// application delegate and the requests to end. Created on the main thread
/// once the QApplication exists; start() runs the start-up sequence from the
/// event loop, and the end of the event loop saves the settings.
class TrayProgram {
public:
    TrayProgram();
    ~TrayProgram();
    TrayProgram(const TrayProgram&) = delete;
    TrayProgram& operator=(const TrayProgram&) = delete;

    void start();

private:
    AppDelegateEnvironment delegateEnvironment();
    void showHistoryWindow();

    std::shared_ptr<QtMainQueue> mainQueue_;
    TerminationRequests terminationRequests_;
    ScreenSleepWatcher screenSleepWatcher_;
    std::unique_ptr<HotKeyRegistrar> hotKeyRegistrar_;
    std::unique_ptr<AppDelegate> delegate_;
    std::unique_ptr<HotKeyService> hotKeyService_;
    std::unique_ptr<HistoryWindowController> historyWindowController_;
};

}  // namespace spinewise
