// What the sanitizers do by default in every test program of the sanitized
// build (LW_SANITIZE), whatever the environment says: a report names where
// each frame of the fault is.
extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1";
}
