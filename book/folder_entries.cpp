#include "book/folder_entries.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FolderEntries::FolderEntries(const std::filesystem::path& folder)
    : dir_(::opendir(folder.c_str())) {
    if (!dir_) openError_ = errno;
}

FolderEntries::FolderEntries(int folderFd) {
    const int listed = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    if (listed >= 0) dir_.reset(::fdopendir(listed));
    if (dir_) return;
    openError_ = errno;
    if (listed >= 0) ::close(listed);
}

std::optional<std::string_view> FolderEntries::next() {
    if (!dir_) return std::nullopt;
    while ((last_ = ::readdir(dir_.get())) != nullptr) {
        const std::string_view name = last_->d_name;
        if (name != "." && name != "..") return name;
    }
    return std::nullopt;
}

bool FolderEntries::lastIsFolder() const {
    if (last_->d_type == DT_DIR) return true;
    if (last_->d_type == DT_REG) return false;
    struct stat st {};
    return ::fstatat(::dirfd(dir_.get()), last_->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}
