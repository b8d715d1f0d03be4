#include "foundation/DecimalText.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace spinewise {
namespace {

TEST(DecimalText, ShortestRoundTripWithPointZeroForWholeNumbers) {
    const std::vector<std::pair<double, const char*>> cases = {
        {12.5, "12.5"},     {50.0, "50.0"},  {-3.0, "-3.0"},   {0.0, "0.0"},
        {0.1 + 0.2, "0.30000000000000004"},  {1e16, "1e+16"},  {1e-7, "1e-07"},
        {std::numeric_limits<double>::infinity(), "inf"},      {std::nan(""), "nan"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(decimalText(value), text);
}

}  // namespace
}  // namespace spinewise
