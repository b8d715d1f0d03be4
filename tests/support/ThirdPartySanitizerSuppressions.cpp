// Libraries that are not built for the thread sanitizer, linked into every
// test program. Every access of our own code is still checked.
// - OpenCV's image codecs load GDAL, which takes its own global and per-object
//   mutexes in both orders while it sets itself up on one thread: a deadlock
//   report that cannot happen.
// - PulseAudio (reached through Qt Multimedia): its threaded main loop's own
//   mutex, made on the main thread and taken on its event thread.
// - Qt, GLib (its event loop under Qt's threads) and libdbus: the locks that
//   guard their event queues, wake-up descriptors, bus connections and image
//   work in Qt's thread pool are invisible to the sanitizer, so the memory and
//   descriptor calls made there (realloc, memmove, free, write, sendmsg) look
//   like races.
extern "C" const char* __tsan_default_suppressions() {
    return "deadlock:libgdal.so\n"
           "race:libpulsecommon\n"
           "race:libpulse.so\n"
           "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libQt6DBus.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n"
           "called_from_lib:libdbus-1.so.3\n";
}
