#include "book/open_book.h"

#include "book/save_paths.h"

#include <algorithm>
#include <cctype>

BookFileKind bookFileKindForPath(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".txt") return BookFileKind::Text;
    if (ext == ".csv") return BookFileKind::Csv;
    return BookFileKind::Acc;
}

BookReadResult openBookFile(const std::filesystem::path& path, BookFileKind kind,
                            const Book& openBook, const PasswordPrompt& askPassword,
                            RunTimeState* run, const BookReaders& readers) {
    if (kind == BookFileKind::Acc) return readBookFile(path, askPassword, run);
    const PartialBookReader& reader = kind == BookFileKind::Text ? readers.text : readers.csv;
    if (!reader) {
        BookReadResult result;
        result.status = BookReadStatus::Damaged;
        result.message = std::string("Books in the ") +
                         (kind == BookFileKind::Text ? "text" : "CSV") +
                         " form cannot be opened here.";
        return result;
    }
    return reader(path, openBook, askPassword, run);
}

void adoptOpenedBook(Book& openBook, RunTimeState& run, BookReadResult&& result,
                     const std::filesystem::path& path, BookFileKind kind, double today) {
    if (!result.ok()) return;
    openBook = std::move(result.book);
    if (openBook.EntryLines.empty()) NewStart(openBook, today);
    if (kind == BookFileKind::Acc) {
        std::filesystem::path full = std::filesystem::absolute(path).lexically_normal();
        run.BookFilePath = full.string();
        run.CurrentFilePath = full.string();
        run.BookDirectory = folderWithSlash(full.parent_path());
        run.BookFileVersion = result.version;
    } else {
        // A text form holds only part of a book: it has no book file of its
        // own, so the next plain Save asks for a name instead of overwriting
        // the book that was open before.
        run.BookFilePath.clear();
        run.CurrentFilePath.clear();
    }
    markBookReplaced(run);
    const std::int32_t last = openBook.LastEntryLine();
    run.CurrentFirstLine = 0;
    run.CurrentLastLine = 0;
    run.RowBase = last;
    run.LockedBelow = last;
}
