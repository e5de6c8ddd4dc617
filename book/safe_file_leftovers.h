// The temporary files of the safe writer, and those that a write ended
// part-way (the process killed, the power gone) left behind. Each is named
// "." + the target's name (its start when the whole would not fit) + ".tmp" +
// digits and is held under an exclusive lock (flock) while it is written: the
// lock goes with the process, so a file of such a name that no one holds is a
// leftover. The next write into a folder removes every leftover there,
// whatever target it was for, and never a file a running write holds, a
// link, or anything of another name.
#pragma once

#include <filesystem>
#include <string>

// The longest file name (bytes) the file system of `folder` takes, as it
// tells; 255 when it does not.
std::size_t longestNameIn(const std::filesystem::path& folder);

// The start of every temporary name of `target` (".book.acc.tmp"): the
// target's name is cut at a character so that the start and up to
// TemporaryDigits digits fit in `longestName` bytes.
std::string temporaryPrefix(const std::filesystem::path& target, std::size_t longestName);
constexpr std::size_t TemporaryDigits = 6;

// Takes the lock on the temporary file just created at `temp` as `fd`. False
// when another write's clearing had it first (the name may already be gone or
// another file's): the caller tries another name and leaves this one alone.
bool holdTemporary(int fd, const std::filesystem::path& temp);

// Removes the temporary files in `folder` that no write holds. Failures are
// passed over: a leftover that stays is no reason to refuse the write.
void removeLeftTemporaries(const std::filesystem::path& folder);
