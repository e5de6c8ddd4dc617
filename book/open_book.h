// Opening a book: the reader chosen by the file's form, the whole file read
// into a separate book, and only a complete reading put in place of the open
// book together with its path and cleared changed mark.
#pragma once

#include "book/book.h"
#include "book/book_file.h"
#include "book/runtime_state.h"

#include <filesystem>
#include <functional>

enum class BookFileKind { Acc, Text, Csv };

// The form a file is read in, by its extension (any case): ".txt" text,
// ".csv" comma-separated, anything else the book file.
BookFileKind bookFileKindForPath(const std::filesystem::path& path);

// A reader of the text or comma-separated form. Those forms hold only part of
// a book: the reader starts from a copy of the open book and replaces what the
// file holds. `askAdminPassword` is there for the reader to ask for the open
// book's administrator password when one is set.
using PartialBookReader =
    std::function<BookReadResult(const std::filesystem::path& path, const Book& openBook,
                                 const PasswordPrompt& askAdminPassword, RunTimeState* run)>;

// The readers of the text forms, supplied by whoever has them; an unset one
// makes opening that form fail with a message.
struct BookReaders {
    PartialBookReader text;
    PartialBookReader csv;
};

// Reads a book of the given form; nothing of the open book or of `run`
// changes except the progress state. `askPassword` answers the book file's
// own password (and, for the text forms, the open book's administrator password).
BookReadResult openBookFile(const std::filesystem::path& path, BookFileKind kind,
                            const Book& openBook, const PasswordPrompt& askPassword,
                            RunTimeState* run, const BookReaders& readers = {});

// Puts a complete reading in place of the open book. A book file becomes the
// book's own file (BookFilePath, CurrentFilePath, BookDirectory,
// BookFileVersion); a text form leaves BookFilePath and CurrentFilePath
// empty (it has no book file of its own). Either way the changed mark is cleared and the display starts at the
// last line. A journal left without lines gets the empty journal of NewStart.
// Does nothing unless `result.ok()`.
void adoptOpenedBook(Book& openBook, RunTimeState& run, BookReadResult&& result,
                     const std::filesystem::path& path, BookFileKind kind, double today);
