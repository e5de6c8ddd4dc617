// The chart put out whole: the clipboard copy (tab-separated text and the
// same table as RTF) and the printout. Every slot 0..LastAccount is written
// in table order, empty rows included, each with the caption of its class.
#pragma once

#include "book/book.h"

#include <string>

class DrawingSurface;

// The string-table number of a class label's caption (a class outside 0..8
// has Other's).
int classCaptionText(int accountType);
// The caption itself, in the user's language.
std::string classCaption(int accountType);

// "Folio", TAB, "Account Name", TAB, "Account Type", CR LF CR LF, then per
// slot the number (`decimalMark`, never "-"), TAB, the name, TAB, the class,
// CR LF.
std::string chartCopyText(const Book& book, const std::string& decimalMark);
// The same table as an RTF document in Windows-1252, in the book's font;
// characters beyond the code page as \uN.
std::string chartCopyRtf(const Book& book, const std::string& decimalMark);

// Column lefts of the printout, in twips from the margin.
inline constexpr double ChartNameColumn = 1100;
inline constexpr double ChartTypeColumn = 6200;

// Prints the chart from the top of the surface at `zoom` times its font
// size: the business name, the column heads, then a line per slot; pages
// follow as the page fills. Where a number would reach the name column the
// zoom is lowered until none does; a name wider than its room before the
// type column, a class caption wider than the page's edge and a business
// name wider than the page wrap onto further lines, every letter printed.
void printChart(DrawingSurface& surface, const Book& book, const std::string& decimalMark,
                double zoom);
