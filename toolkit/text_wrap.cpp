#include "toolkit/text_wrap.h"

#include "book/plain_text.h"
#include "book/text_encoding.h"

#include <algorithm>
#include <set>

namespace {

// The line of `text` that starts at byte `at`; `at` moves to the start of
// the next. A piece is measured each time a character has been added to it.
// `wordWithin`: a piece without a blank gives its last character back to
// the next line, so that the line it ends is no wider than the limit, and
// the text's last piece is measured too.
NoteLine cutLine(const std::string& text, std::size_t& at,
                 const std::function<bool(const std::string&)>& reachesLimit, bool wordWithin) {
    std::string piece, measured;
    bool placed = false;
    std::size_t lastCharacter = 0; // bytes of the piece's last character
    while (true) {
        const bool measuredHere = at < text.size() || wordWithin;
        if (!piece.empty() && measuredHere && reachesLimit(piece)) {
            const std::size_t blank = piece.rfind(' ');
            if (blank != std::string::npos) {
                at -= piece.size() - blank - 1;
                return {piece.substr(0, blank + 1), measured, placed};
            }
            if (wordWithin && lastCharacter < piece.size()) {
                at -= lastCharacter;
                piece.resize(piece.size() - lastCharacter);
            }
            return {trimmedSpaces(piece), measured, placed};
        }
        if (at >= text.size()) return {trimmedSpaces(piece), measured, placed};
        lastCharacter = encoding::characterLength(text, at);
        piece.append(text, at, lastCharacter);
        at += lastCharacter;
        measured = piece;
        placed = true;
    }
}

// The next line; blanks cut off before a word too wide for the room go
// with that word's line, and the blanks that follow a line end it too, so
// that no line is only blanks and none is left empty at the end.
NoteLine nextLine(const std::string& text, std::size_t& at,
                  const std::function<bool(const std::string&)>& reachesLimit, bool wordWithin) {
    const std::size_t start = at;
    NoteLine line = cutLine(text, at, reachesLimit, wordWithin);
    while (at < text.size() && line.text.find_first_not_of(' ') == std::string::npos) {
        const std::string blanks = text.substr(start, at - start);
        line = cutLine(text, at, reachesLimit, wordWithin);
        line.text.insert(0, blanks);
    }
    for (; at < text.size() && text[at] == ' '; ++at)
        line.text += ' ';
    return line;
}

// The widest single character of `text` in the surface's present font: the
// narrowest room a line can have.
double widestCharacter(DrawingSurface& s, const std::string& text) {
    std::set<std::string> characters;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = encoding::characterLength(text, at);
        characters.insert(text.substr(at, length));
        at += length;
    }
    double widest = 0;
    for (const std::string& c : characters)
        widest = std::max(widest, s.TextWidth(c));
    return widest;
}

std::vector<NoteLine> wrapLines(const std::string& text,
                                const std::function<bool(const std::string&)>& reachesLimit,
                                bool wordWithin) {
    std::vector<NoteLine> lines;
    std::size_t at = 0;
    do
        lines.push_back(nextLine(text, at, reachesLimit, wordWithin));
    while (at < text.size());
    return lines;
}

} // namespace

std::vector<NoteLine> wrapNote(const std::string& note,
                               const std::function<bool(const std::string&)>& reachesLimit) {
    return wrapLines(note, reachesLimit, false);
}

std::vector<NoteLine> wrapWithinRoom(const std::string& text,
                                     const std::function<bool(const std::string&)>& passesRoom) {
    return wrapLines(text, passesRoom, true);
}

void printWithin(DrawingSurface& s, const std::string& text, double left, double right,
                 LineAlign align, const std::function<void()>& beforeLine) {
    printWithin(
        s, text, left, [right] { return right; }, align, beforeLine);
}

void printWithin(DrawingSurface& s, const std::string& text, double left,
                 const std::function<double()>& rightAt, LineAlign align,
                 const std::function<void()>& beforeLine) {
    std::size_t at = 0;
    const double narrowest = widestCharacter(s, text);
    do {
        if (beforeLine)
            beforeLine();
        else
            newPageBeforeFoot(s, s.TextHeight(""));
        // A room too small for one character is taken as the narrowest that holds one.
        const double room = std::max(rightAt() - left, narrowest);
        const double right = left + room;
        const auto passesRoom = [&](const std::string& piece) { return s.TextWidth(piece) > room; };
        const std::string shown = trimmedSpaces(nextLine(text, at, passesRoom, true).text);
        const double width = s.TextWidth(shown);
        s.CurrentX = align == LineAlign::Left    ? left
                     : align == LineAlign::Right ? right - width
                                                 : left + (room - width) / 2;
        s.Print(shown);
    } while (at < text.size());
}
