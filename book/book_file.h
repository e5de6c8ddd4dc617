// The book file (.acc): version 7 written, versions 5, 6 and 7 read.
// Reading parses into a separate Book; the caller replaces the open book only
// when the result says Ok.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

enum class BookReadStatus {
    Ok,
    PasswordRefused,    // the prompt was cancelled or the password did not match
    ForeignPassword,    // the password field is not in our scrambled form
    UnsupportedVersion, // the version message was shown; nothing replaced
    Damaged,            // truncated or inconsistent: `message` says what
    FileError,          // the file could not be read: `error` says why
};

struct BookReadResult {
    BookReadStatus status = BookReadStatus::Damaged;
    Book book;             // the whole book read (valid only when Ok)
    Currency version;      // the file's version value
    std::string message;   // for Damaged / UnsupportedVersion / ForeignPassword
    std::error_code error; // for FileError
    bool ok() const { return status == BookReadStatus::Ok; }
};

// Asked for the file's password when it has one; returns what the user
// entered, or nullopt when the prompt was cancelled.
using PasswordPrompt = std::function<std::optional<std::string>()>;

// Parses a whole book file held in memory. `run` receives progress steps
// (ProgressStride is set from the file's line count) and may be null.
BookReadResult parseBookFile(std::string_view bytes, const PasswordPrompt& askPassword,
                             RunTimeState* run);
BookReadResult readBookFile(const std::filesystem::path& path, const PasswordPrompt& askPassword,
                            RunTimeState* run);

struct BookWriteResult {
    std::error_code error; // file error (empty on success)
    std::string message;   // a refusal before writing (e.g. a text too long), else ""
    bool ok() const { return !error && message.empty(); }
};

// The version every book file is written in.
Currency writtenBookFileVersion();

// Serialises the book as version 7. A text of 65,536 bytes or more cannot be
// stored: the result is nullopt and `refusal` names the field.
std::optional<std::string> serializeBookFile(const Book& book, RunTimeState* run,
                                             std::string* refusal);
// Writes the book safely (beside the target, then renamed over it).
BookWriteResult writeBookFile(const std::filesystem::path& path, const Book& book,
                              RunTimeState* run);
