#pragma once

#include <string_view>

namespace spinewise {

/// The program's identifier: the name of its data and configuration folders.
inline constexpr std::string_view kBundleIdentifier = "com.brightfold.spinewise";

}  // namespace spinewise
