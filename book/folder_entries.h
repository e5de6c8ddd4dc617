// The names in a folder, read one at a time with the system's own calls, so
// that memory running short while a folder is listed is an exception its
// caller tells the user of, never the end of the program (the standard
// library's folder iterators end it). The folder is closed when the reader goes.
#pragma once

#include <dirent.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

class FolderEntries {
  public:
    // Opens a folder by its path.
    explicit FolderEntries(const std::filesystem::path& folder);
    // Reads a folder already open as `folderFd`, which stays open.
    explicit FolderEntries(int folderFd);

    bool opened() const { return dir_ != nullptr; }
    // errno of a failed open.
    int openError() const { return openError_; }

    // The next name other than "." and "..", NUL-terminated; nullopt at the end.
    std::optional<std::string_view> next();
    // Whether the name last given is a folder, links followed.
    bool lastIsFolder() const;

  private:
    struct Closer {
        void operator()(DIR* dir) const { ::closedir(dir); }
    };
    std::unique_ptr<DIR, Closer> dir_;
    const dirent* last_ = nullptr;
    int openError_ = 0;
};
