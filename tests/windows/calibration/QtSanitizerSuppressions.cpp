// Qt is not built for the thread sanitizer: its image conversion, scaling and
// drawing hand work to its own thread pool under locks the sanitizer cannot
// see, so the memory calls made there look like races. Those calls are
// ignored; every access of our own code is still checked.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n";
}
