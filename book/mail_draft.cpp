#include "book/mail_draft.h"

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
constexpr std::size_t EncodedChunkBytes = 45; // 60 base64 characters per encoded word
constexpr std::size_t LongestPlainValue = 900;

std::error_code lastError() {
    return std::error_code(errno, std::generic_category());
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
        ec = errno == ELOOP ? std::make_error_code(std::errc::permission_denied) : lastError();
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
    text += "\r\n";
    for (char c : html)
        if (c != '\0') text += c;
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
