#include "ledgers/note_wrap.h"

#include "book/plain_text.h"

std::vector<NoteLine> wrapNote(const std::string& note,
                               const std::function<bool(const std::string&)>& reachesLimit) {
    std::vector<NoteLine> lines;
    std::string piece, measured;
    bool placed = false;
    std::size_t i = 0;
    while (i < note.size()) {
        if (!piece.empty() && reachesLimit(piece)) {
            const std::size_t blank = piece.rfind(' ');
            if (blank == std::string::npos) {
                lines.push_back({trimmedSpaces(piece), measured, placed});
            } else {
                i -= piece.size() - blank - 1;
                lines.push_back({piece.substr(0, blank + 1), measured, placed});
            }
            piece.clear();
            continue;
        }
        // One UTF-8 character: its lead byte and the continuation bytes after it.
        std::size_t n = 1;
        while (i + n < note.size() && (static_cast<unsigned char>(note[i + n]) & 0xC0) == 0x80)
            ++n;
        piece.append(note, i, n);
        i += n;
        measured = piece;
        placed = true;
    }
    lines.push_back({trimmedSpaces(piece), measured, placed});
    return lines;
}
