#include "book/file_stamp.h"

#include "book/file_descriptor.h"
#include "book/safe_file.h"

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
    const std::error_code failed = readBlocks(fd, [&digest](std::string_view block) {
        for (const char byte : block)
            digest = (digest ^ static_cast<unsigned char>(byte)) * 0x100000001b3ULL;
        return std::error_code();
    });
    if (failed) return std::nullopt;
    return digest;
}

enum class StampAgreement {
    Same,        // the same file, not written since
    BytesDecide, // the same file, only its change time moved: unchanged where its bytes are
    Differs,     // another file, or one written since
};

// How a stamp taken now agrees with one taken before (their digests aside).
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

} // namespace

std::optional<FileStamp> fileStampOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return std::nullopt;
    FileStamp stamp = stampOf(st);
    // Only a file the readers take is read: a larger one not for nothing.
    if (std::uint64_t size = 0; !checkReadableFile(fd, size)) stamp.digest = digestOf(fd);
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
    const StampAgreement agreement = compareStamps(seen, stampOf(st));
    if (agreement != StampAgreement::BytesDecide) return agreement == StampAgreement::Same;
    // Read now, the bytes must be those seen, and the file still the one stamped.
    const std::optional<FileStamp> now = fileStampOf(path);
    return now && seen.digest && now->digest == seen.digest &&
           compareStamps(seen, *now) != StampAgreement::Differs;
}
