#include "book/book_text_forms.h"

#include "book/safe_file.h"
#include "book/text_encoding.h"
#include "book/tmain.h"
#include "platform/services.h"

#include <algorithm>

void adoptTextFormBook(Book& open, RunTimeState& run, TextFormReadResult&& read) {
    if (!read.ok) return;
    Book& in = read.book;
    open.LastAccount = in.LastAccount;
    open.AccountNames = std::move(in.AccountNames);
    open.AccountNumbers = std::move(in.AccountNumbers);
    open.AccountTypes = std::move(in.AccountTypes);
    open.AccountNote = std::move(in.AccountNote);
    open.AccountNote2 = std::move(in.AccountNote2);
    open.AccountExtra = std::move(in.AccountExtra);
    open.EntryLines = std::move(in.EntryLines);
    open.EntryIds = std::move(in.EntryIds);
    if (read.hasBusinessName) open.BusinessName = std::move(in.BusinessName);
    fillEntryAccountList(open, true);
    run.BookFilePath.clear();
    run.CurrentFilePath.clear();
    markBookReplaced(run);
}

namespace {

BookReadResult toBookReadResult(const Book& open, TextFormReadResult&& read) {
    BookReadResult result;
    if (!read.ok) {
        result.status = read.cancelled ? BookReadStatus::Cancelled
                        : read.error   ? BookReadStatus::FileError
                                       : BookReadStatus::Damaged;
        result.error = read.error;
        result.message = read.message;
        return result;
    }
    // Everything of the open book but what the reading replaces; the old
    // journal is never copied.
    Book& book = result.book;
    book.EntryGroups = open.EntryGroups;
    book.GroupNames = open.GroupNames;
    book.GroupCount = open.GroupCount;
    book.RecurringLines = open.RecurringLines;
    book.EditedGroup = open.EditedGroup;
    book.BusinessName = open.BusinessName;
    book.BusinessAddress = open.BusinessAddress;
    book.FilePassword = open.FilePassword;
    book.AdminPassword = open.AdminPassword;
    book.AutoIncrement = open.AutoIncrement;
    book.FontName = open.FontName;
    book.FontCharset = open.FontCharset;
    book.SubAccountDash = open.SubAccountDash;
    book.DecimalsJournal = open.DecimalsJournal;
    book.DecimalsLedger = open.DecimalsLedger;
    book.DecimalsTrialBalance = open.DecimalsTrialBalance;
    book.DecimalsIncome = open.DecimalsIncome;
    book.DecimalsBalanceSheet = open.DecimalsBalanceSheet;
    book.DateStyle = open.DateStyle;
    book.ReservedInteger = open.ReservedInteger;
    book.ReservedLong = open.ReservedLong;
    book.Caption = open.Caption;
    result.notice = read.notice;
    RunTimeState scratch;
    adoptTextFormBook(book, scratch, std::move(read));
    result.status = BookReadStatus::Ok;
    return result;
}

bool adminPasswordGiven(const Book& open, const PasswordPrompt& askAdminPassword) {
    const std::string& wanted = open.AdminPassword.str();
    if (wanted.empty()) return true;
    if (!askAdminPassword) return false;
    auto answer = askAdminPassword();
    return answer && *answer == wanted;
}

} // namespace

namespace textforms {

TextFormReadResult readFile(const std::filesystem::path& path,
                            const std::function<TextFormReadResult(std::string_view)>& parse) {
    std::string bytes;
    if (std::error_code ec = readWholeFile(path, bytes)) {
        TextFormReadResult result;
        result.error = ec;
        result.message = Tmain::FileErrorText(ec);
        return result;
    }
    return parse(bytes);
}

TextFormReadResult guardedParse(const std::function<TextFormReadResult()>& parse) {
    try {
        return parse();
    } catch (const std::bad_alloc&) {
        TextFormReadResult result;
        result.error = std::make_error_code(std::errc::not_enough_memory);
        result.message = Tmain::FileErrorText(result.error);
        return result;
    }
}

BookWriteResult writeText(const std::filesystem::path& path, const Book& book,
                          const std::string& formName,
                          const std::function<void(ByteWriter&)>& format) {
    BookWriteResult result;
    result.message = refusalFor(book, formName);
    if (!result.message.empty()) return result;
    try {
        result.error = writeBookFormSafely(path, format);
    } catch (const std::bad_alloc&) {
        result.error = std::make_error_code(std::errc::not_enough_memory);
    }
    return result;
}

std::string madeWhole(const std::function<void(ByteWriter&)>& make) {
    std::string whole;
    ByteWriter to(whole);
    make(to);
    return whole;
}

std::string refusalFor(const Book& book, const std::string& formName) {
    // The readers' rule (EntryShaper): an entry ends at a line whose note is
    // not blank (writtenNote keeps that), and may hold MaxLinesPerSide lines
    // a side.
    const std::size_t n = book.EntryLines.size();
    std::size_t start = 0;
    EntrySideCount sides;
    bool tooMany = false;
    for (std::size_t i = 0; i < n; ++i) {
        const EntryLine& line = book.EntryLines[i];
        if (!sides.add(line.Side)) tooMany = true;
        const bool last = i + 1 == n;
        if (!closesEntry(line.Details) && !last) continue;
        if (tooMany) {
            const std::string reference =
                start < book.EntryIds.size() ? book.EntryIds[start].shown() : "";
            return "The book was not saved as " + formName + ": the entry with reference \"" +
                   reference + "\" from journal line " + std::to_string(start + 1) + " has " +
                   sides.tooManyText("this form") + ".";
        }
        start = i + 1;
        sides = {};
    }
    return {};
}

std::string openLastEntryNotice(const EntryId& reference, std::size_t firstLine,
                                const std::string& done) {
    return "The last entry of this book (reference \"" + reference.shown() +
           "\", from journal line " + std::to_string(firstLine + 1) +
           ") has no closing note: it was " + done + " as it stands.";
}

BookReadResult readForOpening(FileReader read, const std::filesystem::path& path, const Book& open,
                              const PasswordPrompt& askAdminPassword, RunTimeState* run,
                              const DateOrderQuestion& askDates) {
    if (!adminPasswordGiven(open, askAdminPassword)) {
        BookReadResult refused;
        refused.status = BookReadStatus::PasswordRefused;
        return refused;
    }
    try {
        return toBookReadResult(open,
                                read(path, open, currentLocale(), todayNumber(), run, askDates));
    } catch (const std::bad_alloc&) {
        BookReadResult failed;
        failed.status = BookReadStatus::FileError;
        failed.error = std::make_error_code(std::errc::not_enough_memory);
        return failed;
    }
}

std::string decodeText(std::string_view bytes, int fontCharset) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return encoding::toUtf8(bytes, encoding::codePageForCharset(fontCharset));
}

bool LineReader::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n')
        ++end;
    line = text_.substr(pos_, end - pos_);
    if (end < text_.size()) {
        if (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n') ++end;
        ++end;
    }
    pos_ = end;
    ++number_;
    return true;
}

void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool isBlank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string oneLineText(std::string_view s, bool dropCommas) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\0' || (dropCommas && c == ',')) continue;
        if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue; // CR LF: one space
        if (c == '\r' || c == '\n') c = ' ';
        out += c;
    }
    return out;
}

std::string trimmedField(std::string_view s, bool dropCommas) {
    // Fast path: most fields need no cleaning at all.
    bool clean = true;
    for (char c : s)
        if (c == '\0' || c == '\r' || c == '\n' || (dropCommas && c == ',')) {
            clean = false;
            break;
        }
    if (clean) return std::string(trimSpaces(s));
    std::string out = oneLineText(s, dropCommas);
    return std::string(trimSpaces(out));
}

void appendPrintedNumber(std::string& out, Currency value) {
    std::string plain = value.toPlainString(".");
    if (value.raw < 0) {
        out += plain; // the "-" stands where a positive number has its space
    } else {
        out += ' ';
        out += plain;
    }
    out += ' ';
}

void appendAmountsAndNote(std::string& out, const EntryLine& line) {
    // A line never filled keeps both fields empty, as the readers give it
    // back; any other amount stands on the side it counts on.
    const bool filled = !neverFilled(line);
    const Side side = countedSide(line.Side);
    if (filled && side == Debit) appendPrintedNumber(out, line.Amount);
    out += ',';
    if (filled && side == Credit) appendPrintedNumber(out, line.Amount);
    out += ',';
    out += writtenNote(line.Details);
}

std::string writtenNote(const std::string& details) {
    std::string note = trimmedField(details, true);
    if (note.empty() && closesEntry(details)) note = "_";
    return note;
}

int classInFile(std::uint8_t type) {
    return std::min<int>(type, Other) + 1;
}

std::optional<Currency> readNumber(std::string_view field) {
    field = trimSpaces(field);
    if (field.empty()) return std::nullopt;
    return Currency::parse(std::string(field));
}

std::optional<std::string> readAmountFields(std::string_view debit, std::string_view credit,
                                            std::uint8_t& side, Currency& amount) {
    side = Unfilled;
    amount = Currency();
    std::string_view chosen;
    if (!isBlank(credit)) {
        side = Credit;
        chosen = credit;
    } else if (!isBlank(debit)) {
        side = Debit;
        chosen = debit;
    } else {
        return std::nullopt;
    }
    auto value = readNumber(chosen);
    if (!value)
        return std::string("the ") + (side == Debit ? "debit" : "credit") + " amount \"" +
               std::string(trimSpaces(chosen)) + "\" is not a number";
    amount = *value;
    return std::nullopt;
}

int usableDateStyle(int style) {
    return style >= 0 && style <= 8 ? style : 0;
}

const std::string& DateWriter::text(double date) {
    if (!valid_ || date != last_) {
        last_ = date;
        text_ = Tmain::FormatDateStyle(date, style_, locale_, Tmain::YearDigits::Four);
        valid_ = true;
    }
    return text_;
}

void EntryShaper::reserve(std::size_t n) {
    lines.reserve(n);
    ids.reserve(n);
}

void EntryShaper::orderOpenEntry(std::size_t end) {
    auto first = lines.begin() + static_cast<std::ptrdiff_t>(entryStart_);
    auto last = lines.begin() + static_cast<std::ptrdiff_t>(end);
    auto bySide = [](const EntryLine& a, const EntryLine& b) { return a.Side < b.Side; };
    if (!std::is_sorted(first, last, bySide)) std::stable_sort(first, last, bySide);
}

bool EntryShaper::add(EntryId id, EntryLine line) {
    if (!sides_.add(line.Side)) return false;
    const bool closing = closesEntry(line.Details);
    lines.push_back(std::move(line));
    ids.push_back(id);
    if (closing) {
        orderOpenEntry(lines.size() - 1); // the closing line stays last, with the note
        entryStart_ = lines.size();
        sides_ = {};
    }
    return true;
}

void EntryShaper::finish() {
    orderOpenEntry(lines.size());
    entryStart_ = lines.size();
    sides_ = {};
}

bool FormReader::fail(int line, const std::string& fault) {
    result.ok = false;
    result.faultLine = line;
    result.message = "Line " + std::to_string(line) + ": " + fault;
    return false;
}

std::optional<Currency> FormReader::accountNumber(int line, std::string_view field) {
    auto number = readNumber(field);
    if (!number)
        fail(line, "the account number \"" + std::string(trimSpaces(field)) + "\" cannot be read");
    return number;
}

bool FormReader::addAccount(int line, Currency number, std::string_view name, std::uint8_t type) {
    Book& book = result.book;
    // LastAccount is a 16-bit index: slots 0 to 32767.
    if (book.AccountNames.size() > static_cast<std::size_t>(INT16_MAX))
        return fail(line,
                    "the chart of accounts would pass " + std::to_string(INT16_MAX + 1) + " slots");
    book.AccountNumbers.push_back(number);
    book.AccountNames.emplace_back(name);
    book.AccountTypes.push_back(type);
    return true;
}

bool FormReader::addJournalLine(int line, std::string_view id, std::string_view date,
                                std::string_view account, std::string_view debit,
                                std::string_view credit, std::string_view details) {
    EntryLine entry;
    // Until the order of the file's dates is settled (finishBook), a line's
    // Date holds what FileDates gave for its date; the lines of an entry are
    // reordered meanwhile, and the date goes with its line.
    std::string fault;
    auto day = dates_.add(date, line, fault);
    if (!day) return fail(line, fault);
    entry.Date = *day;
    auto number = accountNumber(line, account);
    if (!number) return false;
    entry.AccountNumber = *number;
    if (auto fault = readAmountFields(debit, credit, entry.Side, entry.Amount))
        return fail(line, *fault);
    // The writers drop NUL characters: a note of NULs alone is no note and
    // closes no entry, so that the book reads back as it was written.
    entry.Details = std::string(details);
    std::erase(entry.Details, '\0');
    if (!journal.add(EntryId(id), std::move(entry)))
        return fail(line, "Stopping, a compound entry was too big to load...");
    return true;
}

void FormReader::showProgress(const LineReader& lines) {
    if (!run_ || lines.size() == 0 || journal.lines.size() % 10000 != 0) return;
    const double part = static_cast<double>(lines.position()) / static_cast<double>(lines.size());
    run_->ProgressValue = static_cast<std::int32_t>(part * 2955);
    services().progress->setProgress(run_->ProgressValue,
                                     std::to_string(static_cast<int>(part * 100)) + "%");
    services().progress->processEvents();
}

bool FormReader::finishBook(std::string_view text, double today, bool newStartWhenEmpty,
                            const std::string& cancelDoes) {
    std::string fault;
    int faultLine = 0;
    switch (dates_.settle(text, askDates_, cancelDoes, fault, faultLine)) {
    case FileDates::Outcome::Settled:
        break;
    case FileDates::Outcome::Cancelled:
        result.ok = false;
        result.cancelled = true;
        return false;
    default:
        return fail(faultLine, fault);
    }
    for (EntryLine& line : journal.lines)
        line.Date = dates_.dayOf(line.Date);
    if (journal.entryOpen())
        result.notice =
            openLastEntryNotice(journal.ids[journal.entryStart()], journal.entryStart(), "opened");
    journal.finish();
    Book& book = result.book;
    const int accounts = static_cast<int>(book.AccountNames.size());
    book.resizeAccounts(accounts == 0 ? MinAccountSlots - 1 : accounts - 1);
    if (journal.lines.empty() && newStartWhenEmpty) {
        NewStart(book, today);
    } else {
        book.EntryLines = std::move(journal.lines);
        book.EntryIds = std::move(journal.ids);
    }
    return true;
}

} // namespace textforms
