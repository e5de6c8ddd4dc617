// A replacement of the global operator new that makes allocations fail on
// purpose, for the tests of what the program does when memory runs short.
// It replaces operator new for the whole executable: include it in exactly
// one source file of a test. Every request passes through until a test arms
// one of the two triggers.
#pragma once

#include <dlfcn.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace failing_allocations {

// While lowered, an allocation of at least this many bytes fails, as on a
// machine short of memory.
inline std::atomic<std::size_t> refuseFrom{std::numeric_limits<std::size_t>::max()};
// While 0 or above, counts the allocations down: the one that finds it at 0
// fails, and the count is unarmed (-1) again.
inline long failIn = -1;
// Set when a counted allocation failed.
inline bool failed = false;
// While set, what Qt's own code asks for is not counted: its widgets are not
// made to survive an exception half way through their own work.
inline bool ownCodeOnly = false;

inline bool askedByQt(const void* caller) {
    static const void* callers[4096]{}; // the answers kept, by caller
    static bool byQt[4096]{};
    const std::size_t k = (reinterpret_cast<std::uintptr_t>(caller) >> 2) % 4096;
    Dl_info in;
    if (callers[k] != caller) byQt[k] = dladdr(caller, &in) && std::strstr(in.dli_fname, "libQt6");
    callers[k] = caller;
    return byQt[k];
}

} // namespace failing_allocations

#pragma GCC diagnostic push
// What is taken with malloc() is given back with free().
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    using namespace failing_allocations;
    if (size >= refuseFrom.load(std::memory_order_relaxed)) throw std::bad_alloc();
    if (failIn >= 0 && !(ownCodeOnly && askedByQt(__builtin_return_address(0))) && failIn-- == 0) {
        failed = true;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

#pragma GCC diagnostic pop
