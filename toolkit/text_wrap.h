// A text cut into lines: a journal note for the journal's page and its
// printout, and every text on paper too long for its room (a printout's
// heading, a name, label or reference in its column, the invoice's address,
// names and note): it wraps within its room onto further lines, every letter
// printed.
#pragma once

#include "platform/drawing_surface.h"

#include <functional>
#include <string>
#include <vector>

struct NoteLine {
    std::string text;    // the line as shown
    bool placed = false; // false when no character was read (an empty note)
};

// Lines of `note` cut at their last blank once a piece reaches the limit (a
// piece without a blank is cut where it reaches it; whatever follows the
// blank starts the next line). `reachesLimit` tells whether a
// piece is as wide as the limit or wider. The last line and a line cut
// without a blank drop their outer spaces; the blanks after a line's cut end
// that line, so that no line is only blanks and no empty line ends the text.
// Always at least one line.
std::vector<NoteLine> wrapNote(const std::string& note,
                               const std::function<bool(const std::string&)>& reachesLimit);

// The same cut for a text that must keep within its room: `passesRoom` tells
// whether a piece is wider than the room, and a piece without a blank ends
// before the character that made it too wide, which starts the next line (a
// single character wider than the room has a line of its own). The last
// piece is measured too.
std::vector<NoteLine> wrapWithinRoom(const std::string& text,
                                     const std::function<bool(const std::string&)>& passesRoom);

enum class LineAlign { Left, Centre, Right };

// Prints `text` from the surface's current line down, in lines that keep
// between x = left and x = right, each starting at `left`, centred between
// the two or ending at `right`, without outer blanks. A room too small for
// one character (or none) is taken as the narrowest that holds the text's
// widest character, from `left`. A text that fits takes
// one line. Before each line `beforeLine` is called when given (to start the
// printout's own next page where the line would pass the foot); otherwise
// the text's lines start the next page where they would pass the foot and a
// page holds them all (a heading is not parted), else each line that would.
void printWithin(DrawingSurface& s, const std::string& text, double left, double right,
                 LineAlign align, const std::function<void()>& beforeLine = nullptr);
// The same with a right edge that depends on where the line is: `rightAt`
// is asked once per line, at its position; without `beforeLine` each line
// that would pass the foot starts the next page.
void printWithin(DrawingSurface& s, const std::string& text, double left,
                 const std::function<double()>& rightAt, LineAlign align,
                 const std::function<void()>& beforeLine = nullptr);

// The lines `text` takes within `room` twips in the surface's present font,
// as printWithin cuts them, without outer blanks; at least one.
std::vector<std::string> linesWithin(DrawingSurface& s, const std::string& text, double room);
// The widest single character of `texts` in the surface's present font: the
// narrowest room their lines can keep within.
double widestCharacter(DrawingSurface& s, const std::vector<std::string>& texts);
// The longest word, in characters, that a printout never breaks across
// lines: its fit gives each such word its width (narrowestRoom).
inline constexpr std::size_t LongestWholeWord = 20;
// The narrowest room in which `texts` wrap with no word of up to
// LongestWholeWord characters broken (words are what blanks part): the
// widest such word, or the widest character of a longer one, in the
// surface's present font.
double narrowestRoom(DrawingSurface& s, const std::vector<std::string>& texts);
// The words of `texts` (what blanks part), each once: texts that wrap in one
// room as narrowestRoom measures them, to be measured at many sizes.
std::vector<std::string> wordsOf(const std::vector<std::string>& texts);

// A text of a printed table's row that wraps within its cell, in its weight.
struct RowText {
    std::string text;
    double left = 0, right = 0;
    bool bold = false;
    LineAlign align = LineAlign::Left;
};
// How many of a row's `lines` lines, each `lineHeight` twips high, are kept
// together before it: all where a page `pageHeight` twips high holds them
// (the row moves whole to the next page), else the first (it goes on over
// the pages).
int linesKeptTogether(std::size_t lines, double lineHeight, double pageHeight);
// Prints a row from the surface's current line down: each of `texts` wrapped
// within its cell, line under line. `room(lines)` starts the printout's next
// page where that many more lines would pass the foot: before the row with
// the lines kept together, before each further line with one. `firstLine`
// draws what stays on the row's first line (its figures), before its texts;
// `startLine(k)` when given what lies under the row's k-th line (a band),
// first of all. Ends the row's last line; returns how many lines it took.
std::size_t printWrappedRow(DrawingSurface& s, const std::vector<RowText>& texts,
                            const std::function<void(int lines)>& room,
                            const std::function<void()>& firstLine,
                            const std::function<void(std::size_t line)>& startLine = nullptr);
