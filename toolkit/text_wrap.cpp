#include "toolkit/text_wrap.h"

#include "book/plain_text.h"
#include "book/text_encoding.h"

namespace {

// The line of `text` that starts at byte `at`; `at` moves to the start of
// the next. A piece is measured each time a character has been added to it.
// `wordWithin`: a piece without a blank gives its last character back to
// the next line, so that the line it ends is no wider than the limit, and
// the text's last piece is measured too.
NoteLine nextLine(const std::string& text, std::size_t& at,
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
    do {
        if (beforeLine)
            beforeLine();
        else
            newPageBeforeFoot(s, s.TextHeight(""));
        const double right = rightAt();
        const double room = right - left;
        const auto passesRoom = [&](const std::string& piece) { return s.TextWidth(piece) > room; };
        const std::string shown = trimmedSpaces(nextLine(text, at, passesRoom, true).text);
        const double width = s.TextWidth(shown);
        s.CurrentX = align == LineAlign::Left    ? left
                     : align == LineAlign::Right ? right - width
                                                 : left + (room - width) / 2;
        s.Print(shown);
    } while (at < text.size());
}
