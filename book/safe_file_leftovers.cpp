#include "book/safe_file_leftovers.h"

#include "book/file_descriptor.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

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

// The prefix followed by one digit or more, and nothing else.
bool isTemporaryName(const std::string& name, const std::string& prefix) {
    return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

} // namespace

std::string temporaryPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + ".tmp";
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
    const std::string prefix = temporaryPrefix(target);
    std::error_code ec;
    std::filesystem::directory_iterator entries(target.parent_path(), ec);
    for (; !ec && entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
        const std::filesystem::path& path = entries->path();
        if (!isTemporaryName(path.filename().string(), prefix)) continue;
        // Not following a link, nor waiting on a pipe put in its place.
        const FileDescriptor file(
            ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (!file.opened() || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        // Held by no save, and still the file of that name: a leftover.
        if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0 && stillNamed(file.get(), path))
            ::unlink(path.c_str());
    }
}
