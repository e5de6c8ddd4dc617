// The paper sizes a printer can be set to, by the paper codes 1 to 41 that
// the program's print setup and its stored choices use.
#pragma once

#include <optional>
#include <string>

constexpr int FirstPaperCode = 1;
constexpr int LastPaperCode = 41;

struct PaperSize {
    int code;
    const char* name; // as shown in the print setup's paper list
    double widthMm;   // as the sheet is fed
    double heightMm;
};

// The paper of a code 1..41; nullopt for any other code.
std::optional<PaperSize> paperSizeByCode(int code);
// The name shown for a code; "" for an unknown code.
std::string paperName(int code);
// Whether the sheet of a code measures width x height (millimetres, either
// way round) within `toleranceMm`.
bool paperMatches(int code, double widthMm, double heightMm, double toleranceMm = 1.0);
// The code whose sheet measures width x height (millimetres, either way
// round) within `toleranceMm`; the lowest such code, or nullopt.
std::optional<int> paperCodeForSize(double widthMm, double heightMm, double toleranceMm = 1.0);
