// The book file (.acc): version 7 written, versions 5, 6 and 7 read.
// Reading parses into a separate Book; the caller replaces the open book only
// when the result says Ok.
#pragma once

#include "book/book.h"
#include "book/file_stamp.h"
#include "book/runtime_state.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>

enum class BookReadStatus {
    Ok,
    PasswordRefused,    // the prompt was cancelled or the password did not match
    ForeignPassword,    // the password field is not in our scrambled form
    UnsupportedVersion, // the version message was shown; nothing replaced
    Damaged,            // truncated or inconsistent: `message` says what
    FileError,          // the file could not be read: `error` says why
    Cancelled,          // the user cancelled a question asked while reading
};

struct BookReadResult {
    BookReadStatus status = BookReadStatus::Damaged;
    Book book;             // the whole book read (valid only when Ok)
    Currency version;      // the file's version value
    std::string message;   // for Damaged / UnsupportedVersion / ForeignPassword
    std::string damage;    // for Damaged: what was found wrong, said of the file alone
    std::string notice;    // for Ok: what the user is told after opening ("" = nothing)
    std::error_code error; // for FileError
    // For Ok: the book file as read, where a file was read.
    std::optional<FileStamp> read;
    bool ok() const { return status == BookReadStatus::Ok; }
};

// Asked for the file's password when it has one; returns what the user
// entered, or nullopt when the prompt was cancelled. It is told the password
// it asks for, so that the prompt can take it the moment it is typed, as the
// password prompt does with every password; a prompt that needs no telling
// may take no argument.
class PasswordPrompt {
    template <class T> struct isFunctionObject : std::false_type {};
    template <class S> struct isFunctionObject<std::function<S>> : std::true_type {};

  public:
    using Ask = std::function<std::optional<std::string>(const std::string& wanted)>;

    PasswordPrompt() = default;
    PasswordPrompt(std::nullptr_t) {}
    template <class F>
    requires std::is_invocable_r_v<std::optional<std::string>, F&> PasswordPrompt(F f) {
        // An empty function (or a null pointer to one) asks nothing.
        if constexpr (std::is_pointer_v<F> || isFunctionObject<F>::value)
            if (!f) return;
        ask_ = [f = std::move(f)](const std::string&) mutable { return f(); };
    }
    template <class F>
    requires(!std::is_invocable_v<F&> &&
             std::is_invocable_r_v<std::optional<std::string>, F&, const std::string&>)
        PasswordPrompt(F f)
        : ask_(std::move(f)) {}

    std::optional<std::string> operator()(const std::string& wanted = {}) const {
        if (!ask_) return std::nullopt;
        return ask_(wanted);
    }
    explicit operator bool() const { return static_cast<bool>(ask_); }

  private:
    Ask ask_;
};

// Parses a whole book file held in memory. `run` receives progress steps
// (ProgressStride is set from the file's line count) and may be null. Every
// journal and group line is read on the side it counts on (sideAsRead): a
// side byte other than 1 or 2 under an amount is a credit.
BookReadResult parseBookFile(std::string_view bytes, const PasswordPrompt& askPassword,
                             RunTimeState* run);
BookReadResult readBookFile(const std::filesystem::path& path, const PasswordPrompt& askPassword,
                            RunTimeState* run);

struct BookWriteResult {
    std::error_code error;            // file error (empty on success)
    std::string message;              // a refusal before writing (e.g. a text too long), else ""
    std::optional<FileStamp> written; // the book file as written (where the writer tells)
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
