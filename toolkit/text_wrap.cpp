#include "toolkit/text_wrap.h"

#include "book/plain_text.h"
#include "book/text_encoding.h"

#include <algorithm>
#include <set>

namespace {

// The line of a text that must keep within its room, from byte `at`; `at`
// moves to the start of the next. The first piece that passes the room is
// found by doubling, then halving its length in characters (a longer piece
// is never narrower), so that a long text costs a few measures a line; a
// piece without a blank gives its last character back to the next line.
NoteLine cutWithinRoom(const std::string& text, std::size_t& at,
                       const std::function<bool(const std::string&)>& passesRoom) {
    std::vector<std::size_t> ends; // where the characters from `at` end
    auto reaches = [&](std::size_t count) {
        while (ends.size() < count) {
            const std::size_t from = ends.empty() ? at : ends.back();
            if (from >= text.size()) return false;
            ends.push_back(from + encoding::characterLength(text, from));
        }
        return true;
    };
    auto piece = [&](std::size_t count) { return text.substr(at, ends[count - 1] - at); };
    std::size_t fits = 0, passes = 0; // the longest known to fit, the shortest known to pass
    for (std::size_t count = 1; passes == 0; count *= 2) {
        if (!reaches(count)) count = ends.size();
        if (count > fits && passesRoom(piece(count)))
            passes = count;
        else if (count == ends.size() && !reaches(count + 1)) { // the rest fits
            const std::string rest = text.substr(at);
            at = text.size();
            return {trimmedSpaces(rest), !rest.empty()};
        } else
            fits = count;
    }
    while (passes - fits > 1) {
        const std::size_t mid = fits + (passes - fits) / 2;
        (passesRoom(piece(mid)) ? passes : fits) = mid;
    }
    const std::string passing = piece(passes);
    const std::size_t blank = passing.rfind(' ');
    if (blank != std::string::npos) {
        at += blank + 1;
        return {passing.substr(0, blank + 1), true};
    }
    const std::size_t kept = std::max<std::size_t>(fits, 1); // a wide character alone
    const std::string line = piece(kept);
    at = ends[kept - 1];
    return {trimmedSpaces(line), true};
}

// The line of `text` that starts at byte `at`; `at` moves to the start of
// the next. A piece is measured each time a character has been added to it,
// but for the text's last piece. `wordWithin`: the line keeps within the
// limit (cutWithinRoom).
NoteLine cutLine(const std::string& text, std::size_t& at,
                 const std::function<bool(const std::string&)>& reachesLimit, bool wordWithin) {
    if (wordWithin) return cutWithinRoom(text, at, reachesLimit);
    std::string piece;
    bool placed = false;
    while (true) {
        if (!piece.empty() && at < text.size() && reachesLimit(piece)) {
            const std::size_t blank = piece.rfind(' ');
            if (blank == std::string::npos) return {trimmedSpaces(piece), placed};
            at -= piece.size() - blank - 1;
            return {piece.substr(0, blank + 1), placed};
        }
        if (at >= text.size()) return {trimmedSpaces(piece), placed};
        const std::size_t length = encoding::characterLength(text, at);
        piece.append(text, at, length);
        at += length;
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

// A room taken between two edges (left + width, less left) may come out a
// rounding short of the width it was made for; a piece that passes it by
// no more than this still fits.
constexpr double EdgeRounding = 1e-6; // twips

// The next line within `room` (at least the narrowest that holds one
// character), without outer blanks.
std::string lineWithin(DrawingSurface& s, const std::string& text, std::size_t& at, double room) {
    const auto passesRoom = [&](const std::string& piece) {
        return s.TextWidth(piece) > room + EdgeRounding;
    };
    return trimmedSpaces(nextLine(text, at, passesRoom, true).text);
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
    if (!beforeLine) { // a heading moves whole to the next page where it fits there
        const double height = s.TextHeight("");
        const std::size_t lines = linesWithin(s, text, right - left).size();
        newPageBeforeFoot(s, linesKeptTogether(lines, height, s.ScaleHeight()) * height);
    }
    printWithin(
        s, text, left, [right] { return right; }, align, beforeLine);
}

void printWithin(DrawingSurface& s, const std::string& text, double left,
                 const std::function<double()>& rightAt, LineAlign align,
                 const std::function<void()>& beforeLine) {
    std::size_t at = 0;
    const double narrowest = widestCharacter(s, {text});
    do {
        if (beforeLine)
            beforeLine();
        else
            newPageBeforeFoot(s, s.TextHeight(""));
        // A room too small for one character is taken as the narrowest that holds one.
        const double room = std::max(rightAt() - left, narrowest);
        const double right = left + room;
        const std::string shown = lineWithin(s, text, at, room);
        const double width = s.TextWidth(shown);
        s.CurrentX = align == LineAlign::Left    ? left
                     : align == LineAlign::Right ? right - width
                                                 : left + (room - width) / 2;
        s.Print(shown);
    } while (at < text.size());
}

double widestCharacter(DrawingSurface& s, const std::vector<std::string>& texts) {
    std::set<std::string> characters;
    for (const std::string& text : texts)
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

std::vector<std::string> wordsOf(const std::vector<std::string>& texts) {
    std::set<std::string> words;
    for (const std::string& text : texts)
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find(' ', at), text.size());
            if (end > at) words.insert(text.substr(at, end - at));
            at = end + 1;
        }
    return {words.begin(), words.end()};
}

double narrowestRoom(DrawingSurface& s, const std::vector<std::string>& texts) {
    std::vector<std::string> longer; // broken where they must be
    double widest = 0;
    for (const std::string& word : wordsOf(texts)) {
        if (encoding::characterCount(word) > LongestWholeWord)
            longer.push_back(word);
        else
            widest = std::max(widest, s.TextWidth(word));
    }
    return std::max(widest, widestCharacter(s, longer));
}

std::vector<std::string> linesWithin(DrawingSurface& s, const std::string& text, double room) {
    room = std::max(room, widestCharacter(s, {text}));
    std::vector<std::string> lines;
    std::size_t at = 0;
    do
        lines.push_back(lineWithin(s, text, at, room));
    while (at < text.size());
    return lines;
}

int linesKeptTogether(std::size_t lines, double lineHeight, double pageHeight) {
    const double whole = static_cast<double>(lines) * lineHeight;
    return whole <= pageHeight ? static_cast<int>(std::max<std::size_t>(lines, 1)) : 1;
}

std::size_t printWrappedRow(DrawingSurface& s, const std::vector<RowText>& texts,
                            const std::function<void(int lines)>& room,
                            const std::function<void()>& firstLine,
                            const std::function<void(std::size_t line)>& startLine) {
    const bool bold = s.FontBold;
    std::vector<std::vector<std::string>> lines;
    std::size_t count = 1;
    for (const RowText& text : texts) {
        s.FontBold = text.bold;
        lines.push_back(linesWithin(s, text.text, text.right - text.left));
        count = std::max(count, lines.back().size());
    }
    const double height = s.TextHeight("");
    room(linesKeptTogether(count, height, s.ScaleHeight()));
    for (std::size_t k = 0; k < count; ++k) {
        if (k > 0) room(1);
        const double y = s.CurrentY;
        if (startLine) startLine(k);
        if (k == 0 && firstLine) {
            firstLine();
            s.CurrentY = y;
        }
        for (std::size_t t = 0; t < texts.size(); ++t) {
            if (k >= lines[t].size()) continue;
            const RowText& text = texts[t];
            s.FontBold = text.bold;
            const double width = s.TextWidth(lines[t][k]);
            s.CurrentX = text.align == LineAlign::Left    ? text.left
                         : text.align == LineAlign::Right ? text.right - width
                                                          : (text.left + text.right - width) / 2;
            s.CurrentY = y;
            s.PrintInline(lines[t][k]);
        }
        s.FontBold = bold;
        s.CurrentX = 0;
        s.CurrentY = y + height;
    }
    s.FontBold = bold;
    return count;
}
