// Inserting another book's entries: its journal is appended to the open
// book's, and every account of it whose number the open book lacks is added
// to the chart of accounts (the open book's name, class and notes win for a
// number both have). Nothing else of the other book is taken but, from a
// book file, its ReservedLong. The other book is read whole and checked
// before anything of the open book changes.
#pragma once

#include "book/book.h"
#include "book/book_file.h"
#include "book/runtime_state.h"
#include "book/text_form_dates.h"
#include "platform/locale.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

enum class InsertSource { BookFile, CsvFile };

struct InsertResult {
    enum Status {
        Done,
        PasswordRefused, // the other book's own password was not given
        Stopped,         // `message` says why; the open book is as it was
        FileError,       // `error` says why; the open book is as it was
        Cancelled,       // the user cancelled a question; the open book is as it was
    };
    Status status = Stopped;
    std::string message;
    std::error_code error;
    std::int32_t linesAppended = 0;
    int accountsAdded = 0;
    bool changed = false; // the book was changed and is marked so (BookChanged)
    // For Done: what the user is told after inserting ("" = nothing), as
    // after opening the same file: a CSV book's last entry without a closing
    // note is inserted as it stands, left open at the journal's end.
    std::string notice;
    bool ok() const { return status == Done; }
};

// Appends the book held in `bytes`. The other book's password, when it has
// one, is asked through `askPassword`. With AutoIncrement 1 each inserted
// entry gets one reference, the first the open book's next, then one higher
// per entry; when one would not fit in a reference nothing is inserted. CSV
// dates are read as when the file is opened: in the order that reads them
// all, `askDates` asked when several give different days. `sourceName`
// names the file in messages.
InsertResult insertBook(Book& book, RunTimeState& run, std::string_view bytes, InsertSource source,
                        const std::string& sourceName, const PasswordPrompt& askPassword,
                        const LocaleInfo& locale,
                        const textforms::DateOrderQuestion& askDates = {});
InsertResult insertBookFile(Book& book, RunTimeState& run, const std::filesystem::path& path,
                            InsertSource source, const PasswordPrompt& askPassword,
                            const LocaleInfo& locale,
                            const textforms::DateOrderQuestion& askDates = {});
