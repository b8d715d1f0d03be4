// OpenCV's image codecs load GDAL, which takes its own global and per-object
// mutexes in both orders while it sets itself up on one thread; GDAL is not
// built for the thread sanitizer, so it reports a deadlock that cannot happen.
extern "C" const char* __tsan_default_suppressions() { return "deadlock:libgdal.so\n"; }
