#include "foundation/Fatal.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace spinewise {

void fatalError(std::string_view message) {
    const std::string line = "Fatal error: " + std::string(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    std::abort();
}

}  // namespace spinewise
