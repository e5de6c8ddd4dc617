#include "book/file_stamp.h"

#include "book/file_descriptor.h"
#include "book/safe_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

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

// 64-bit FNV-1a of the bytes of `fd` from its start; nullopt when a read fails.
std::optional<std::uint64_t> digestOf(int fd) {
    std::uint64_t digest = 0xcbf29ce484222325ULL;
    char block[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, block, sizeof block, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) return digest;
        for (ssize_t i = 0; i < n; ++i)
            digest = (digest ^ static_cast<unsigned char>(block[i])) * 0x100000001b3ULL;
        at += n;
    }
}

} // namespace

std::optional<FileStamp> fileStampOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return std::nullopt;
    FileStamp stamp = stampOf(st);
    // No reader takes a larger file: it is not read for nothing.
    if (S_ISREG(st.st_mode) && stamp.size <= LargestFileRead) stamp.digest = digestOf(fd);
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

StampAgreement compareStamps(const FileStamp& seen, const FileStamp& now) {
    if (seen.device != now.device || seen.inode != now.inode || seen.size != now.size ||
        seen.modifiedSeconds != now.modifiedSeconds ||
        seen.modifiedNanoseconds != now.modifiedNanoseconds)
        return StampAgreement::Differs;
    if (seen.changedSeconds != now.changedSeconds ||
        seen.changedNanoseconds != now.changedNanoseconds)
        return StampAgreement::BytesDecide;
    return StampAgreement::Same;
}

bool unchangedSince(const FileStamp& seen, const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    switch (compareStamps(seen, stampOf(st))) {
    case StampAgreement::Same:
        return true;
    case StampAgreement::Differs:
        return false;
    case StampAgreement::BytesDecide:
        break;
    }
    // Read now, the bytes must be those seen, and the file still the one stamped.
    const std::optional<FileStamp> now = fileStampOf(path);
    return now && seen.digest && now->digest == seen.digest &&
           compareStamps(seen, *now) != StampAgreement::Differs;
}
