// Qt Multimedia reaches PulseAudio, whose threaded main loop is not built for
// the thread sanitizer: its own mutex, made on the main thread and taken on
// its event thread, is reported as a race.
extern "C" const char* __tsan_default_suppressions() { return "race:libpulsecommon\nrace:libpulse.so\n"; }
