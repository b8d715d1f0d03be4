#include "foundation/DecimalText.hpp"

#include <array>
#include <charconv>

namespace spinewise {

std::string decimalText(double value) {
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), written.ptr);
    if (text.find_first_not_of("-0123456789") == std::string::npos) text += ".0";
    return text;
}

}  // namespace spinewise
