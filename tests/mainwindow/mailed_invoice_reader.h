// A mailed invoice draft read back as a mail program would, with Python's
// email package: a line "SUBJECT:" and the subject, then "TEXT:" and the
// texts its HTML shows, joined by "|".
#pragma once

#include "support/html_text_class.h"
#include "support/test_paths.h"

#include <filesystem>
#include <string>

namespace mailed_invoice_reader {

inline const std::string ParseScript = std::string(R"(
import sys, email
from email import policy
from html.parser import HTMLParser
msg = email.message_from_binary_file(open(sys.argv[1], 'rb'), policy=policy.default)
print('SUBJECT:' + str(msg['Subject']))
)") + testing_support::HtmlTextClass + R"(
t = Text()
t.feed(msg.get_body(preferencelist=('html',)).get_content())
print('TEXT:' + '|'.join(t.parts))
)";

// Writes the reader into `dir` and runs it on the draft at `draft`: the exit
// status, with what it printed (and any error) in `out`.
inline int readDraft(const std::filesystem::path& dir, const std::string& draft, std::string* out) {
    const std::filesystem::path script = dir / "parse.py";
    testing_support::writeFile(script, ParseScript);
    return testing_support::runCommand(
        testing_support::systemPython() + " '" + script.string() + "' '" + draft + "' 2>&1", out);
}

} // namespace mailed_invoice_reader
