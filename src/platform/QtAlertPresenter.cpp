#include "platform/QtAlertPresenter.hpp"

#include "platform/WarningAlert.hpp"

namespace spinewise {

void QtAlertPresenter::presentAlert(std::string_view text) { runWarningAlert(text); }

}  // namespace spinewise
