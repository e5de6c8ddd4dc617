// bookbench steps: the T-account and the running balance of the busiest
// account, of the main account with sub-accounts that has the most lines and
// of that main account holding a fifth of the journal (on a copy of the
// book), and the general journal of all accounts. Each writes a text dump of
// what it built into the output folder.
#include "bench/bookbench.h"

#include "book/entry_index.h"
#include "ledgers/journal_list.h"
#include "ledgers/running_balance.h"
#include "ledgers/t_account.h"

#include <fstream>
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
        if (number.raw <= 0 || number.fractionRaw() == 0) continue;
        const Currency parent = Currency::fromRaw(number.raw - number.fractionRaw());
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

void dumpHalf(std::ostream& out, const char* side, const TAccountHalf& half) {
    out << side << " total " << half.Total.toPlainString() << "\n";
    for (const TAccountRow& row : half.Rows)
        out << row.Date << '\t' << row.Text << '\t' << row.Amount.toPlainString() << '\t'
            << row.Line << '\n';
}

void tAccounts(BenchContext& ctx) {
    for (const Subject& s : subjects(ctx.book)) {
        TAccountOptions options;
        static_cast<LedgerChoice&>(options) = wholeJournal(*s.book, s.account);
        TAccountLedger ledger;
        timeIt("T-account, " + s.label, [&] { ledger = buildTAccount(*s.book, options); });
        std::cout << "  " << ledger.Debit.Rows.size() << " debit and " << ledger.Credit.Rows.size()
                  << " credit rows\n";
        timeIt("T-account date sort, " + s.label, [&] { sortByDate(ledger); });
        std::ofstream out(ctx.outDir / ("t-account-" + s.file + ".txt"));
        dumpHalf(out, "debit", ledger.Debit);
        dumpHalf(out, "credit", ledger.Credit);
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
        std::cout << "  " << ledger.Rows.size() << " rows\n";
        std::ofstream out(ctx.outDir / ("running-balance-" + s.file + ".txt"));
        for (const RunningBalanceRow& row : ledger.Rows)
            out << row.Date << '\t' << row.Reference << '\t' << row.Account.toPlainString() << '\t'
                << row.Debit.toPlainString() << '\t' << row.Credit.toPlainString() << '\t'
                << row.Balance.toPlainString() << '\t' << row.Line << '\n';
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

} // namespace

LW_BOOKBENCH_STEP("50-ledger-t-account", tAccounts);
LW_BOOKBENCH_STEP("51-ledger-running-balance", runningBalances);
LW_BOOKBENCH_STEP("52-ledger-general-journal", generalJournal);
