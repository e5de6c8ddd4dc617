// Which names lead to the file of the book open in this program. A file is
// one file whatever it is called: a symbolic link, a hard link or a linked
// folder gives it another name. Every command that writes over a file the
// user named asks whether that name is the open book's file before it asks
// whether to replace it, so that an export never takes the book's place
// unnoticed.
#pragma once

#include <filesystem>
#include <functional>

// True when `a` and `b` lead to the same file: the same device and inode
// once every link is followed; where either is not there, the same place.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The file the open book was last read from or saved to (empty: none), and
// what its keeper does once another file stands in its place.
void setOpenBookFile(const std::filesystem::path& path, std::function<void()> writtenOver = {});
std::filesystem::path openBookFile();

// Every file written is told here once it is in place (an export, a printout,
// another form of the book, the book itself): where it now stands in the
// open book's file's place, that file's writtenOver is called.
void fileWrittenInPlace(const std::filesystem::path& written);

// The open book's file when `target` is another name of it (not the very
// name the book knows it by); empty otherwise.
std::filesystem::path openBookFileBehind(const std::filesystem::path& target);
