#pragma once

#include "foundation/Log.hpp"

#include <string_view>

namespace spinewise {

/// Shows an error the user must see. The desktop shell presents it as a modal
/// box with one "OK" button and returns once the user has dismissed it.
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    virtual void presentAlert(std::string_view text) = 0;
};

/// The presenter of a program without a desktop shell: the alert's text
/// becomes a diagnostic line.
class LogAlertPresenter final : public AlertPresenter {
public:
    void presentAlert(std::string_view text) override { logLine(text); }
};

}  // namespace spinewise
