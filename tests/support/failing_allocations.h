// A replacement of the global operator new that makes allocations fail on
// purpose, for the tests of what the program does when memory runs short.
// It replaces every form of operator new and delete for the whole executable
// (all of them, or AddressSanitizer keeps its own for the rest): include it in
// exactly one source file of a test. Requests pass until a trigger is armed.
#pragma once

#include <dlfcn.h>
#include <malloc.h>

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

// While 0 or above, the bytes still free to take, as under a memory cap.
inline std::atomic<std::int64_t> bytesLeft{-1};

inline bool askedByQt(const void* caller) {
    static const void* callers[4096]{}; // the answers kept, by caller
    static bool byQt[4096]{};
    const std::size_t k = (reinterpret_cast<std::uintptr_t>(caller) >> 2) % 4096;
    Dl_info in;
    if (callers[k] != caller) byQt[k] = dladdr(caller, &in) && std::strstr(in.dli_fname, "libQt6");
    callers[k] = caller;
    return byQt[k];
}

// Memory for a request of `caller`, or bad_alloc when a trigger refuses it.
inline void* allocate(std::size_t size, const void* caller) {
    if (size >= refuseFrom.load(std::memory_order_relaxed)) throw std::bad_alloc();
    if (failIn >= 0 && !(ownCodeOnly && askedByQt(caller)) && failIn-- == 0) {
        failed = true;
        throw std::bad_alloc();
    }
    const std::int64_t left = bytesLeft.load(std::memory_order_relaxed);
    if (left >= 0 && size > static_cast<std::uint64_t>(left)) throw std::bad_alloc();
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    if (left >= 0) {
        const auto taken = static_cast<std::int64_t>(malloc_usable_size(p));
        bytesLeft.store(left > taken ? left - taken : 0, std::memory_order_relaxed);
    }
    return p;
}

inline void release(void* p) noexcept {
    if (p && bytesLeft.load(std::memory_order_relaxed) >= 0)
        bytesLeft.fetch_add(static_cast<std::int64_t>(malloc_usable_size(p)),
                            std::memory_order_relaxed);
    std::free(p);
}

} // namespace failing_allocations

#pragma GCC diagnostic push
// What is taken with malloc() is given back with free().
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// The plain and the array forms, each with its nothrow and sized variants.
#define LW_FAILING_NEW_DELETE(arr)                                                                 \
    void* operator new arr(std::size_t size) {                                                     \
        return failing_allocations::allocate(size, __builtin_return_address(0));                   \
    }                                                                                              \
    void* operator new arr(std::size_t size, const std::nothrow_t&) noexcept try {                 \
        return failing_allocations::allocate(size, __builtin_return_address(0));                   \
    } catch (const std::bad_alloc&) {                                                              \
        return nullptr;                                                                            \
    }                                                                                              \
    void operator delete arr(void* p) noexcept {                                                   \
        failing_allocations::release(p);                                                           \
    }                                                                                              \
    void operator delete arr(void* p, std::size_t) noexcept {                                      \
        failing_allocations::release(p);                                                           \
    }                                                                                              \
    void operator delete arr(void* p, const std::nothrow_t&) noexcept {                            \
        failing_allocations::release(p);                                                           \
    }
LW_FAILING_NEW_DELETE()
LW_FAILING_NEW_DELETE([])
#undef LW_FAILING_NEW_DELETE

#pragma GCC diagnostic pop
