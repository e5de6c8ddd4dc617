#include "book/safe_file.h"

#include "book/book_file_identity.h"
#include "book/file_descriptor.h"
#include "book/safe_file_leftovers.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {
std::atomic<int> writesUntilFailure{-1};
std::atomic<int> commitsUntilFailure{-1};
std::atomic<int> commitFailure{0};
std::atomic<int> nextOpenFailure{0};
std::atomic<std::uint64_t> loweredLimit{0};

// A size as the messages tell it: MB, or bytes below one.
std::string sizeText(std::uint64_t bytes) {
    return bytes >= (1 << 20) ? std::to_string(bytes >> 20) + " MB"
                              : std::to_string(bytes) + " bytes";
}

std::error_code lastError(FileUse use) {
    return fileErrorFor(errno, use);
}

std::string notAFileText(FileRefusal kind) {
    return "The name given is " + kindOfRefusal(kind) +
           ", not a file: nothing was written into it or over it. Choose or type another file "
           "name.";
}

class FileRefusalCategory : public std::error_category {
  public:
    const char* name() const noexcept override { return "file refusal"; }
    std::string message(int value) const override {
        switch (static_cast<FileRefusal>(value)) {
        case FileRefusal::NotARegularFile:
            return "This is not a file that can be opened: a folder, a pipe or a device cannot "
                   "be read as a book.";
        case FileRefusal::TooLarge:
            return "The file is too large to be read: a book file is never larger than " +
                   sizeText(largestFile()) + ".";
        case FileRefusal::Folder:
            return "The name given is a folder, not a file: nothing can be read from it or "
                   "written over it. Choose or type a file name inside the folder.";
        case FileRefusal::LinkLoop:
            return "The name given is a symbolic link that leads back to itself (too many levels "
                   "of symbolic links): there is no file to read or write.";
        case FileRefusal::NoFolder:
            return "The folder to write the file in does not exist (or a link on the way leads "
                   "nowhere): nothing was written. Choose or type a name in a folder that exists.";
        case FileRefusal::NamedPipe:
            return notAFileText(FileRefusal::NamedPipe);
        case FileRefusal::Device:
            return notAFileText(FileRefusal::Device);
        case FileRefusal::Socket:
            return notAFileText(FileRefusal::Socket);
        case FileRefusal::ReadDenied:
            return "The file cannot be opened because this user has no permission to read it.";
        case FileRefusal::WriteDenied:
            return "This user has no permission to write this file or into its folder.";
        case FileRefusal::RemoveDenied:
            return "This user has no permission to remove this file from its folder.";
        case FileRefusal::Denied:
            return "This user has no permission to do this with the file or its folder.";
        case FileRefusal::ReplaceDenied:
            return "The folder is shared (its sticky bit is set): it refuses replacing or removing "
                   "a file of another user, as this one is. Save under another name.";
        case FileRefusal::ReadOnlyFile:
            return "The file is read-only: no one has permission to write it.";
        case FileRefusal::ReadOnlyDrive:
            return "The drive (file system) the file is on is read-only: nothing can be written "
                   "there.";
        case FileRefusal::TooLargeToOpen:
            return "The book would take more than " + sizeText(largestFile()) +
                   " in this form, more than a book file the program opens, so it was not "
                   "written.";
        }
        return "The file cannot be read.";
    }
    std::error_condition default_error_condition(int value) const noexcept override {
        switch (static_cast<FileRefusal>(value)) {
        case FileRefusal::Folder:
            return std::errc::is_a_directory;
        case FileRefusal::LinkLoop:
            return std::errc::too_many_symbolic_link_levels;
        case FileRefusal::NoFolder:
            return std::errc::no_such_file_or_directory;
        case FileRefusal::ReadDenied:
        case FileRefusal::WriteDenied:
        case FileRefusal::RemoveDenied:
        case FileRefusal::Denied:
        case FileRefusal::ReplaceDenied:
            return std::errc::permission_denied;
        case FileRefusal::ReadOnlyFile:
        case FileRefusal::ReadOnlyDrive:
            return std::errc::read_only_file_system;
        default:
            return {value, *this};
        }
    }
};
} // namespace

const std::error_category& fileRefusalCategory() {
    static const FileRefusalCategory category;
    return category;
}

std::error_code make_error_code(FileRefusal refusal) {
    return {static_cast<int>(refusal), fileRefusalCategory()};
}

std::error_code fileErrorFor(int errnoValue, FileUse use) {
    if (errnoValue == EISDIR) return FileRefusal::Folder;
    if (errnoValue == ELOOP) return FileRefusal::LinkLoop;
    if (errnoValue == EROFS) return FileRefusal::ReadOnlyDrive;
    if (errnoValue == EACCES || errnoValue == EPERM) {
        switch (use) {
        case FileUse::Read:
            return FileRefusal::ReadDenied;
        case FileUse::Write:
            return FileRefusal::WriteDenied;
        case FileUse::Remove:
            return FileRefusal::RemoveDenied;
        case FileUse::Other:
            return FileRefusal::Denied;
        }
    }
    return {errnoValue, std::generic_category()};
}

FileRefusal refusalOfKind(mode_t mode) {
    if (S_ISDIR(mode)) return FileRefusal::Folder;
    if (S_ISFIFO(mode)) return FileRefusal::NamedPipe;
    if (S_ISSOCK(mode)) return FileRefusal::Socket;
    return FileRefusal::Device;
}

std::string kindOfRefusal(FileRefusal refusal) {
    switch (refusal) {
    case FileRefusal::Folder:
        return "a folder";
    case FileRefusal::NamedPipe:
        return "a named pipe (FIFO)";
    case FileRefusal::Device:
        return "a device";
    case FileRefusal::Socket:
        return "a socket";
    default:
        return "";
    }
}

bool leadsToFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::filesystem::path linkTarget(const std::filesystem::path& path) {
    std::filesystem::path target = path.is_relative() ? std::filesystem::absolute(path) : path;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(target, ec)) break;
        const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (ec) break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target.lexically_normal();
}

namespace {
// A folder with the sticky bit lets only a file's owner (or the folder's)
// rename over it or remove it.
bool stickyFolderKeeps(const std::filesystem::path& path, const struct stat& file) {
    struct stat folder {};
    const uid_t user = ::geteuid();
    return user != 0 && file.st_uid != user && ::stat(path.parent_path().c_str(), &folder) == 0 &&
           (folder.st_mode & S_ISVTX) != 0 && folder.st_uid != user;
}
// The mode given to `fd`, or already its own: a file system that keeps no
// modes of its own (a memory stick's) refuses any change but has the mode
// its files all share.
bool modeGiven(int fd, mode_t mode) {
    if (::fchmod(fd, mode) == 0) return true;
    const int failure = errno;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && (st.st_mode & 07777) == mode) return true;
    errno = failure;
    return false;
}
// The access-control list of the file `old` given to the new file `fd`
// after the mode (whose group bits become the list's mask); where the old had
// none, the new has none either, whatever its folder gives new files, and
// exactly the old mode. False (errno set) when the list could not be given.
bool keepAccess(int fd, const std::filesystem::path& old, mode_t mode) {
    constexpr const char* AccessList = "system.posix_acl_access";
    std::vector<char> list;
    for (int attempt = 0; attempt < 3; ++attempt) { // the list may change between the calls
        const ssize_t size = ::getxattr(old.c_str(), AccessList, nullptr, 0);
        if (size < 0 && (errno == ENODATA || errno == EOPNOTSUPP)) {
            list.clear(); // none, or a file system that keeps none
            break;
        }
        if (size < 0) return false;
        list.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::getxattr(old.c_str(), AccessList, list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE || attempt == 2) return false;
    }
    if (list.empty() && ::fremovexattr(fd, AccessList) != 0 && errno != ENODATA &&
        errno != EOPNOTSUPP)
        return false;
    return modeGiven(fd, mode) &&
           (list.empty() || ::fsetxattr(fd, AccessList, list.data(), list.size(), 0) == 0);
}
} // namespace

std::error_code refusalToReplace(const std::filesystem::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return {};
    if (leadsToFolder(path)) return FileRefusal::Folder;
    if (::stat(path.c_str(), &st) != 0) {                                // a link to no file
        if (errno != ENOENT) return fileErrorFor(errno, FileUse::Write); // a loop among them
        // Written through where its file's folder is there, as the writer does.
        std::error_code unknown;
        return std::filesystem::is_directory(linkTarget(path).parent_path(), unknown)
                   ? std::error_code()
                   : make_error_code(FileRefusal::NoFolder);
    }
    if (!S_ISREG(st.st_mode)) return refusalOfKind(st.st_mode);
    if ((st.st_mode & 0222) == 0) return FileRefusal::ReadOnlyFile;
    if (::access(path.c_str(), W_OK) != 0) return lastError(FileUse::Write);
    if (stickyFolderKeeps(linkTarget(path), st)) return FileRefusal::ReplaceDenied;
    return {};
}

bool isReadOnlyFile(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && refusalToReplace(path);
}

void SafeFileWriter::failAfterWrites(int n) {
    writesUntilFailure = n;
}

void SafeFileWriter::failCommitAfter(int n, int errnoValue) {
    commitsUntilFailure = n;
    commitFailure = errnoValue;
}

SafeFileWriter::SafeFileWriter(std::filesystem::path target) : target_(linkTarget(target)) {
    // Renaming over a link that the chain above could not leave (a link to
    // itself, or a loop) would put a plain file in its place; renaming over a
    // folder fails only after everything was written.
    struct stat st {};
    const bool named = ::lstat(target_.c_str(), &st) == 0;
    if (named && S_ISLNK(st.st_mode)) {
        fail(FileRefusal::LinkLoop);
        return;
    }
    // A name the system does not take (one made from another, such as a
    // chart export's companions) is refused before anything is written.
    if (!named && errno == ENAMETOOLONG) {
        fail(lastError(FileUse::Write));
        return;
    }
    // Renaming over a pipe, a device or a socket would put a plain file in
    // its place; a file this user may not write stays.
    if (const std::error_code refused = refusalToReplace(target_)) {
        fail(refused);
        return;
    }
    // What writes into this folder ended part-way left there.
    const std::filesystem::path folder = target_.parent_path();
    removeLeftTemporaries(target_);
    const std::string prefix = temporaryPrefix(target_, longestNameIn(folder));
    struct stat old {};
    const bool replacing = ::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        // At most TemporaryDigits digits, so that the name fits.
        temp_ = folder / (prefix + std::to_string(rd() % 1000000));
        // Read as well, for the stamp of the file written.
        fd_ = createTemporary(temp_, replacing);
        if (fd_ < 0 && errno != EEXIST) break;
        if (fd_ < 0) continue;
        if (!holdTemporary(fd_, temp_)) { // another save's clearing took it, and removes it
            ::close(fd_);
            fd_ = -1;
            continue;
        }
        // The lock lives on in a second descriptor of the same open file
        // until the file is renamed or removed, after fd_ was closed.
        lockFd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
        if (lockFd_ < 0) {
            const int failure = errno;
            ::unlink(temp_.c_str());
            ::close(fd_);
            fd_ = -1;
            errno = failure;
            break;
        }
        // A file replaced keeps its owner and group where the system lets
        // this user give them (else only its group, else the saver's), and
        // who may use it (a private book stays private).
        if (replacing) {
            [[maybe_unused]] const bool given =
                ::fchown(fd_, old.st_uid, old.st_gid) == 0 ||
                ::fchown(fd_, static_cast<uid_t>(-1), old.st_gid) == 0;
            if (!keepAccess(fd_, target_, old.st_mode & 07777)) fail(lastError(FileUse::Write));
        }
        return;
    }
    // Creating a file fails this way only when the folder is not there.
    fail(errno == ENOENT || errno == ENOTDIR ? make_error_code(FileRefusal::NoFolder)
                                             : lastError(FileUse::Write));
    temp_.clear();
}

SafeFileWriter::~SafeFileWriter() {
    // Removed while still held, so that no other save can take the name meanwhile.
    if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
    if (fd_ >= 0) ::close(fd_);
    if (lockFd_ >= 0) ::close(lockFd_);
}

void SafeFileWriter::fail(std::error_code ec) {
    if (!error_) error_ = ec ? ec : std::make_error_code(std::errc::io_error);
}

void SafeFileWriter::write(std::string_view bytes) {
    write(bytes.data(), bytes.size());
}

void SafeFileWriter::write(const void* data, std::size_t size) {
    if (error_ || size == 0) return;
    int pending = writesUntilFailure.load();
    if (pending >= 0) {
        if (pending == 0) {
            writesUntilFailure = -1;
            fail(std::make_error_code(std::errc::no_space_on_device));
            return;
        }
        writesUntilFailure = pending - 1;
    }
    const char* p = static_cast<const char*>(data);
    std::size_t left = size;
    while (left > 0) {
        ssize_t n = ::pwrite(fd_, p, left, static_cast<off_t>(position_));
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(lastError(FileUse::Write));
            return;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
        position_ += static_cast<std::uint64_t>(n);
    }
    if (position_ > size_) size_ = position_;
    digest_.add({static_cast<const char*>(data), size});
}

void SafeFileWriter::skip(std::uint64_t bytes) {
    if (error_) return;
    position_ += bytes;
    digest_.addZeros(bytes);
}

bool SafeFileWriter::commit(std::optional<FileStamp>* written) {
    if (error_) return false;
    // A trailing gap still belongs to the file.
    if (position_ > size_) {
        if (::ftruncate(fd_, static_cast<off_t>(position_)) != 0) {
            fail(lastError(FileUse::Write));
            return false;
        }
        size_ = position_;
    }
    if (::fsync(fd_) != 0) {
        fail(lastError(FileUse::Write));
        return false;
    }
    if (::close(fd_) != 0) {
        fd_ = -1;
        fail(lastError(FileUse::Write));
        return false;
    }
    fd_ = -1;
    const int pending = commitsUntilFailure.load();
    if (pending >= 0) commitsUntilFailure = pending - 1;
    if (pending == 0) errno = commitFailure.load();
    if (pending == 0 || ::rename(temp_.c_str(), target_.c_str()) != 0) {
        fail(lastError(FileUse::Write));
        return false;
    }
    committed_ = true;
    if (written) {
        *written = fileStampOf(lockFd_, digest_.value());
        // Bytes another library wrote into it by name are read for their digest.
        if (*written && (*written)->size != size_) *written = fileStampOf(lockFd_);
    }
    ::close(lockFd_);
    lockFd_ = -1;
    // Make the rename itself durable.
    int dir = ::open(target_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    fileWrittenInPlace(target_);
    return true;
}

std::error_code writeFileSafely(const std::filesystem::path& target, std::string_view bytes) {
    SafeFileWriter w(target);
    w.write(bytes);
    w.commit();
    return w.error();
}

namespace {
// Carries a failed write out of the making of the bytes.
struct WriteFailed {
    std::error_code error;
};
} // namespace

std::error_code streamBlocks(const std::function<void(ByteWriter&)>& write,
                             const std::function<std::error_code(std::string_view)>& put) {
    try {
        ByteWriter out([&put](std::string_view block) {
            if (std::error_code ec = put(block)) throw WriteFailed{ec};
        });
        write(out);
        out.finish();
    } catch (const WriteFailed& failed) {
        return failed.error;
    }
    return {};
}

namespace {
// Writes the bytes `write` makes; past `limit` bytes the making stops with
// TooLargeToOpen and nothing is put in place.
std::error_code writeUpTo(const std::filesystem::path& target,
                          const std::function<void(ByteWriter&)>& write,
                          std::optional<FileStamp>* written, std::uint64_t limit) {
    SafeFileWriter file(target);
    if (!file.ok()) return file.error();
    const std::error_code failed =
        streamBlocks(write, [&file, limit](std::string_view block) -> std::error_code {
            if (file.position() + block.size() > limit) return FileRefusal::TooLargeToOpen;
            file.write(block);
            return file.error();
        });
    if (failed) return failed;
    file.commit(written);
    return file.error();
}
} // namespace

std::error_code writeFileSafely(const std::filesystem::path& target,
                                const std::function<void(ByteWriter&)>& write,
                                std::optional<FileStamp>* written) {
    return writeUpTo(target, write, written, std::numeric_limits<std::uint64_t>::max());
}

std::error_code writeBookFormSafely(const std::filesystem::path& target,
                                    const std::function<void(ByteWriter&)>& write,
                                    std::optional<FileStamp>* written) {
    return writeUpTo(target, write, written, largestFile());
}

std::uint64_t largestFile() {
    const std::uint64_t lowered = loweredLimit.load();
    return lowered > 0 ? lowered : LargestFileRead;
}

void lowerLargestFile(std::uint64_t bytes) {
    loweredLimit = bytes;
}

int openForReading(const std::filesystem::path& path) {
    if (const int failure = nextOpenFailure.exchange(0)) {
        errno = failure;
        return -1;
    }
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

void failNextOpenForReading(int errnoValue) {
    nextOpenFailure = errnoValue;
}

std::error_code readWholeFile(const std::filesystem::path& path, std::string& bytes) {
    const FileDescriptor file(openForReading(path));
    if (!file.opened()) return lastError(FileUse::Read);
    std::uint64_t size = 0;
    if (std::error_code ec = checkReadableFile(file.get(), size)) return ec;
    std::string data;
    try {
        data.reserve(static_cast<std::size_t>(size));
        const std::error_code failed =
            readBlocks(file.get(), [&data](std::string_view block) -> std::error_code {
                // A file that grows while it is read stops at the limit too.
                if (data.size() + block.size() > largestFile()) return FileRefusal::TooLarge;
                data.append(block);
                return {};
            });
        if (failed) return failed;
    } catch (const std::bad_alloc&) {
        return std::make_error_code(std::errc::not_enough_memory);
    }
    bytes = std::move(data);
    return {};
}

std::error_code readBlocks(int fd, const std::function<std::error_code(std::string_view)>& take) {
    char block[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, block, sizeof block, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return lastError(FileUse::Read);
        if (n == 0) return {};
        if (std::error_code stop = take({block, static_cast<std::size_t>(n)})) return stop;
        at += n;
    }
}

std::error_code checkReadableFile(int fd, std::uint64_t& size) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return lastError(FileUse::Read);
    if (S_ISDIR(st.st_mode)) return FileRefusal::Folder;
    if (!S_ISREG(st.st_mode)) return FileRefusal::NotARegularFile;
    size = static_cast<std::uint64_t>(st.st_size);
    if (size > largestFile()) return FileRefusal::TooLarge;
    return {};
}
