// bookbench step: the first page the ledger windows show of the busiest
// account (T-account and running balance) and of the whole journal, from
// ledgers already built, with a text dump of each page; and the widest
// figures each window measures its columns by.
#include "bench/bookbench.h"
#include "ledgers/account_activity.h"
#include "ledgers/ledger_pages.h"

#include <algorithm>
#include <fstream>
#include <iostream>

namespace {

void ledgerPages(BenchContext& ctx) {
    const Book& book = ctx.book;
    if (book.EntryLines.empty()) return;
    const LocaleInfo locale = monthFirstLocale();
    LedgerChoice choice;
    choice.account = busiestAccount(book);
    choice.marks = marksOf(locale);
    choice.fromDate = book.EntryLines.front().Date;
    choice.toDate = book.EntryLines.back().Date;
    for (const EntryLine& line : book.EntryLines) {
        choice.fromDate = std::min(choice.fromDate, line.Date);
        choice.toDate = std::max(choice.toDate, line.Date);
    }
    TAccountOptions tOptions;
    static_cast<LedgerChoice&>(tOptions) = choice;
    const TAccountLedger tAccount = buildTAccount(book, tOptions);
    const RunningBalanceLedger running = buildRunningBalance(book, choice);
    // A ledger refused has no pages to show.
    if (!reportLedger(tAccount.Refused, tAccount.Message) ||
        !reportLedger(running.Refused, running.Message))
        return;
    JournalOptions jOptions;
    static_cast<LedgerChoice&>(jOptions) = choice;
    jOptions.account = Currency();
    const JournalList journal = buildJournalList(book, jOptions);

    std::vector<TAccountPageRow> tPage;
    timeIt("T-account window page, busiest account",
           [&] { tPage = tAccountPage(book, tAccount, 0, 24, locale); });
    std::vector<RunningBalanceCells> rPage;
    timeIt("running-balance window page, busiest account",
           [&] { rPage = runningBalancePage(book, running, 0, 22, locale); });
    JournalPageMetrics metrics;
    metrics.height = 420;
    metrics.noteWidth = [](const std::string& s) { return 7.0 * static_cast<double>(s.size()); };
    JournalPage jPage;
    timeIt("journal window page, all accounts",
           [&] { jPage = journalPage(book, journal, 0, metrics, locale); });

    // What each window measures once per build: the widest figures.
    JournalWidest jWidest;
    timeIt("journal window widest figures, all accounts",
           [&] { jWidest = journalWidest(book, journal, locale); });
    RunningBalanceWidest rWidest;
    timeIt("running-balance window widest figures, busiest account",
           [&] { rWidest = runningBalanceWidest(book, running, locale); });

    std::ofstream out(ctx.outDir / "ledger-window-pages.txt");
    for (const TAccountPageRow& r : tPage)
        out << r.debit.date << '\t' << r.debit.text << '\t' << r.debit.amount << '\t'
            << r.credit.date << '\t' << r.credit.text << '\t' << r.credit.amount << '\n';
    for (const RunningBalanceCells& c : rPage)
        out << c.date << '\t' << c.reference << '\t' << c.account << '\t' << c.debit << '\t'
            << c.credit << '\t' << c.balance << '\n';
    for (const JournalPrintRow& r : jPage.rows)
        out << r.date << '\t' << r.name << '\t' << r.folio << '\t' << r.amount << '\t' << r.note
            << '\n';
    std::cout << "  " << jPage.visibleRows << " journal items fit the page; "
              << jWidest.folios.size() << " folios to measure, widest balance "
              << (rWidest.balances.empty() ? "(no balance)" : rWidest.balances.front()) << "\n";
}

} // namespace

LW_BOOKBENCH_STEP("59-ledger-window-pages", ledgerPages);
