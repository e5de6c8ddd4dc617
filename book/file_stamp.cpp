#include "book/file_stamp.h"

#include "book/byte_digest.h"
#include "book/file_descriptor.h"
#include "book/safe_file.h"

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

std::atomic<bool> timesStandStill{false};

FileStamp stampOf(const struct stat& st) {
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::uint64_t>(st.st_size);
    stamp.modifiedSeconds = st.st_mtim.tv_sec;
    stamp.modifiedNanoseconds = st.st_mtim.tv_nsec;
    stamp.changedSeconds = st.st_ctim.tv_sec;
    stamp.changedNanoseconds = st.st_ctim.tv_nsec;
    return stamp;
}

// The digest of the bytes of `fd` from its start; nullopt when a read fails.
std::optional<std::uint64_t> digestOf(int fd) {
    ByteDigest digest;
    const std::error_code failed = readBlocks(fd, [&digest](std::string_view block) {
        digest.add(block);
        return std::error_code();
    });
    if (failed) return std::nullopt;
    return digest.value();
}

// The same file, of the same size, not modified since by its times: nothing
// in the stamps tells a change (their change times and digests aside).
bool stampsAgree(const FileStamp& seen, const FileStamp& now) {
    return seen.device == now.device && seen.inode == now.inode && seen.size == now.size &&
           (timesStandStill || (seen.modifiedSeconds == now.modifiedSeconds &&
                                seen.modifiedNanoseconds == now.modifiedNanoseconds));
}

bool changeTimesAgree(const FileStamp& seen, const FileStamp& now) {
    return timesStandStill || (seen.changedSeconds == now.changedSeconds &&
                               seen.changedNanoseconds == now.changedNanoseconds);
}

} // namespace

std::optional<FileStamp> fileStampOf(int fd) {
    // Only a file the readers take is read: a larger one not for nothing.
    std::optional<std::uint64_t> digest;
    if (std::uint64_t size = 0; !checkReadableFile(fd, size)) digest = digestOf(fd);
    return fileStampOf(fd, digest);
}

std::optional<FileStamp> fileStampOf(int fd, std::optional<std::uint64_t> digest) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return std::nullopt;
    FileStamp stamp = stampOf(st);
    stamp.digest = digest;
    return stamp;
}

std::optional<FileStamp> fileStampOf(const std::filesystem::path& path) {
    // Not waiting on a pipe put in the file's place.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.opened()) return fileStampOf(file.get());
    struct stat st {}; // a file this user may not read: no digest
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return stampOf(st);
}

bool unchangedSince(const FileStamp& seen, const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    const FileStamp now = stampOf(st);
    if (!stampsAgree(seen, now)) return false;
    // Without the bytes seen, the change time is all there is to go by.
    if (!seen.digest) return changeTimesAgree(seen, now);
    // Read now, the bytes must be those seen, and the file still the one stamped.
    const std::optional<FileStamp> read = fileStampOf(path);
    return read && read->digest == seen.digest && stampsAgree(seen, *read);
}

void fileTimesStandStill(bool still) {
    timesStandStill = still;
}
