// The temporary files of the safe writer beside a target, and those that a
// save killed part-way left behind. Each is named "." + the target's name +
// ".tmp" + digits and is held under an exclusive lock (flock) while it is
// written: the lock goes with the process, so a file of that name that no one
// holds is a leftover. The next save of the same target removes those, and
// never a file a running save holds, a link, or anything of another name.
#pragma once

#include <filesystem>
#include <string>

// The start of every temporary name of `target` (".book.acc.tmp").
std::string temporaryPrefix(const std::filesystem::path& target);

// Takes the lock on the temporary file just created at `temp` as `fd`. False
// when another save's clearing had it first (the name may already be gone or
// another file's): the caller tries another name and leaves this one alone.
bool holdTemporary(int fd, const std::filesystem::path& temp);

// Removes the temporary files of `target` that no save holds. Failures are
// passed over: a leftover that stays is no reason to refuse the save.
void removeLeftTemporaries(const std::filesystem::path& target);
