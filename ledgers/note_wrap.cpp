#include "ledgers/note_wrap.h"

#include "book/plain_text.h"
#include "book/text_encoding.h"

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
        const std::size_t n = encoding::characterLength(note, i);
        piece.append(note, i, n);
        i += n;
        measured = piece;
        placed = true;
    }
    lines.push_back({trimmedSpaces(piece), measured, placed});
    return lines;
}
