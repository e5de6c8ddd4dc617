#include "ledgers/note_wrap.h"

#include "book/plain_text.h"
#include "book/text_encoding.h"

namespace {

// `wordWithin`: a piece without a blank gives its last character back to
// the next line, so that the line it ends is no wider than the limit.
std::vector<NoteLine> wrapLines(const std::string& note,
                                const std::function<bool(const std::string&)>& reachesLimit,
                                bool wordWithin) {
    std::vector<NoteLine> lines;
    std::string piece, measured;
    bool placed = false;
    std::size_t i = 0;
    std::size_t lastCharacter = 0; // bytes of the piece's last character
    while (i < note.size()) {
        if (!piece.empty() && reachesLimit(piece)) {
            const std::size_t blank = piece.rfind(' ');
            if (blank == std::string::npos) {
                if (wordWithin && lastCharacter < piece.size()) {
                    i -= lastCharacter;
                    piece.resize(piece.size() - lastCharacter);
                }
                lines.push_back({trimmedSpaces(piece), measured, placed});
            } else {
                i -= piece.size() - blank - 1;
                lines.push_back({piece.substr(0, blank + 1), measured, placed});
            }
            piece.clear();
            continue;
        }
        lastCharacter = encoding::characterLength(note, i);
        piece.append(note, i, lastCharacter);
        i += lastCharacter;
        measured = piece;
        placed = true;
    }
    lines.push_back({trimmedSpaces(piece), measured, placed});
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
    const double room = right - left;
    const auto passesRoom = [&](const std::string& piece) { return s.TextWidth(piece) > room; };
    for (const NoteLine& line : wrapWithinRoom(text, passesRoom)) {
        if (beforeLine) beforeLine();
        const std::string shown = trimmedSpaces(line.text);
        const double width = s.TextWidth(shown);
        s.CurrentX = align == LineAlign::Right ? right - width : left + (room - width) / 2;
        s.Print(shown);
    }
}
