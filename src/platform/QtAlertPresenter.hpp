#pragma once

#include "foundation/AlertPresenter.hpp"

namespace spinewise {

/// Errors the user must see, as modal warning boxes with one "OK".
/// Main thread only.
class QtAlertPresenter final : public AlertPresenter {
public:
    void presentAlert(std::string_view text) override;
};

}  // namespace spinewise
