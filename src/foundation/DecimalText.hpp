#pragma once

#include <string>

namespace spinewise {

/// A double as the diagnostic lines and descriptions write it: the shortest
/// decimal that reads back to the same value, with ".0" when it is whole
/// (12.5 -> "12.5", 50 -> "50.0", 1e16 -> "1e+16").
std::string decimalText(double value);

}  // namespace spinewise
