// What the sanitizers do by default in every test program of the sanitized
// build (LW_SANITIZE), whatever the environment says: a report names where
// each frame of the fault is, and the leaks below, none of them ours, go
// unreported. A leak is matched by any frame of where it was allocated.
extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1";
}

extern "C" const char* __lsan_default_suppressions() {
    return
        // The session bus library keeps what it read (the window test on an X display).
        "leak:libdbus-1.so\n"
        // The offscreen platform of the window tests keeps its windows' stores.
        "leak:libqoffscreen.so\n"
        // A failure that the guard at the event boundary catches passes through Qt's
        // own frames, which have no cleanups: their locals are never destroyed. What
        // they held: the weak references of their QPointers, the points of the mouse
        // events they copied, the regions of a paint event, and texts and lists, whose
        // allocation is all the trace shows past Qt's own frames.
        "leak:QtSharedPointer::ExternalRefCountData::getAndRef\n"
        "leak:QMutableEventPoint::detach\n"
        "leak:QRegion::QRegion\n"
        "leak:QArrayData::allocate\n";
}
