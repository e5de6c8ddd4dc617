#include "book/safe_file_leftovers.h"

#include "book/file_descriptor.h"
#include "book/text_encoding.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when the name (not a link) at `path` is still the open file `fd`.
bool stillNamed(int fd, const std::filesystem::path& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 && sameFile(open, named);
}

// "." + at least one byte + `mark` + one to TemporaryDigits digits.
bool hasTemporaryForm(const std::string& name, const std::string& mark) {
    const std::size_t digits = name.find_last_not_of("0123456789") + 1;
    return digits < name.size() && name.size() - digits <= TemporaryDigits &&
           digits > mark.size() + 1 && name[0] == '.' &&
           name.compare(digits - mark.size(), mark.size(), mark) == 0;
}

std::atomic<long> longestNameAnswer{0};

} // namespace

std::size_t longestNameIn(const std::filesystem::path& folder) {
    const long told = longestNameAnswer.load();
    const long longest = told > 0 ? told : ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return longest > 0 ? std::min(static_cast<std::size_t>(longest), LongestName) : LongestName;
}

void overstateLongestName(long answer) {
    longestNameAnswer = answer;
}

std::string temporaryPrefix(const std::filesystem::path& target, std::size_t longestName) {
    const std::size_t around = TemporaryDigits + 1 + std::string(TemporaryMark).size();
    // At least a character of the name, or the name would not pass for a temporary one.
    const std::size_t room = longestName > around ? longestName - around : 1;
    return "." + encoding::cutUtf8(target.filename().string(), room) + TemporaryMark;
}

int createTemporary(const std::filesystem::path& temp, bool replacing) {
    return ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                  replacing ? 0600 : 0644);
}

bool holdTemporary(int fd, const std::filesystem::path& temp) {
    // Held by a clearing that took it for a leftover. A file system that
    // keeps no locks lets no clearing take it either.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return false;
    // A clearing could have taken it between its making and the lock: the
    // name must still be this file.
    return stillNamed(fd, temp);
}

void removeLeftTemporaries(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path();
    std::error_code ec;
    std::filesystem::directory_iterator entries(folder, ec);
    for (; !ec && entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
        const std::filesystem::path& path = entries->path();
        const std::string name = path.filename().string();
        if (!hasTemporaryForm(name, TemporaryMark)) continue;
        // Not following a link, nor waiting on a pipe put in its place.
        const FileDescriptor file(
            ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (!file.opened() || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        // Held by no save, and still the file of that name: a leftover.
        if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0 && stillNamed(file.get(), path))
            ::unlink(path.c_str());
    }
}
