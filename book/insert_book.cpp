#include "book/insert_book.h"

#include "book/book_change.h"
#include "book/book_csv_file.h"
#include "book/book_text_forms.h"
#include "book/entry_reference.h"
#include "book/safe_file.h"
#include "book/tmain.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace {

// The header of a book file is a variant text (tag 8, a 16-bit length, the
// bytes) whose first character is "m" for the layout that can be inserted.
bool hasInsertableHeader(std::string_view bytes) {
    return bytes.size() >= 5 && bytes[0] == 8 && bytes[1] == 0 && bytes[4] == 'm';
}

// What the merge will add, worked out before the open book changes.
struct AccountPlan {
    std::vector<int> newSlots;  // slots of the other book to add, in order
    bool reuseLastSlot = false; // CSV: the first new account goes into an empty last slot
    std::int32_t newLastAccount = 0;
};

bool planAccounts(const Book& book, const Book& other, InsertSource source, AccountPlan& plan,
                  std::string& fault) {
    std::unordered_set<std::int64_t> numbers;
    const std::size_t openSlots =
        source == InsertSource::CsvFile
            ? book.accountSlots()
            : std::min<std::size_t>(book.LastAccount + 1, book.accountSlots());
    numbers.reserve(openSlots * 2);
    for (std::size_t k = 0; k < openSlots; ++k)
        numbers.insert(book.AccountNumbers[k].raw);

    const int last = book.LastAccount;
    plan.reuseLastSlot = false;
    plan.newLastAccount = last;
    const int otherSlots = other.slotsInUse();
    for (int j = 0; j < otherSlots; ++j) {
        if (other.slotIsEmpty(j)) continue; // an empty row is no account
        if (!numbers.insert(other.AccountNumbers[j].raw).second) continue;
        if (plan.newSlots.empty() && source == InsertSource::CsvFile && last >= 0 &&
            static_cast<std::size_t>(last) < book.accountSlots() && book.slotIsEmpty(last)) {
            plan.reuseLastSlot = true;
        } else {
            if (plan.newLastAccount + 1 > MaxAccountIndex) {
                fault = "Stopping, the chart of accounts cannot hold more than " +
                        std::to_string(MaxAccountIndex + 1) + " accounts. Nothing was inserted.";
                return false;
            }
            ++plan.newLastAccount;
        }
        plan.newSlots.push_back(j);
    }
    return true;
}

void applyAccounts(Book& book, Book& other, const AccountPlan& plan) {
    if (plan.newSlots.empty()) return;
    std::size_t next = plan.reuseLastSlot ? static_cast<std::size_t>(book.LastAccount)
                                          : static_cast<std::size_t>(book.LastAccount) + 1;
    // A list never filled (a book that did not keep one) starts from the chart,
    // so the boxes keep the accounts they showed.
    if (book.EntryAccountList.empty()) fillEntryAccountList(book);
    book.resizeAccounts(plan.newLastAccount);
    book.EntryAccountList.reserve(book.EntryAccountList.size() + plan.newSlots.size());
    bool first = true;
    for (int j : plan.newSlots) {
        const bool keepNotes = first && plan.reuseLastSlot;
        first = false;
        book.AccountNumbers[next] = other.AccountNumbers[j];
        book.AccountNames[next] = other.AccountNames[j];
        book.AccountTypes[next] = other.AccountTypes[j];
        if (!keepNotes) {
            book.AccountNote[next] = std::move(other.AccountNote[j]);
            book.AccountNote2[next] = std::move(other.AccountNote2[j]);
            book.AccountExtra[next] = std::move(other.AccountExtra[j]);
        }
        book.EntryAccountList.emplace_back(other.AccountNames[j]);
        ++next;
    }
}

// Gives each entry of the lines to be appended one reference: `first`, then
// each the one after. False, with nothing numbered that counts, when one
// would not fit in a reference.
bool numberEntries(Book& other, const std::string& first, const std::string& decimalMark) {
    std::string reference = first;
    std::size_t start = 0;
    const std::size_t n = other.EntryLines.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + 1 < n && !closesEntry(other.EntryLines[i].Details)) continue;
        if (!referenceFits(reference)) return false;
        const EntryId id(reference);
        for (std::size_t k = start; k <= i; ++k)
            other.EntryIds[k] = id;
        start = i + 1;
        reference = referenceAfter(reference, decimalMark);
    }
    return true;
}

InsertResult stopped(std::string message) {
    InsertResult result;
    result.status = InsertResult::Stopped;
    result.message = std::move(message);
    return result;
}

// A file that cannot be read for inserting is said to be the file's fault,
// never as if the open book were touched.
const char* const NothingInserted = "nothing was inserted; the open book is unchanged";

std::string bookFileRefusal(const BookReadResult& read, const std::string& sourceName) {
    switch (read.status) {
    case BookReadStatus::Damaged:
        if (read.damage.empty()) break;
        return "This book file is damaged, so " + std::string(NothingInserted) + ": " +
               read.damage + ".";
    case BookReadStatus::ForeignPassword:
        return "This book file's password was stored by another program in a form that cannot "
               "be checked here, so " +
               std::string(NothingInserted) + ".";
    default:
        break;
    }
    return read.message.empty() ? sourceName + " cannot be read: " + NothingInserted + "."
                                : read.message;
}

} // namespace

InsertResult insertBook(Book& book, RunTimeState& run, std::string_view bytes, InsertSource source,
                        const std::string& sourceName, const PasswordPrompt& askPassword,
                        const LocaleInfo& locale, const textforms::DateOrderQuestion& askDates) {
    if (bytes.empty()) return stopped(sourceName + " is empty: nothing was inserted.");

    Book other;
    bool takeReserved = false;
    bool lastEntryOpen = false;
    Currency version;
    if (source == InsertSource::BookFile) {
        if (!hasInsertableHeader(bytes))
            return stopped("Only Version 6 Account files can be inserted...");
        BookReadResult read = parseBookFile(bytes, askPassword, &run);
        switch (read.status) {
        case BookReadStatus::Ok:
            break;
        case BookReadStatus::PasswordRefused: {
            run.CurrentFilePath.clear();
            InsertResult refused;
            refused.status = InsertResult::PasswordRefused;
            return refused;
        }
        case BookReadStatus::FileError: {
            InsertResult failed;
            failed.status = InsertResult::FileError;
            failed.error = read.error;
            failed.message = Tmain::FileErrorText(read.error);
            return failed;
        }
        default:
            return stopped(bookFileRefusal(read, sourceName));
        }
        other = std::move(read.book);
        version = read.version;
        takeReserved = true;
    } else {
        TextFormReadResult read =
            parseBookCsv(bytes, book, locale, 0, &run, sourceName, CsvUse::Insert, askDates);
        if (read.cancelled) {
            InsertResult cancelled;
            cancelled.status = InsertResult::Cancelled;
            return cancelled;
        }
        if (!read.ok)
            return stopped("Nothing was inserted from this CSV file; the open book is unchanged: " +
                           read.message);
        lastEntryOpen = !read.notice.empty();
        other = std::move(read.book);
    }

    AccountPlan plan;
    std::string fault;
    if (!planAccounts(book, other, source, plan, fault)) return stopped(fault);

    if (book.autoIncrementOn() &&
        !numberEntries(other, Tmain::NextEntryId(book, run.DecimalSeparator), run.DecimalSeparator))
        return stopped(referenceTooLongText());

    // The chart as it will be, made beside the book.
    Book staged;
    if (!plan.newSlots.empty()) {
        staged = stagedAccountTable(book);
        staged.EntryAccountList = book.EntryAccountList;
        applyAccounts(staged, other, plan);
    }

    const std::size_t appended = other.EntryLines.size();
    const std::size_t firstAppended = book.EntryLines.size();
    InsertResult result;
    result.status = InsertResult::Done;
    result.linesAppended = static_cast<std::int32_t>(appended);
    result.accountsAdded = static_cast<int>(plan.newSlots.size());
    result.changed = appended > 0 || !plan.newSlots.empty();
    {
        BookChange change(book, run);
        // An entry still being typed at the journal's end is closed first, as
        // a new entry or a paste closes it, so that the first inserted entry
        // neither runs into it nor takes its reference.
        if (appended > 0) change.closeJournalEnd();
        if (!plan.newSlots.empty()) {
            change.replaceAccountTable(staged);
            change.replace(book.EntryAccountList, std::move(staged.EntryAccountList));
        }
        change.appendLines(std::move(other.EntryLines), std::move(other.EntryIds));
        if (lastEntryOpen && appended > 0) {
            // Named where it now stands: after the last closing line appended.
            std::size_t start = book.EntryLines.size() - 1;
            while (start > firstAppended && !closesEntry(book.EntryLines[start - 1].Details))
                --start;
            result.notice = textforms::openLastEntryNotice(book.EntryIds[start], start, "inserted");
        }
        if (result.changed) change.commit();
    }
    if (takeReserved) {
        book.ReservedLong = other.ReservedLong;
        run.BookFileVersion = version;
    }
    return result;
}

InsertResult insertBookFile(Book& book, RunTimeState& run, const std::filesystem::path& path,
                            InsertSource source, const PasswordPrompt& askPassword,
                            const LocaleInfo& locale,
                            const textforms::DateOrderQuestion& askDates) {
    std::string bytes;
    if (std::error_code ec = readWholeFile(path, bytes)) {
        InsertResult failed;
        failed.status = InsertResult::FileError;
        failed.error = ec;
        failed.message = Tmain::FileErrorText(ec);
        return failed;
    }
    return insertBook(book, run, bytes, source, path.string(), askPassword, locale, askDates);
}
