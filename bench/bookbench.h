// bookbench: opens a book, times what the program does with it and prints one
// line per operation. Each file bench/bookbench_<topic>.cpp registers its
// operations with LW_BOOKBENCH_STEP; bookbench.cpp runs them in order of name.
#pragma once

#include "book/book.h"
#include "book/book_file.h"
#include "book/runtime_state.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

struct BenchContext {
    Book book;                    // the book opened (or generated)
    std::filesystem::path source; // the file it was read from ("" when generated)
    std::filesystem::path outDir; // --out folder, or a temporary folder removed at the end
    bool keepOutput = false;      // true with --out
    RunTimeState run;
};

struct BenchStep {
    std::string name; // steps run sorted by name: prefix with a number ("20-save-acc")
    std::function<void(BenchContext&)> run;
};

int registerBenchStep(BenchStep step);

// A step whose operation failed prints "  failed: <reason>" and no figure of
// that operation: returns `ok`, so the step can stop there. An empty reason
// is the last message the step showed (bookbench prints each one).
bool reportStep(bool ok, const std::string& reason);
// The same for a file written.
bool reportWrite(const BookWriteResult& result);
// The last message the running step showed the user; "" when none.
std::string lastMessageShown();
// A ledger refused fails like any operation; one whose figure was beyond the
// range is kept, the figure marked, and its message printed beside it.
bool reportLedger(bool refused, const std::string& message);

// Times a callable and prints "<label>: <seconds> s" on a line of its own.
double timeIt(const std::string& label, const std::function<void()>& work);

// Prints the process's peak resident memory so far (getrusage), and per
// journal line when `journalLines` is above 0.
void printPeakMemory(const std::string& when, std::int64_t journalLines = 0);

#define LW_BOOKBENCH_CONCAT2(a, b) a##b
#define LW_BOOKBENCH_CONCAT(a, b) LW_BOOKBENCH_CONCAT2(a, b)
#define LW_BOOKBENCH_STEP(name, fn)                                                                \
    static const int LW_BOOKBENCH_CONCAT(lwBenchStep_, __LINE__) = registerBenchStep({name, fn})
