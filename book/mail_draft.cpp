#include "book/mail_draft.h"

#include "book/file_descriptor.h"
#include "book/folder_entries.h"
#include "book/safe_file.h"
#include "book/text_encoding.h"
#include "book/tmain.h"
#include "platform/services.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace Tmain {

namespace {

constexpr int MaxDraftNames = 1000;
constexpr int MaxOtherNames = 100;      // tries of a random name once the numbered ones are taken
constexpr time_t DraftLifetime = 86400; // a draft older than a day has been sent or dropped
// Header and body lines stay within 76 characters, as RFC 2045 and 2047 ask:
// an encoded word of 39 bytes is 64 characters, which fits after the longest
// header name written here ("X-MimeOLE: ", 11 characters), and so does a
// plain value of up to 65 characters.
constexpr std::size_t EncodedChunkBytes = 39;
constexpr std::size_t LongestPlainValue = 65;
constexpr std::size_t LongestBodyLine = 76;

// A folder, a link loop and a denied permission give the refusals (and the
// words) every file command gives them; a draft is only ever written.
std::error_code lastError() {
    return fileErrorFor(errno, FileUse::Write);
}

std::string base64(const std::string& bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    for (; i + 2 < bytes.size(); i += 3) {
        unsigned v = at(i) << 16 | at(i + 1) << 8 | at(i + 2);
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += digits[(v >> 6) & 63];
        out += digits[v & 63];
    }
    if (i + 1 == bytes.size()) {
        unsigned v = at(i) << 16;
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += "==";
    } else if (i + 2 == bytes.size()) {
        unsigned v = at(i) << 16 | at(i + 1) << 8;
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += digits[(v >> 6) & 63];
        out += '=';
    }
    return out;
}

bool plainAscii(const std::string& text) {
    if (text.size() > LongestPlainValue || text.find("=?") != std::string::npos) return false;
    for (unsigned char c : text)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

// The body in quoted-printable, written as the page comes: CR LF pairs stay
// line breaks; every other byte that is not printable ASCII, "=", and a
// blank before a line break or at the end are written as "=XX"; a line that
// would pass 76 characters is broken with a soft break ("=" at its end),
// after a blank or before a "<" where the line has one, so that words and
// tags mostly stay whole. NUL bytes are dropped. A byte is written once the
// two after it are known (or the page has ended).
class QuotedPrintableWriter {
  public:
    explicit QuotedPrintableWriter(ByteWriter& out) : out_(out) {}

    void put(std::string_view bytes) {
        if (bytes.find('\0') == std::string_view::npos) {
            pending_ += bytes;
        } else {
            for (char c : bytes)
                if (c != '\0') pending_ += c;
        }
        encode(false);
    }
    void finish() {
        encode(true);
        out_.bytes(line());
        length_ = 0;
    }

  private:
    // A soft break's "=" takes the last place of a line.
    static constexpr std::size_t Room = LongestBodyLine - 1;

    std::string_view line() const { return {line_, length_}; }

    void softBreak() {
        const std::size_t cut = breakAt_ > 0 ? breakAt_ : length_;
        out_.bytes(line().substr(0, cut));
        out_.bytes("=\r\n");
        std::memmove(line_, line_ + cut, length_ - cut);
        length_ -= cut;
        breakAt_ = 0;
    }

    void encode(bool atEnd) {
        static const char hex[] = "0123456789ABCDEF";
        const std::string& bytes = pending_;
        const std::size_t n = bytes.size();
        std::size_t i = 0;
        for (; atEnd ? i < n : i + 2 < n; ++i) {
            const unsigned char c = static_cast<unsigned char>(bytes[i]);
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
                out_.bytes(line());
                out_.bytes("\r\n");
                length_ = 0;
                breakAt_ = 0;
                ++i;
                continue;
            }
            const bool blank = c == ' ' || c == '\t';
            const bool lineEnds =
                blank &&
                (i + 1 == n || (i + 2 < n && bytes[i + 1] == '\r' && bytes[i + 2] == '\n'));
            const bool literal = (c >= 33 && c <= 126 && c != '=') || (blank && !lineEnds);
            const std::size_t size = literal ? 1 : 3;
            while (length_ + size > Room)
                softBreak();
            if (c == '<' && length_ > 0) breakAt_ = length_;
            if (literal) {
                line_[length_++] = static_cast<char>(c);
            } else {
                line_[length_++] = '=';
                line_[length_++] = hex[c >> 4];
                line_[length_++] = hex[c & 15];
            }
            if (blank && literal) breakAt_ = length_;
        }
        pending_.erase(0, i);
    }

    ByteWriter& out_;
    std::string pending_;     // bytes not yet written: at most two between calls
    char line_[Room];         // the output line being filled
    std::size_t length_ = 0;  // of it
    std::size_t breakAt_ = 0; // where the line may best be broken; 0: nowhere
};

std::error_code writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return lastError();
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return {};
}

// What the user is told when no draft was written: `why` names the draft
// folder or the draft, and what is wrong with it.
std::string noDraftText(const std::string& why) {
    return "The mail message was not written: " + why;
}

// Why the private folder could not be opened (errno set by the open): a
// symbolic link in its place is not followed, and is named as one.
std::string privateFolderRefusal(const std::filesystem::path& folder) {
    const std::error_code opened = lastError();
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) return Tmain::FileFaultText(folder, opened);
    if (S_ISLNK(st.st_mode)) {
        if (::stat(folder.c_str(), &st) != 0 && errno == ELOOP)
            return Tmain::FileFaultText(folder, FileRefusal::LinkLoop);
        return folder.string() +
               " is a symbolic link, not the folder for mail drafts: it is not followed, so that "
               "no draft goes where it leads. Remove the link and try again.";
    }
    if (!S_ISDIR(st.st_mode)) return folder.string() + " is not a folder.";
    return Tmain::FileFaultText(folder, opened);
}

// The user's own folder for drafts, opened without following links and
// checked to be a directory owned by the user that nobody else can enter;
// -1 with `fault` telling why not.
int openPrivateFolder(const std::filesystem::path& folder, std::string& fault) {
    const uid_t uid = ::geteuid();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        fault = Tmain::FileFaultText(folder, lastError());
        return -1;
    }
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) {
        fault = privateFolderRefusal(folder);
        return -1;
    }
    struct stat st {};
    if (::fstat(dir, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != uid)
        fault = folder.string() + " is not a folder of this user's own: no draft is written there.";
    else if ((st.st_mode & 077) != 0 && ::fchmod(dir, 0700) != 0)
        fault = folder.string() + " is open to other users and could not be closed to them.";
    else
        return dir;
    ::close(dir);
    return -1;
}

// Removes the drafts (regular .eml files, links never followed) last written
// more than a day ago from the private folder.
void removeOldDrafts(int dir) {
    FolderEntries folder(dir);
    const time_t oldest = ::time(nullptr) - DraftLifetime;
    while (auto name = folder.next()) {
        if (!name->ends_with(".eml")) continue;
        struct stat st {};
        if (::fstatat(dir, name->data(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (st.st_mtime < oldest) ::unlinkat(dir, name->data(), 0);
    }
}

// Creates a new draft file that no other draft had (never one in use): the
// first free number, else a random name. -1 (errno set) when none can be made.
int createDraft(int dir, const std::string& base, std::string& name) {
    for (int n = 0; n < MaxDraftNames; ++n) {
        name = base + std::to_string(n) + ".eml";
        int fd =
            ::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    std::random_device random;
    for (int n = 0; n < MaxOtherNames; ++n) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "-%08x", static_cast<unsigned>(random()));
        name = base + suffix + ".eml";
        int fd =
            ::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Removes a draft when it goes before it was written whole.
struct PartialDraft {
    int dir;
    const std::string& name;
    bool whole = false;
    ~PartialDraft() {
        if (!whole) ::unlinkat(dir, name.c_str(), 0);
    }
};

std::string safeBaseName(const std::string& baseName) {
    std::string name;
    for (char c : baseName)
        if (c != '/' && c != '\0') name += c;
    return name.empty() ? "Message" : name;
}

} // namespace

std::filesystem::path mailTemporaryFolder() {
    auto& env = *services().environment;
    for (const char* name : {"tmp", "temp", "TMPDIR"}) {
        auto value = env.get(name);
        if (value && !value->empty()) {
            std::error_code ec;
            auto folder = std::filesystem::absolute(*value, ec);
            return ec ? std::filesystem::path(*value) : folder;
        }
    }
    std::error_code ec;
    auto folder = std::filesystem::temp_directory_path(ec);
    return ec ? std::filesystem::path("/tmp") : folder;
}

std::string mailHeaderValue(const std::string& text) {
    std::string value;
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\0') value += c;
    if (plainAscii(value)) return value;

    std::string out;
    std::size_t i = 0;
    while (i < value.size()) {
        const std::size_t n = std::min(EncodedChunkBytes, value.size() - i);
        // Keep each character whole inside one encoded word.
        std::size_t cut = encoding::cutUtf8(std::string_view(value).substr(i), n).size();
        if (cut == 0) cut = n;
        if (!out.empty()) out += "\r\n ";
        out += "=?utf-8?B?" + base64(value.substr(i, cut)) + "?=";
        i += cut;
    }
    return out;
}

void writeMailDraft(ByteWriter& out, const MailPage& page, const std::string& subject,
                    const std::string& caption) {
    out.bytes("Reply-To: \r\n");
    out.bytes("To: \r\n");
    out.bytes("From: \r\n");
    out.bytes("Subject: " + mailHeaderValue(subject) + "\r\n");
    out.bytes("Date: \r\n");
    out.bytes("X-Mailer: \r\n");
    out.bytes("MIME-Version: 1.0\r\n");
    out.bytes("X-Unsent: 1\r\n");
    out.bytes("X-MimeOLE: " + mailHeaderValue("Produced By " + caption) + "\r\n");
    out.bytes("Content-Type: text/html; charset=utf-8\r\n");
    out.bytes("Content-Transfer-Encoding: quoted-printable\r\n");
    out.bytes("\r\n");
    QuotedPrintableWriter body(out);
    ByteWriter html([&body](std::string_view block) { body.put(block); }, 1 << 16);
    page(html);
    html.finish();
    body.finish();
    out.bytes("\r\n");
}

std::string mailDraftText(const std::string& html, const std::string& subject,
                          const std::string& caption) {
    std::string text;
    ByteWriter out(text);
    writeMailDraft(
        out, [&html](ByteWriter& page) { page.bytes(html); }, subject, caption);
    return text;
}

std::optional<std::filesystem::path> OpenMailDraft(const std::string& baseName,
                                                   const std::string& html,
                                                   const std::string& subject,
                                                   const std::string& caption) {
    return OpenMailDraft(
        baseName, [&html](ByteWriter& page) { page.bytes(html); }, subject, caption);
}

std::optional<std::filesystem::path> OpenMailDraft(const std::string& baseName,
                                                   const MailPage& page, const std::string& subject,
                                                   const std::string& caption) {
    const auto folder = mailTemporaryFolder() / ("lw-mail-" + std::to_string(::geteuid()));
    std::string fault;
    const FileDescriptor dir(openPrivateFolder(folder, fault));
    if (!dir.opened()) {
        showMessage(noDraftText(fault));
        return std::nullopt;
    }
    const std::string base = safeBaseName(baseName);

    removeOldDrafts(dir.get());
    std::string name;
    FileDescriptor draft(createDraft(dir.get(), base, name));
    if (!draft.opened()) {
        showMessage(noDraftText(errno == EEXIST
                                    ? folder.string() + " holds no free name for another draft."
                                    : Tmain::FileFaultText(folder / name, lastError())));
        return std::nullopt;
    }
    // A draft that could not be written whole, for whatever reason, goes.
    PartialDraft partial{dir.get(), name};
    std::error_code ec =
        streamBlocks([&](ByteWriter& out) { writeMailDraft(out, page, subject, caption); },
                     [&draft](std::string_view block) { return writeAll(draft.get(), block); });
    if (const int closeError = draft.close(); closeError != 0 && !ec)
        ec = fileErrorFor(closeError, FileUse::Write);
    const auto path = folder / name;
    if (ec) {
        showMessage(noDraftText(Tmain::FileFaultText(path, ec)));
        return std::nullopt;
    }
    partial.whole = true;

    const std::string whereItIs = " The message was saved as " + path.string() +
                                  "; drafts there are removed after a day, so move it elsewhere "
                                  "to keep it.";
    const auto failedLater = [whereItIs](const std::string& howEnded) {
        showMessage("The mail program, or the desktop's opener that starts it, ended with a "
                    "failure (" +
                    howEnded + ")." + whereItIs);
    };
    if (!services().shell->openWithDefault(path.string(), failedLater))
        showMessage(
            "The mail program could not be started: the desktop's opener could not be run." +
            whereItIs);
    return path;
}

} // namespace Tmain
