// The temporary files of the safe writer, and those that a write ended
// part-way (the process killed, the power gone) left behind. Each is named
// "." + the target's name (its start when the whole would not fit) +
// TemporaryMark + digits, a form of this program's own, and is held under an
// exclusive lock (flock) while it is written: the lock goes with the process,
// so a file of such a name that no one holds is a leftover. The next write
// into a folder removes every leftover of this user there, whatever target it
// was for. Nothing else is ever removed: no file without that mark (scripts
// and other programs use ".tmp" names of their own, ".book.acc.tmp11" too), no
// file a running write holds, no link and no other user's file.
#pragma once

#include <filesystem>
#include <string>

// No name is taken as longer than this, whatever a file system answers (vfat
// and exFAT tell 1530 bytes and refuse more than 255 characters).
constexpr std::size_t LongestName = 255;

// The longest file name (bytes) the file system of `folder` takes, as it
// tells, at most LongestName; LongestName when it does not tell.
std::size_t longestNameIn(const std::filesystem::path& folder);
// Test hook: the file systems' answer taken as `answer` (0: as they tell).
void overstateLongestName(long answer);

// Between the target's name and the digits of each temporary name.
constexpr const char* TemporaryMark = ".ledgerwick-tmp";
constexpr std::size_t TemporaryDigits = 6;

// The start of every temporary name of `target` (".book.acc.ledgerwick-tmp"):
// the target's name is cut at a character so that the start and up to
// TemporaryDigits digits fit in `longestName` bytes.
std::string temporaryPrefix(const std::filesystem::path& target, std::size_t longestName);

// Creates the temporary file `temp` to read and write, neither following a
// link nor taking a name that is there; -1 with errno set when it cannot.
// One that is to replace a file is made with no rights for group and others,
// so that no one opens a private book's bytes before it is given that file's
// mode and access list; a new file is made as any other (0644 less the umask).
int createTemporary(const std::filesystem::path& temp, bool replacing);

// Takes the lock on the temporary file just created at `temp` as `fd`. False
// when another write's clearing had it first (the name may already be gone or
// another file's): the caller tries another name and leaves this one alone.
bool holdTemporary(int fd, const std::filesystem::path& temp);

// Removes, in the folder of `target`, this program's temporary files that no
// write holds.
// Failures are passed over: a leftover that stays is no reason to refuse the
// write.
void removeLeftTemporaries(const std::filesystem::path& target);
