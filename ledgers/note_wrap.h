// A journal note cut into lines for the journal's page and its printout.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct NoteLine {
    std::string text;     // the line as shown
    std::string measured; // the text read when the line was cut: it places the line
    bool placed = false;  // false when no character was read (an empty note)
};

// Lines of `note` cut at their last blank once a piece reaches the limit (a
// piece without a blank is cut where it reaches it; whatever follows the
// blank starts the next line). `reachesLimit` tells whether a
// piece is as wide as the limit or wider. The last line and a line cut
// without a blank drop their outer spaces. Always at least one line.
std::vector<NoteLine> wrapNote(const std::string& note,
                               const std::function<bool(const std::string&)>& reachesLimit);
