#include "platform/FrontmostApplication.hpp"

#include <QApplication>

namespace spinewise {

bool isProgramFrontmost() { return QApplication::activeWindow() != nullptr; }

}  // namespace spinewise
