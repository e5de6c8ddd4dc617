// Which names lead to the file of the book open in this program. A file is
// one file whatever it is called: a symbolic link, a hard link or a linked
// folder gives it another name. Every command that writes over a file the
// user named asks whether that name is the open book's file before it asks
// whether to replace it, so that an export never takes the book's place
// unnoticed.
#pragma once

#include <filesystem>

// True when `a` and `b` lead to the same file: the same device and inode
// once every link is followed; where either is not there, the same place.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The file the open book was last read from or saved to (empty: none).
void setOpenBookFile(const std::filesystem::path& path);
std::filesystem::path openBookFile();

// The open book's file when `target` is another name of it (not the very
// name the book knows it by); empty otherwise.
std::filesystem::path openBookFileBehind(const std::filesystem::path& target);
