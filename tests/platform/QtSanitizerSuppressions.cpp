// Qt and libdbus guard their event queues and bus connections with locks the
// thread sanitizer cannot see (futexes in libraries not built for it), so
// every hand-over through them looks like a race inside those libraries.
// Races in our own code still show: their reports name no such library.
extern "C" const char* __tsan_default_suppressions() {
    return "race:libQt6Core.so\n"
           "race:libQt6DBus.so\n"
           "race:libdbus-1.so\n";
}
