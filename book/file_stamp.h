// What a file was when this program last read or wrote it: its identity
// (device and inode), size and time of change. A file whose stamp differs
// was written by someone else since (another window, another program).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

struct FileStamp {
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t changedSeconds = 0, changedNanoseconds = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file `path` leads to; nullopt when there is none.
std::optional<FileStamp> fileStampOf(const std::filesystem::path& path);
