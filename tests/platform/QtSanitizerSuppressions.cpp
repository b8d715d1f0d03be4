// Qt and libdbus are not built for the thread sanitizer: the locks that guard
// their event queues and bus connections are invisible to it, so the memory
// calls they make (realloc, memmove, free, sendmsg) look like races. Those
// calls are ignored; every access of our own code is still checked.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6DBus.so.6\n"
           "called_from_lib:libdbus-1.so.3\n";
}
