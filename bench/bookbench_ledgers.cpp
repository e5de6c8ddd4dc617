// bookbench steps: the T-account and the running balance of the busiest
// account, of the main account with sub-accounts that has the most lines and
// of that main account holding a fifth of the journal (on a copy of the
// book), and the general journal of all accounts. Each writes a text dump of
// what it built into the output folder. Then every output of the busiest
// account's ledgers: the printouts (recorded), the journal spreadsheet, the
// running balance as .xls, .csv and .htm, and its mail draft. Last the
// ledgers of a journal of one 100,000-line entry, and of an account whose
// rows come just below the most a ledger may hold, with the memory they take.
#include "bench/bookbench.h"

#include "book/account_name_index.h"
#include "book/account_number_rule.h"
#include "book/account_number_text.h"
#include "book/mail_draft.h"
#include "book/safe_file.h"
#include "book/tmain.h"
#include "ledgers/ledger_exports.h"
#include "ledgers/ledger_printouts.h"
#include "platform/fake/recording_surface.h"
#include "platform/services.h"

#include "book/entry_index.h"
#include "ledgers/journal_list.h"
#include "ledgers/running_balance.h"
#include "ledgers/t_account.h"
#include "mainwindow/invoice.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>

namespace {

struct Subject {
    std::string label; // "busiest account 1230"
    std::string file;  // "busiest"
    const Book* book;
    Currency account;
};

// Lines per account number, sub-accounts apart.
std::map<std::int64_t, std::int64_t> linesPerAccount(const Book& book) {
    std::map<std::int64_t, std::int64_t> counts;
    for (const EntryLine& line : book.EntryLines)
        ++counts[line.AccountNumber.raw];
    return counts;
}

// The book with every fifth line moved to `main` (every tenth to its first
// sub-account), built once for the steps that use it.
const Book& heavyBook(const Book& book, Currency main, Currency sub) {
    static std::unique_ptr<Book> heavy;
    if (!heavy) {
        heavy = std::make_unique<Book>(book);
        for (std::size_t i = 0; i < heavy->EntryLines.size(); i += 5)
            heavy->EntryLines[i].AccountNumber = i % 10 == 0 ? sub : main;
    }
    return *heavy;
}

std::vector<Subject> subjects(const Book& book) {
    const auto counts = linesPerAccount(book);
    Currency busiest, main, sub;
    std::int64_t most = -1, mostWithSubs = -1;
    for (const auto& [raw, n] : counts)
        if (raw > 0 && n > most) {
            most = n;
            busiest = Currency::fromRaw(raw);
        }
    for (int slot = 0; slot < book.slotsInUse(); ++slot) {
        const Currency number = book.AccountNumbers[static_cast<std::size_t>(slot)];
        const Currency parent = mainAccountOf(number);
        if (number.raw <= 0 || parent == number) continue;
        const auto own = counts.find(parent.raw), subs = counts.find(number.raw);
        const std::int64_t n =
            (own == counts.end() ? 0 : own->second) + (subs == counts.end() ? 0 : subs->second);
        if (n > mostWithSubs) {
            mostWithSubs = n;
            main = parent;
            sub = number;
        }
    }
    return {{"busiest account " + busiest.toPlainString(), "busiest", &book, busiest},
            {"main account " + main.toPlainString() + " with sub-accounts", "main", &book, main},
            {"main account " + main.toPlainString() + " holding a fifth of the lines", "fifth",
             &heavyBook(book, main, sub), main}};
}

LedgerChoice wholeJournal(const Book& book, Currency account) {
    LedgerChoice choice;
    choice.account = account;
    choice.fromDate = 1e9;
    choice.toDate = -1e9;
    for (const EntryLine& line : book.EntryLines) {
        choice.fromDate = std::min(choice.fromDate, line.Date);
        choice.toDate = std::max(choice.toDate, line.Date);
    }
    // The first half year as brought forward, the rest as the period.
    choice.fromDate += 182;
    return choice;
}

void dumpHalf(std::ostream& out, const char* side, const TAccountHalf& half,
              const AccountNameIndex& names) {
    out << side << " total " << half.Total.toPlainString() << "\n";
    for (const TAccountRow& row : half.Rows)
        out << row.Date << '\t' << tAccountRowText(row, names) << '\t' << row.Amount.toPlainString()
            << '\t' << row.Line << '\n';
}

void tAccounts(BenchContext& ctx) {
    for (const Subject& s : subjects(ctx.book)) {
        TAccountOptions options;
        static_cast<LedgerChoice&>(options) = wholeJournal(*s.book, s.account);
        TAccountLedger ledger;
        timeIt("T-account, " + s.label, [&] { ledger = buildTAccount(*s.book, options); });
        if (!reportLedger(ledger.Refused, ledger.Message)) continue;
        std::cout << "  " << ledger.Debit.Rows.size() << " debit and " << ledger.Credit.Rows.size()
                  << " credit rows\n";
        timeIt("T-account date sort, " + s.label, [&] { sortByDate(ledger); });
        std::ofstream out(ctx.outDir / ("t-account-" + s.file + ".txt"));
        const AccountNameIndex names(*s.book);
        dumpHalf(out, "debit", ledger.Debit, names);
        dumpHalf(out, "credit", ledger.Credit, names);
        out << ledger.DebitTotalText << '\n' << ledger.DebitBroughtDownText << '\n';
        out << ledger.CreditTotalText << '\n' << ledger.CreditBroughtDownText << '\n';
    }
}

void runningBalances(BenchContext& ctx) {
    for (const Subject& s : subjects(ctx.book)) {
        const LedgerChoice choice = wholeJournal(*s.book, s.account);
        RunningBalanceLedger ledger;
        timeIt("running balance, " + s.label,
               [&] { ledger = buildRunningBalance(*s.book, choice); });
        if (!reportLedger(ledger.Refused, ledger.Message)) continue;
        std::cout << "  " << ledger.Rows.size() << " rows\n";
        std::ofstream out(ctx.outDir / ("running-balance-" + s.file + ".txt"));
        for (const RunningBalanceRow& row : ledger.Rows)
            out << row.Date << '\t' << row.reference() << '\t' << row.Account.toPlainString()
                << '\t' << row.debit().toPlainString() << '\t' << row.credit().toPlainString()
                << '\t' << row.Balance.toPlainString() << '\t' << row.Line << '\n';
    }
}

void generalJournal(BenchContext& ctx) {
    const struct {
        const char* label;
        const char* file;
        JournalMode mode;
        const char* text;
    } lists[] = {
        {"general journal, all accounts", "all", JournalMode::Account, ""},
        {"general journal, note search", "notes", JournalMode::NoteSearch, "rent 1"},
        {"general journal, unbalanced entries", "unbalanced", JournalMode::Unbalanced, ""}};
    const EntryIndex entries(ctx.book);
    for (const auto& l : lists) {
        JournalOptions options;
        static_cast<LedgerChoice&>(options) = wholeJournal(ctx.book, Currency());
        options.fromDate -= 182;
        options.mode = l.mode;
        options.searchText = l.text;
        JournalList list;
        timeIt(l.label, [&] { list = buildJournalList(ctx.book, options); });
        std::cout << "  " << list.EntryCount << " entries, " << list.ShownLines.size()
                  << " lines\n";
        // One line per entry: its first and last journal line.
        std::ofstream out(ctx.outDir / (std::string("journal-") + l.file + ".txt"));
        for (const std::int32_t line : list.ShownLines) {
            if (entries.first(line) == line) out << line;
            if (entries.last(line) == line) out << '-' << line << '\n';
        }
    }
}

// Draws one copy on a recording surface and keeps what was drawn.
void recordPrintout(BenchContext& ctx, const std::string& label, const std::string& file,
                    const std::function<void(DrawingSurface&)>& draw) {
    RecordingSurface surface;
    timeIt(label, [&] { draw(surface); });
    std::cout << "  " << surface.pages() << " pages, " << surface.calls.size() << " calls\n";
    std::ofstream(ctx.outDir / file) << surface.describe();
}

void reportExport(const LedgerExportResult& result) {
    if (!reportStep(result.ok, result.message)) return;
    std::cout << "  " << result.rowsWritten << " of " << result.rowsListed << " written\n";
    if (!result.notice.empty()) std::cout << "  " << result.notice << "\n";
}

void busiestOutputs(BenchContext& ctx) {
    const Book& book = ctx.book;
    const Subject busiest = subjects(book).front();
    const LocaleInfo locale = currentLocale();
    const std::string name = Tmain::AccountNameByNumber(book, busiest.account);
    const std::string folio = folioText(book, busiest.account, locale.decimalMark);
    const double today = todayNumber();

    TAccountOptions options;
    static_cast<LedgerChoice&>(options) = wholeJournal(book, busiest.account);
    const TAccountLedger tAccount = buildTAccount(book, options);
    const LedgerHeading heading =
        ledgerHeading(book, name, folio, options.fromDate, options.toDate, locale);
    // A ledger refused is neither printed, saved nor mailed.
    if (reportLedger(tAccount.Refused, tAccount.Message))
        recordPrintout(
            ctx, "T-account printout, " + busiest.label, "print-t-account.txt",
            [&](DrawingSurface& s) { printTAccount(s, book, tAccount, heading, locale, 1); });

    JournalOptions journalOptions;
    static_cast<LedgerChoice&>(journalOptions) = wholeJournal(book, busiest.account);
    const JournalList journal = buildJournalList(book, journalOptions);
    recordPrintout(
        ctx, "general journal printout, " + busiest.label, "print-journal.txt",
        [&](DrawingSurface& s) { printGeneralJournal(s, book, journal, heading, locale, 1); });
    LedgerExportResult result;
    timeIt("general journal spreadsheet, " + busiest.label, [&] {
        result = exportJournalSheet(book, journal, ctx.outDir / "journal-busiest.xls", locale);
    });
    reportExport(result);

    const RunningBalanceLedger running = buildRunningBalance(book, options);
    if (!reportLedger(running.Refused, running.Message)) return;
    recordPrintout(ctx, "running-balance printout, " + busiest.label, "print-running-balance.txt",
                   [&](DrawingSurface& s) {
                       printRunningBalance(s, book, running, heading, locale, 1,
                                           [&](DrawingSurface& d) { PrintHeader(d, book); });
                   });
    for (const char* type : {"xls", "csv", "htm"}) {
        timeIt(std::string("running-balance export (.") + type + "), " + busiest.label, [&] {
            result = exportRunningBalance(book, running, heading,
                                          ctx.outDir / (std::string("running-balance.") + type),
                                          type, locale, today);
        });
        reportExport(result);
    }
    std::error_code written;
    timeIt("running-balance mail draft, " + busiest.label, [&] {
        written = writeFileSafely(
            ctx.outDir / "AccountLedger.eml",
            Tmain::mailDraftText(runningBalanceWebPage(book, running, heading, locale, today),
                                 runningBalanceSubject(book, heading), book.Caption));
    });
    reportStep(!written, written.message());
}

// The book's chart with a journal of one entry of `lines` lines: debits to
// two accounts in turn (none of them with a note, as an imported journal can
// hold them) and one credit of their total to a third.
Book longEntryBook(const Book& chart, std::int32_t lines) {
    Book book = chart;
    book.EntryLines.clear();
    book.EntryIds.clear();
    std::vector<Currency> accounts;
    for (int slot = 0; slot < book.slotsInUse(); ++slot)
        if (isAccountNumber(book.AccountNumbers[static_cast<std::size_t>(slot)]))
            accounts.push_back(book.AccountNumbers[static_cast<std::size_t>(slot)]);
    if (accounts.size() < 3) return book;
    Currency total;
    for (std::int32_t i = 0; i + 1 < lines; ++i) {
        EntryLine line;
        line.Date = 46000;
        line.Side = Debit;
        line.AccountNumber = accounts[1 + static_cast<std::size_t>(i % 2)];
        line.Amount = Currency::fromRaw(10000 + (i % 997) * 37);
        total += line.Amount;
        book.EntryLines.push_back(line);
        book.EntryIds.emplace_back("1");
    }
    EntryLine credit;
    credit.Date = 46000;
    credit.Side = Credit;
    credit.AccountNumber = accounts.front();
    credit.Amount = total;
    credit.Details = "Imported";
    book.EntryLines.push_back(credit);
    book.EntryIds.emplace_back("1");
    return book;
}

// The ledgers of a journal of one 100,000-line entry: the credited account
// (a row per debit) and one of the debited accounts (50,000 lines of one
// contra each).
void longEntry(BenchContext& ctx) {
    const Book book = longEntryBook(ctx.book, 100000);
    if (book.EntryLines.empty()) return;
    const struct {
        const char* label;
        Currency account;
    } subjects[] = {{"the credited account", book.EntryLines.back().AccountNumber},
                    {"a debited account", book.EntryLines.front().AccountNumber}};
    for (const auto& s : subjects) {
        TAccountOptions options;
        options.account = s.account;
        options.fromDate = options.toDate = 46000;
        TAccountLedger tAccount;
        timeIt(std::string("T-account, one 100,000-line entry, ") + s.label,
               [&] { tAccount = buildTAccount(book, options); });
        if (reportLedger(tAccount.Refused, tAccount.Message))
            std::cout << "  " << tAccount.Debit.Rows.size() << " debit and "
                      << tAccount.Credit.Rows.size() << " credit rows\n";
        RunningBalanceLedger running;
        timeIt(std::string("running balance, one 100,000-line entry, ") + s.label,
               [&] { running = buildRunningBalance(book, options); });
        if (reportLedger(running.Refused, running.Message))
            std::cout << "  " << running.Rows.size() << " rows\n";
    }
}

// The book's chart with a journal of one entry of `side` debit lines to one
// account against `side` credit lines to another: each debit line has every
// credit line as a contra, so the debited account's ledgers hold side x side
// rows.
Book squareEntryBook(const Book& chart, std::int32_t side) {
    Book book = chart;
    book.EntryLines.clear();
    book.EntryIds.clear();
    std::vector<Currency> accounts;
    for (int slot = 0; slot < book.slotsInUse() && accounts.size() < 2; ++slot)
        if (isAccountNumber(book.AccountNumbers[static_cast<std::size_t>(slot)]))
            accounts.push_back(book.AccountNumbers[static_cast<std::size_t>(slot)]);
    if (accounts.size() < 2) return book;
    for (int s = 0; s < 2; ++s)
        for (std::int32_t i = 0; i < side; ++i) {
            EntryLine line;
            line.Date = 46000;
            line.Side = s == 0 ? Debit : Credit;
            line.AccountNumber = accounts[static_cast<std::size_t>(s)];
            line.Amount = Currency::fromRaw(10000 + (i % 997) * 37);
            if (s == 1 && i + 1 == side) line.Details = "Square";
            book.EntryLines.push_back(line);
            book.EntryIds.emplace_back("1");
        }
    return book;
}

// The process's resident memory and its high-water mark, in MB; the mark can
// be brought down to the memory resident now.
double statusMegabytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == key) {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
    return 0;
}
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Times a ledger build and reports its rows and the memory it took at its
// peak above what was resident before it.
template <class Ledger>
void buildWithPeak(const std::string& label, const std::function<Ledger()>& build,
                   const std::function<std::size_t(const Ledger&)>& rows) {
    const double before = statusMegabytes("VmRSS:");
    resetPeakMemory();
    {
        Ledger ledger;
        timeIt(label, [&] { ledger = build(); });
        if (reportLedger(ledger.Refused, ledger.Message))
            std::cout << "  " << rows(ledger) << " rows\n";
    }
    std::printf("  peak memory %.0f MB above the %.0f MB resident before\n",
                statusMegabytes("VmHWM:") - before, before);
}

// The largest side whose square of rows (and `extra` rows) fits in the
// memory a ledger may take.
std::int32_t sideBelowBound(std::size_t rowBytes, std::int64_t extra) {
    const std::int64_t rows = MaxLedgerBytes / static_cast<std::int64_t>(rowBytes) - extra;
    auto side = static_cast<std::int32_t>(std::sqrt(static_cast<double>(rows)));
    while (std::int64_t(side) * side > rows)
        --side;
    return side;
}

// The ledgers of an account whose rows come just below the most a ledger
// once held (20,000,000 rows: 4,472 x 4,472 = 19,998,784), then just below
// the memory a ledger may take now.
void nearBound(BenchContext& ctx) {
    const struct {
        const char* ledger;
        std::int32_t side;
    } sizes[] = {{"running balance", 4472},
                 {"T-account", 4472},
                 {"running balance", sideBelowBound(sizeof(RunningBalanceRow), 0)},
                 {"T-account", sideBelowBound(sizeof(TAccountRow), 1)}}; // and its c/d row
    for (const auto& size : sizes) {
        const Book book = squareEntryBook(ctx.book, size.side);
        if (book.EntryLines.empty()) return;
        TAccountOptions options;
        options.account = book.EntryLines.front().AccountNumber;
        options.fromDate = options.toDate = 46000;
        const std::string label = std::string(size.ledger) + " near the bound, " +
                                  std::to_string(std::int64_t(size.side) * size.side) + " rows";
        if (size.ledger == std::string("T-account"))
            buildWithPeak<TAccountLedger>(
                label, [&] { return buildTAccount(book, options); },
                [](const TAccountLedger& l) { return l.Debit.Rows.size() + l.Credit.Rows.size(); });
        else
            buildWithPeak<RunningBalanceLedger>(
                label, [&] { return buildRunningBalance(book, options); },
                [](const RunningBalanceLedger& l) { return l.Rows.size(); });
    }
}

} // namespace

LW_BOOKBENCH_STEP("55-ledger-t-account", tAccounts);
LW_BOOKBENCH_STEP("56-ledger-running-balance", runningBalances);
LW_BOOKBENCH_STEP("57-ledger-general-journal", generalJournal);
LW_BOOKBENCH_STEP("58-ledger-outputs", busiestOutputs);
LW_BOOKBENCH_STEP("64-ledger-long-entry", longEntry);
LW_BOOKBENCH_STEP("65-ledger-near-bound", nearBound);
