// State that windows hand to each other at run time; never stored in the book.
#pragma once

#include "book/currency.h"

#include <array>
#include <cstdint>
#include <string>

struct RunTimeState {
    std::int32_t CurrentFirstLine = 0;
    std::int32_t CurrentLastLine = 1;
    std::int32_t RowBase = 0;
    std::int32_t LockedBelow = 0;

    std::string CurrentFilePath; // result of the file dialog ("" = cancelled) or current file
    std::string BookFilePath;    // the open book's own path ("" = none)
    std::string BookDirectory;
    Currency BookFileVersion;
    std::string SaveExtension; // "acc", "LWK", "txt", "csv", "xls", "rtf", "htm"
    std::string EnteredPassword;

    std::int32_t ProgressValue = 0;
    std::int32_t ProgressStride = 1;

    std::int16_t PrintCopies = 0;
    float PrintScale = 1.0f;

    Currency NetProfit;
    bool IncludeAllDates = false;
    std::int32_t JournalRevision = 0;
    std::int16_t DateChangedFlag = 0;
    std::int32_t FormPressed = 0;
    std::int16_t SearchMode = 0; // what the search window was last opened for

    double ScaleFactor = 1.0;
    std::string DecimalSeparator = ".";
    std::string ThousandsSeparator = ",";
    std::array<std::int32_t, 37> GradientColors{};

    bool BookChanged = false;
    // Grows with every change made to the book and with every other book put
    // in its place; saving leaves it. Whether a command changed the book is
    // told by it.
    std::uint64_t BookGeneration = 0;
};

// The book was changed: marked changed, a generation on.
void markBookChanged(RunTimeState& run);
// Another book took the open one's place: unchanged since it was read or
// made, and a generation on.
void markBookReplaced(RunTimeState& run);

// The progress stride: lastEntryLine / 99 rounded half to even, at least 1.
std::int32_t progressStrideFor(std::int32_t lastEntryLine);
