#include "book/mail_draft.h"

#include "book/safe_file.h"
#include "book/text_encoding.h"
#include "book/tmain.h"
#include "platform/services.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
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

// A folder and a link loop give the refusals (and the words) every file
// command gives them.
std::error_code lastError() {
    return fileErrorFor(errno);
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

// The body in quoted-printable: CR LF pairs stay line breaks; every other
// byte that is not printable ASCII, "=", and a blank before a line break or
// at the end are written as "=XX"; a line that would pass 76 characters is
// broken with a soft break ("=" at its end), after a blank or before a "<"
// where the line has one, so that words and tags mostly stay whole.
std::string quotedPrintable(const std::string& bytes) {
    static const char hex[] = "0123456789ABCDEF";
    constexpr std::size_t room = LongestBodyLine - 1; // the soft break's "=" takes the last place
    std::string out, line;
    std::size_t breakAt = 0; // where the line may best be broken; 0: nowhere
    auto softBreak = [&] {
        const std::size_t cut = breakAt > 0 ? breakAt : line.size();
        out += line.substr(0, cut) + "=\r\n";
        line.erase(0, cut);
        breakAt = 0;
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            out += line + "\r\n";
            line.clear();
            breakAt = 0;
            ++i;
            continue;
        }
        const bool blank = c == ' ' || c == '\t';
        const bool lineEnds = i + 1 == bytes.size() || bytes.compare(i + 1, 2, "\r\n") == 0;
        const bool literal = (c >= 33 && c <= 126 && c != '=') || (blank && !lineEnds);
        const std::size_t size = literal ? 1 : 3;
        while (line.size() + size > room)
            softBreak();
        if (c == '<' && !line.empty()) breakAt = line.size();
        if (literal) {
            line += static_cast<char>(c);
        } else {
            line += '=';
            line += hex[c >> 4];
            line += hex[c & 15];
        }
        if (blank && literal) breakAt = line.size();
    }
    return out + line;
}

std::error_code writeAll(int fd, const std::string& bytes) {
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

// Why the private folder could not be opened (errno set by the open): a
// symbolic link in its place is not followed, so it is refused as a folder
// that is not ours, or named a link loop when it leads back to itself.
std::error_code privateFolderRefusal(const std::filesystem::path& folder) {
    const std::error_code opened = lastError();
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return opened;
    if (::stat(folder.c_str(), &st) != 0 && errno == ELOOP) return FileRefusal::LinkLoop;
    return std::make_error_code(std::errc::permission_denied);
}

// The user's own folder for drafts, opened without following links and
// checked to be a directory owned by the user that nobody else can enter.
int openPrivateFolder(const std::filesystem::path& temporary, std::error_code& ec) {
    const uid_t uid = ::geteuid();
    const auto folder = temporary / ("lw-mail-" + std::to_string(uid));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        ec = lastError();
        return -1;
    }
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) {
        ec = privateFolderRefusal(folder);
        return -1;
    }
    struct stat st {};
    if (::fstat(dir, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != uid ||
        ((st.st_mode & 077) != 0 && ::fchmod(dir, 0700) != 0)) {
        ::close(dir);
        ec = std::make_error_code(std::errc::permission_denied);
        return -1;
    }
    return dir;
}

// Removes the drafts (regular .eml files, links never followed) last written
// more than a day ago from the private folder.
void removeOldDrafts(int dir) {
    const int listed = ::dup(dir);
    if (listed < 0) return;
    DIR* folder = ::fdopendir(listed);
    if (!folder) {
        ::close(listed);
        return;
    }
    const time_t oldest = ::time(nullptr) - DraftLifetime;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (!name.ends_with(".eml")) continue;
        struct stat st {};
        if (::fstatat(dir, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (st.st_mtime < oldest) ::unlinkat(dir, entry->d_name, 0);
    }
    ::closedir(folder);
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

std::string mailDraftText(const std::string& html, const std::string& subject,
                          const std::string& caption) {
    std::string text;
    text += "Reply-To: \r\n";
    text += "To: \r\n";
    text += "From: \r\n";
    text += "Subject: " + mailHeaderValue(subject) + "\r\n";
    text += "Date: \r\n";
    text += "X-Mailer: \r\n";
    text += "MIME-Version: 1.0\r\n";
    text += "X-Unsent: 1\r\n";
    text += "X-MimeOLE: " + mailHeaderValue("Produced By " + caption) + "\r\n";
    text += "Content-Type: text/html; charset=utf-8\r\n";
    text += "Content-Transfer-Encoding: quoted-printable\r\n";
    text += "\r\n";
    std::string body;
    body.reserve(html.size());
    for (char c : html)
        if (c != '\0') body += c;
    text += quotedPrintable(body);
    text += "\r\n";
    return text;
}

std::optional<std::filesystem::path> OpenMailDraft(const std::string& baseName,
                                                   const std::string& html,
                                                   const std::string& subject,
                                                   const std::string& caption) {
    std::error_code ec;
    const auto temporary = mailTemporaryFolder();
    int dir = openPrivateFolder(temporary, ec);
    if (dir < 0) {
        FileErrorMessage(ec);
        return std::nullopt;
    }
    const auto folder = temporary / ("lw-mail-" + std::to_string(::geteuid()));
    const std::string base = safeBaseName(baseName);

    removeOldDrafts(dir);
    std::string name;
    const int fd = createDraft(dir, base, name);
    if (fd < 0) {
        ec = errno == EEXIST ? std::make_error_code(std::errc::file_exists) : lastError();
        ::close(dir);
        FileErrorMessage(ec);
        return std::nullopt;
    }

    ec = writeAll(fd, mailDraftText(html, subject, caption));
    if (::close(fd) != 0 && !ec) ec = lastError();
    if (ec) {
        ::unlinkat(dir, name.c_str(), 0);
        ::close(dir);
        FileErrorMessage(ec);
        return std::nullopt;
    }
    ::close(dir);

    const auto path = folder / name;
    if (!services().shell->openWithDefault(path.string()))
        showMessage("The mail program could not be started. The message was saved as " +
                    path.string());
    return path;
}

} // namespace Tmain
