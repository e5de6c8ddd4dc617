// What a file was when this program last read or wrote it: its identity
// (device and inode), size, modification time (which any program may set,
// also back to what it was), change time (which the system sets at every
// change of the file's bytes, permissions or links, and no program can set)
// and a digest of its bytes. A file whose identity, size or modification time
// differs was written by someone else since (another window, another
// program). The times tell only that a file changed, never that it did not: a
// file system may keep them coarse, or not at all (a memory stick's through
// FUSE), and a program may set them back; so where they agree, the bytes decide.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

struct FileStamp {
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;
    std::int64_t changedSeconds = 0, changedNanoseconds = 0;
    std::optional<std::uint64_t> digest; // none where the bytes were not read
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the open file `fd` (its bytes read from the start, not moving
// its offset); nullopt when the system tells nothing of it.
std::optional<FileStamp> fileStampOf(int fd);
// The stamp of the open file `fd` whose bytes, read or written here as they
// are now, have `digest` (ByteDigest): nothing is read again.
std::optional<FileStamp> fileStampOf(int fd, std::optional<std::uint64_t> digest);
// The stamp of the file `path` leads to; nullopt when there is none.
std::optional<FileStamp> fileStampOf(const std::filesystem::path& path);

// True when `path` leads to the file `seen` stamps, with the bytes it had.
bool unchangedSince(const FileStamp& seen, const std::filesystem::path& path);

// Test hook: while set, files' times are taken as not moving, as on a file
// system that keeps none (or keeps them coarser than the changes come).
void fileTimesStandStill(bool still);
