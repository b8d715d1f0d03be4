#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace spinewise {

/// The value below which `fraction` of the samples lie (nearest rank); 0 for none.
inline double percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) return 0;
    std::ranges::sort(samples);
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

}  // namespace spinewise
