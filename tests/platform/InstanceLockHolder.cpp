// Takes the single-instance lock and says "held" (then keeps it until its
// standard input closes or it is killed) or "busy".
#include "platform/SingleInstanceLock.hpp"

#include <unistd.h>

#include <cstdio>

int main() {
    const auto lock = spinewise::SingleInstanceLock::acquire();
    std::puts(lock ? "held" : "busy");
    std::fflush(stdout);
    if (!lock) return 1;
    char byte = 0;
    while (::read(STDIN_FILENO, &byte, 1) > 0) {
    }
    return 0;
}
