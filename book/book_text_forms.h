// What the two text forms of a book (.txt and .csv) share: decoding and
// splitting the file into lines, the field clean-ups of the writers, the
// amount fields, and shaping journal lines into entries while reading.
//
// A book written in a text form reads back as it was, but for the clean-ups
// of the writers (oneLineText, trimmedField, writtenNote), what the form does
// not hold (account notes, reconciled marks and times of day), the side
// byte of a line on neither side that holds an amount (it comes back a
// credit, where the trial balance counts it) and the order the readers give
// an entry (debit lines first). A book that would not read back (refusalFor)
// is refused before anything is written.
#pragma once

#include "book/book.h"
#include "book/book_file.h"
#include "book/byte_writer.h"
#include "book/runtime_state.h"
#include "book/text_form_dates.h"
#include "platform/locale.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// The outcome of reading a text form. The book holds only what the form
// carries (accounts, journal and, from a .txt, the business name); the open
// book is changed by adoptTextFormBook() alone, and only when `ok`.
struct TextFormReadResult {
    bool ok = false;
    Book book;
    bool hasBusinessName = false;
    int faultLine = 0;      // 1-based line that did not fit (0: the file as a whole)
    std::string message;    // why the reading stopped, naming the line
    std::string notice;     // said after a whole reading: the last entry has no closing note
    std::error_code error;  // the file could not be read
    bool cancelled = false; // the user cancelled a question (which order the dates are in)
    // Always false: a book opened from a text form has no book file of its
    // own, so whoever puts it in place empties BookFilePath (as
    // adoptTextFormBook does) and the next plain Save asks for a name.
    bool hasOwnBookFile = false;
};

// Puts a text form that was read in place of the open book's chart of
// accounts and journal (and business name, from a .txt); the entry-line
// account list becomes every slot's name. Settings, passwords, the date style
// and the entry groups stay. The opened text book has no book file of its
// own: BookFilePath and CurrentFilePath become "", so a plain Save asks for a
// name instead of overwriting the previous book. The changed flag is cleared
// as after any open.
void adoptTextFormBook(Book& open, RunTimeState& run, TextFormReadResult&& read);

namespace textforms {

// Reads a file whole and parses its bytes; a file that cannot be read gives
// its error and the message for it.
TextFormReadResult readFile(const std::filesystem::path& path,
                            const std::function<TextFormReadResult(std::string_view)>& parse);

// Runs a parse; running out of memory on the way gives a file error
// (not_enough_memory) and its message, as the book-file reader reports it.
TextFormReadResult guardedParse(const std::function<TextFormReadResult()>& parse);
// Writes the text `format` makes, as it makes it, through the safe writer
// (no larger than a reader takes), unless the book holds what the form cannot
// carry (refusalFor); running out of memory while making it is a file error
// as well.
BookWriteResult writeText(const std::filesystem::path& path, const Book& book,
                          const std::string& formName,
                          const std::function<void(ByteWriter&)>& format);

// The bytes `make` makes, as one text.
std::string madeWhole(const std::function<void(ByteWriter&)>& make);

// Why the book cannot be written in a text form so that it reads back the
// same, or "" when it can: an entry with more lines on one side than a reader
// takes. `formName` names the form in the message ("text", "CSV").
std::string refusalFor(const Book& book, const std::string& formName);

// What the user is told when a book's last entry has no closing note (one
// being typed when the book was saved) and was kept as it stands: the entry's
// reference, the journal line it starts on (0-based) and what was done with
// it ("opened", "inserted").
std::string openLastEntryNotice(const EntryId& reference, std::size_t firstLine,
                                const std::string& done);

// A reader of one form from a file: path, open book, locale, today,
// progress, and whom to ask which order the dates are in.
using FileReader = TextFormReadResult (*)(const std::filesystem::path&, const Book&,
                                          const LocaleInfo&, double, RunTimeState*,
                                          const DateOrderQuestion&);

// For opening through open_book.h: when the open book has an administrator
// password, the answer must equal it (PasswordRefused otherwise); then the
// file is read with the installed locale and clock. The result is the open
// book with the chart, the journal and the entry-line account list (and,
// from a .txt, the business name) of the reading in place of its own; a
// reading that stopped gives Damaged with its message, a file that could
// not be read FileError, a question cancelled Cancelled.
BookReadResult readForOpening(FileReader read, const std::filesystem::path& path, const Book& open,
                              const PasswordPrompt& askAdminPassword, RunTimeState* run,
                              const DateOrderQuestion& askDates);

constexpr int RuleWidth = 80;

// What Cancel does when the user is asked which order a file's dates are in.
inline constexpr const char* CancelOpensNothing = "opens nothing and leaves the open book as it is";
inline constexpr const char* CancelInsertsNothing =
    "inserts nothing and leaves the open book as it is";

// File bytes to UTF-8 text: a leading byte-order mark is dropped; text that is
// not valid UTF-8 is decoded from the code page of `fontCharset`.
std::string decodeText(std::string_view bytes, int fontCharset);

// Walks text line by line; CR LF, LF and CR each end a line. A last line
// without an ending still counts; nothing follows a final line ending.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(std::string_view& line);
    int lineNumber() const { return number_; } // of the line last returned
    std::size_t position() const { return pos_; }
    std::size_t size() const { return text_.size(); }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

// Splits at every ",".
void splitFields(std::string_view line, std::vector<std::string_view>& fields);
std::string_view trimSpaces(std::string_view s);
bool isBlank(std::string_view s);

// A field for one line of a text file: NUL characters dropped, CR LF, CR and
// LF each made one space; `dropCommas` also removes every ",".
std::string oneLineText(std::string_view s, bool dropCommas);
// The same, with spaces trimmed at both ends.
std::string trimmedField(std::string_view s, bool dropCommas);

// An amount as the forms print it: a space (or "-" when negative), the number
// with "." as the decimal mark, and a space: " 250 ", "-12.5 ".
void appendPrintedNumber(std::string& out, Currency value);

// The last three fields of a journal line: the amount under Debit or Credit
// by the side it counts on (neither for a line never filled: side 0 and no
// amount), then the note.
void appendAmountsAndNote(std::string& out, const EntryLine& line);

// The note field of a line: trimmed, without commas; a note that closes its
// entry but holds nothing a file keeps (NULs, line ends) is written "_" so
// that it still closes the entry when read.
std::string writtenNote(const std::string& details);

// The class of an account as the forms write it: 1 to 9, a class beyond
// Other written as Other.
int classInFile(std::uint8_t type);

// Reads a number with "." as the decimal mark, blanks around it allowed.
std::optional<Currency> readNumber(std::string_view field);

// The side and amount of a journal line from its debit and credit fields: the
// field that is not blank gives the side and the value, sign included; when
// both hold something the credit wins; when neither does, side 0 and 0.
// Returns the fault when a non-blank field is not a number.
std::optional<std::string> readAmountFields(std::string_view debit, std::string_view credit,
                                            std::uint8_t& side, Currency& amount);

// The book's date style when it is one of 0..8, else 0 (the locale's short date).
int usableDateStyle(int style);

// Dates in the book's date style. Consecutive lines of an entry share their
// date, so the writer keeps the last one it wrote.
class DateWriter {
  public:
    DateWriter(int style, const LocaleInfo& locale) : style_(style), locale_(locale) {}
    const std::string& text(double date);

  private:
    int style_;
    const LocaleInfo& locale_;
    double last_ = 0;
    bool valid_ = false;
    std::string text_;
};

// Collects journal lines into entries as the readers do: an entry ends at a
// line whose note, trimmed, is not empty; the lines before its closing line
// are put debit lines first (a stable order by Side; references stay in
// place). An entry may hold 30 lines a side (EntrySideCount).
class EntryShaper {
  public:
    void reserve(std::size_t lines);
    // False when the line would put more than 30 lines on one side of its entry.
    bool add(EntryId id, EntryLine line);
    // Orders an entry left open at the end of the file.
    void finish();
    // The last line added left its entry without a closing note.
    bool entryOpen() const { return entryStart_ < lines.size(); }
    // The first line of the entry being collected.
    std::size_t entryStart() const { return entryStart_; }
    std::vector<EntryLine> lines;
    std::vector<EntryId> ids;

  private:
    void orderOpenEntry(std::size_t end);
    std::size_t entryStart_ = 0;
    EntrySideCount sides_;
};

// What the readers of both forms share: the result being built, the dates
// read in the orders they can be (FileDates), and the journal lines shaped
// into entries.
class FormReader {
  public:
    FormReader(const LocaleInfo& locale, RunTimeState* run, const DateOrderQuestion& askDates)
        : run_(run), askDates_(askDates), dates_(locale) {}
    TextFormReadResult result;

  protected:
    // Stops the reading at a line: "Line 12: <fault>". Always false.
    bool fail(int line, const std::string& fault);
    // The number in an account-number field; nullopt (and the reading
    // stopped) when it cannot be read.
    std::optional<Currency> accountNumber(int line, std::string_view field);
    // Appends an account to the chart read; false past the 32768 slots the
    // chart can hold.
    bool addAccount(int line, Currency number, std::string_view name, std::uint8_t type);
    // A journal line from its fields: date, account number, amount and the
    // size of its entry are checked in that order.
    bool addJournalLine(int line, std::string_view id, std::string_view date,
                        std::string_view account, std::string_view debit, std::string_view credit,
                        std::string_view details);
    // Every 10,000 journal lines the bar follows the position in the file and
    // pending events run.
    void showProgress(const LineReader& lines);
    // The order of the dates settled (asking when it must; false when it
    // cannot be or the question was cancelled), the chart sized to the
    // accounts read (14 slots at least) and the journal read put in place;
    // with no journal lines, the journal of a new book dated `today` when
    // `newStartWhenEmpty`. A last entry without a closing note (one being
    // typed when the book was saved) is kept, and the notice says so.
    // `text` is the file read; `cancelDoes` what Cancel does.
    bool finishBook(std::string_view text, double today, bool newStartWhenEmpty,
                    const std::string& cancelDoes);

    std::vector<std::string_view> fields;
    EntryShaper journal;

  private:
    RunTimeState* run_;
    DateOrderQuestion askDates_;
    FileDates dates_;
};

} // namespace textforms
