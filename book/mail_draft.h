// "Send": a report's HTML page written as an unsent mail message (.eml) and
// opened with the desktop's program for that type, so that the user's mail
// program shows it ready to send.
#pragma once

#include "book/byte_writer.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>

namespace Tmain {

// Writes the draft `baseName`<n>.eml (the first free n) in a private folder of
// the user under the temporary folder and opens it. `caption` is the main
// window's caption. A failure is shown to the user and nothing is opened.
// Returns the draft's path when it was written.
std::optional<std::filesystem::path> OpenMailDraft(const std::string& baseName,
                                                   const std::string& html,
                                                   const std::string& subject,
                                                   const std::string& caption);
// The same with the page written by `page` as it is made, straight into the
// draft file, so that the page of a large report never stands whole in memory.
using MailPage = std::function<void(ByteWriter&)>;
std::optional<std::filesystem::path> OpenMailDraft(const std::string& baseName,
                                                   const MailPage& page, const std::string& subject,
                                                   const std::string& caption);

// The temporary folder: environment "tmp", else "temp", else TMPDIR, else the
// system's temporary directory.
std::filesystem::path mailTemporaryFolder();

// A header value made safe: CR, LF and NUL removed, and written as RFC 2047
// encoded words when it is not plain ASCII.
std::string mailHeaderValue(const std::string& text);

// The message file: its headers, then the page in quoted-printable.
void writeMailDraft(ByteWriter& out, const MailPage& page, const std::string& subject,
                    const std::string& caption);
// The whole message file.
std::string mailDraftText(const std::string& html, const std::string& subject,
                          const std::string& caption);

} // namespace Tmain
