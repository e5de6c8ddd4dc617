// Writing a file safely: the bytes go to a temporary file in the target's
// folder, every write is checked, the file is flushed to disk and only then
// renamed over the target. A file replaced keeps its owner and group (where
// the system lets this user give them), its permissions and its access-control
// list. On any failure the target stays as it was; a
// temporary file left by a write killed part-way goes with the next write
// into the same folder (safe_file_leftovers.h). A target reached through a
// symbolic link is written where the link points (the link stays); a
// read-only target, a folder, a pipe, a device or a socket, a link that
// leads back to itself and a folder that does not exist are refused.
#pragma once

#include "book/byte_digest.h"
#include "book/byte_writer.h"
#include "book/file_stamp.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <system_error>
#include <type_traits>

// Why a file was refused before anything was read or written. A folder and a
// link loop also compare equal to is_a_directory and too_many_symbolic_link_levels,
// a missing folder to no_such_file_or_directory, a denial to permission_denied,
// a read-only file or drive to read_only_file_system.
enum class FileRefusal {
    NotARegularFile = 1, // a pipe, device or socket to read
    TooLarge,            // beyond largestFile()
    Folder,              // the name is a folder's
    LinkLoop,            // symbolic links that lead back to themselves
    NoFolder,            // the folder to write into does not exist
    NamedPipe,           // the name to write over is a named pipe's (FIFO)
    Device,              // ... a device's
    Socket,              // ... a socket's
    ReadDenied,          // this user has no permission to read the file
    WriteDenied,         // ... to write the file, or into its folder
    RemoveDenied,        // ... to remove the file from its folder
    Denied,              // ... to do what was asked (not known to be one of those)
    ReplaceDenied,  // a shared folder (sticky bit) keeps another user's file from being replaced
    ReadOnlyFile,   // no one may write the file (its mode has no write permission)
    ReadOnlyDrive,  // the file system it is on is mounted read-only
    TooLargeToOpen, // a book written would be larger than largestFile()
};
const std::error_category& fileRefusalCategory();
std::error_code make_error_code(FileRefusal refusal);
template <> struct std::is_error_code_enum<FileRefusal> : std::true_type {};
// What a failed system call was doing with the file: the same errno means
// another thing to the user when reading than when writing. Other: not known.
enum class FileUse { Read, Write, Remove, Other };
// The error of a failed system call on a file: errno, except that a folder,
// a link loop, a read-only drive and a permission denied give their refusals (and so their own
// messages, a denial saying whether reading, writing or removing was refused).
// The one rule of how a refused permission is told: it says what was refused,
// never what was or was not written, which only the command knows.
std::error_code fileErrorFor(int errnoValue, FileUse use);
// Why a name that is not a regular file cannot be written over or removed as
// one: a folder, a named pipe, a device or a socket (`mode` as stat gives it).
FileRefusal refusalOfKind(mode_t mode);
// What a name refused for its kind is ("a folder", "a named pipe (FIFO)", ...);
// "" for the other refusals.
std::string kindOfRefusal(FileRefusal refusal);
// True for a folder or a symbolic link that leads to one: no command writes
// over or removes such a name, and the replace question never lists it.
bool leadsToFolder(const std::filesystem::path& path);

// No book or text form comes near this size; a larger file is refused rather
// than read until memory runs out, and none is written.
constexpr std::uint64_t LargestFileRead = std::uint64_t(1) << 30;
// The largest file the readers take and the book writers write:
// LargestFileRead, or what a test lowered it to.
std::uint64_t largestFile();
// Test hook: the limit lowered to `bytes` (0: LargestFileRead again).
void lowerLargestFile(std::uint64_t bytes);

// The file a path names once every symbolic link on its last part is followed,
// also one that points where no file is yet.
std::filesystem::path linkTarget(const std::filesystem::path& path);
// Why a command may not write over or remove the name `path` (also what a
// link there leads to): a folder, a pipe, a device or a socket, a read-only
// file (no write permission for anyone), a file this user may not write (a
// refused permission, or a read-only file system), a file of another user in
// a shared folder that keeps it. Empty when nothing is there or the name may
// go. The one rule of the safe writer, the replace question and the removal
// of older files.
std::error_code refusalToReplace(const std::filesystem::path& path);
// True for an existing file this user may not write (no write permission, or
// writing is refused).
bool isReadOnlyFile(const std::filesystem::path& path);

class SafeFileWriter {
  public:
    explicit SafeFileWriter(std::filesystem::path target);
    ~SafeFileWriter(); // removes the temporary file unless committed
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // False once anything failed; error() tells what.
    bool ok() const { return !error_; }
    const std::error_code& error() const { return error_; }

    void write(std::string_view bytes);
    void write(const void* data, std::size_t size);
    // Leaves a gap of `bytes` zero bytes without writing them (a sparse hole).
    void skip(std::uint64_t bytes);
    std::uint64_t position() const { return position_; }
    // The temporary file, for bytes another library writes into it by name
    // (empty when it could not be made). It is held and cleared as ours.
    const std::filesystem::path& temporaryPath() const { return temp_; }

    // Flushes, syncs and renames over the target. False (and error() set) on
    // failure. Where `written` is given, it gets the stamp of the file written,
    // taken once it is in place from the file itself (not from whatever the
    // target's name leads to by then), its digest that of the bytes as they
    // were written. The file in place is told to fileWrittenInPlace
    // (book_file_identity.h), in case it now stands where the open book's file was.
    bool commit(std::optional<FileStamp>* written = nullptr);

    // Test hook: the n-th write from now fails as if the disk were full.
    static void failAfterWrites(int n);
    // Test hook: once `n` more commits went well, the next one fails at its
    // rename with `errnoValue` (n < 0: none).
    static void failCommitAfter(int n, int errnoValue);

  private:
    void fail(std::error_code ec);
    std::filesystem::path target_, temp_;
    int fd_ = -1;
    int lockFd_ = -1; // holds the temporary file's lock until it is renamed or removed
    std::uint64_t position_ = 0;
    std::uint64_t size_ = 0;
    std::error_code error_;
    bool committed_ = false;
    ByteDigest digest_; // of the bytes written so far
};

// Makes a file's bytes with `write`, handing them to `put` in blocks as they
// are made. The first block `put` cannot write (its error not empty) stops the
// making: nothing more is made once the disk is full. Returns that error
// (empty when every block was written).
std::error_code streamBlocks(const std::function<void(ByteWriter&)>& write,
                             const std::function<std::error_code(std::string_view)>& put);

// Writes a whole file safely; returns the error (empty on success).
std::error_code writeFileSafely(const std::filesystem::path& target, std::string_view bytes);
// The same with the bytes written by `write` as they are made, so that a
// large file never stands whole in memory; `written` as commit() gives it.
std::error_code writeFileSafely(const std::filesystem::path& target,
                                const std::function<void(ByteWriter&)>& write,
                                std::optional<FileStamp>* written = nullptr);
// The same for a book in any of its forms (.acc, .txt, .csv), which the
// program must open again: refused (TooLargeToOpen) the moment the bytes
// made pass largestFile(), the old file as it was.
std::error_code writeBookFormSafely(const std::filesystem::path& target,
                                    const std::function<void(ByteWriter&)>& write,
                                    std::optional<FileStamp>* written = nullptr);

// The checks every reader makes on the file it opened: a regular file (a
// folder gives FileRefusal::Folder) of at most largestFile() bytes, whose
// size is given.
std::error_code checkReadableFile(int fd, std::uint64_t& size);
// Opens a file to read it, without blocking (a named pipe given as a file
// must not hang the program); -1 with errno set when it cannot be opened.
int openForReading(const std::filesystem::path& path);
// Test hook: the next openForReading fails with `errnoValue` (0: none), as
// the system refuses a file to a user who may not read it, also where the
// tests run with every permission.
void failNextOpenForReading(int errnoValue);
// Reads a whole regular file of at most largestFile() bytes into memory;
// returns the error (empty on success).
std::error_code readWholeFile(const std::filesystem::path& path, std::string& bytes);
// Hands the bytes of the open file `fd`, from its start and without moving
// its offset, to `take` in blocks, until the end or the first error `take`
// returns; returns that error or the read's (empty when all was read).
std::error_code readBlocks(int fd, const std::function<std::error_code(std::string_view)>& take);
