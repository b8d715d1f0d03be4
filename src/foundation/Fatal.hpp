#pragma once

#include <string_view>

namespace spinewise {

/// Stops the program: writes "Fatal error: <message>" on standard error and aborts.
/// For programming errors and installation faults, never for ordinary input.
[[noreturn]] void fatalError(std::string_view message);

}  // namespace spinewise
