// The sanitized build's defaults, whatever the environment says: full stack
// traces, and none of the leaks below, which are not ours, reported.
extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1";
}

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n"     // the session bus's cache (X display)
           "leak:libqoffscreen.so\n" // the offscreen windows' stores
           // Locals of Qt's frames, which have no cleanups, that a failure
           // caught at the event boundary passed through.
           "leak:QtSharedPointer::ExternalRefCountData::getAndRef\n"
           "leak:QMutableEventPoint::detach\n"
           "leak:QRegion::QRegion\n"
           "leak:QArrayData::allocate\n";
}
