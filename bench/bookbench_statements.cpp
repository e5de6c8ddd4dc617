// bookbench steps: the four statements computed on the book, each timed and
// dumped as text into the output folder, and the journal written for the
// `ledger` command-line tool (bench/ledger_compare.sh times `ledger bal`
// against bookbench's open and trial balance on it).
#include "bench/bookbench.h"

#include "book/entry_index.h"
#include "book/safe_file.h"
#include "book/tmain.h"
#include "platform/services.h"
#include "statements/balance_sheet.h"
#include "statements/income_statement.h"
#include "statements/inflows_outflows.h"
#include "statements/trial_balance.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace {

double lastJournalDay(const Book& book) {
    double last = 0;
    for (const EntryLine& line : book.EntryLines)
        last = std::max(last, line.Date);
    return last;
}

void save(const BenchContext& ctx, const std::string& name, const std::string& text) {
    const std::error_code ec = writeFileSafely(ctx.outDir / name, text);
    if (ec) std::cout << "  " << name << ": " << ec.message() << "\n";
}

void failed(bool ok, const std::string& message) {
    if (!ok) std::cout << "  failed: " << message << "\n";
}

std::string dump(const TrialBalance& tb) {
    std::string out = "Trial balance as " + tb.dateText + "\n";
    for (const TrialBalanceRow& row : tb.rows)
        if (row.shown())
            out += row.numberText + "\t" + row.name + "\t" + (row.isDebit() ? row.amountText : "") +
                   "\t" + (row.isDebit() ? "" : row.amountText) + "\n";
    return out + "Totals\t\t" + tb.debitTotalText + "\t" + tb.creditTotalText + "\n";
}

// Every account's balance, unfolded, as plain numbers: what `ledger bal`
// is compared with.
std::string balancesDump(const TrialBalance& tb) {
    std::string out;
    for (const TrialBalanceRow& row : tb.rows)
        if (row.shown())
            out += "A" + row.number.toPlainString() + "\t" + row.balance.toPlainString() + "\n";
    return out;
}

void trialBalance(BenchContext& ctx) {
    TrialBalanceOptions options;
    options.asOfDate = lastJournalDay(ctx.book);
    options.locale = currentLocale();
    TrialBalance tb;
    timeIt("trial balance (sub-accounts folded)",
           [&] { tb = computeTrialBalance(ctx.book, options); });
    failed(tb.ok, tb.message);
    save(ctx, "trial_balance.txt", dump(tb));
    options.includeSubAccounts = true;
    timeIt("trial balance (every account)", [&] { tb = computeTrialBalance(ctx.book, options); });
    failed(tb.ok, tb.message);
    std::cout << "  debit total " << tb.debitTotalText << ", credit total " << tb.creditTotalText
              << "\n";
    save(ctx, "trial_balance_accounts.txt", balancesDump(tb));
}

void addRows(std::string& out, const std::string& heading, const std::vector<StatementRow>& rows,
             const std::string& total) {
    if (rows.empty()) return;
    out += heading + "\n";
    for (const StatementRow& row : rows)
        out += "  " + row.name + "\t" + row.amountText + "\n";
    out += "  Balance\t\t" + total + "\n";
}

std::string dump(const IncomeStatement& is) {
    std::string out = "Income statement " + is.startText + " to " + is.endText + "\n";
    addRows(out, "REVENUE", is.sums.revenue, is.revenueTotalText);
    addRows(out, "COST OF GOODS SOLD", is.sums.cost, is.grossProfitText);
    addRows(out, "EXPENSES", is.sums.expenses, is.expenseTotalText);
    out += "Net\t\t\t" + is.netProfitText + "\n" + is.grossRatioCaption + "\n" +
           is.netRatioCaption + "\n";
    return out;
}

void incomeStatement(BenchContext& ctx) {
    IncomeStatementOptions options;
    options.period.start = 0;
    options.period.end = lastJournalDay(ctx.book);
    options.locale = currentLocale();
    IncomeStatement is;
    timeIt("income statement", [&] { is = computeIncomeStatement(ctx.book, options); });
    failed(is.ok, is.message);
    save(ctx, "income_statement.txt", dump(is));
}

std::string dump(const BalanceSheet& bs) {
    std::string out = "Balance sheet " + bs.dateText + "\n";
    addRows(out, "CURRENT ASSETS", bs.currentAssets.rows, bs.currentAssets.totalText);
    addRows(out, "CURRENT LIABILITIES", bs.currentLiabilities.rows,
            bs.currentLiabilities.totalText);
    addRows(out, "NON CURRENT ASSETS", bs.nonCurrentAssets.rows, bs.nonCurrentAssets.totalText);
    addRows(out, "NON CURRENT LIABILITIES", bs.nonCurrentLiabilities.rows,
            bs.nonCurrentLiabilities.totalText);
    addRows(out, "CAPITAL / EQUITY", bs.equity.rows, bs.equity.totalText);
    out += "PROFIT / LOSS\t" + bs.netProfitText + "\nNET ASSETS\t\t\t" + bs.netAssets.amountText +
           "\n" + bs.returnOnEquityCaption + "\n";
    return out;
}

void balanceSheet(BenchContext& ctx) {
    BalanceSheetOptions options;
    options.date = lastJournalDay(ctx.book);
    options.locale = currentLocale();
    BalanceSheet bs;
    timeIt("balance sheet", [&] { bs = computeBalanceSheet(ctx.book, options); });
    failed(bs.ok, bs.message);
    save(ctx, "balance_sheet.txt", dump(bs));
}

std::string dump(const InflowsOutflows& io) {
    std::string out = "Inflows and outflows, " + std::to_string(io.periods()) + " periods\n";
    auto line = [&](const std::string& label, const std::vector<std::string>& cells) {
        out += label;
        for (const std::string& cell : cells)
            out += "\t" + cell;
        out += "\n";
    };
    line("", io.columnHeads);
    line("Beginning Balance", io.beginningTexts);
    for (const FlowRow& row : io.inflows)
        line("  " + row.name, row.amountTexts);
    line("Total Inflows", io.inflowTotalTexts);
    for (const FlowRow& row : io.outflows)
        line("  " + row.name, row.amountTexts);
    line("Total Outflows", io.outflowTotalTexts);
    line("Ending Balance", io.endingTexts);
    return out;
}

// The first current asset with journal lines: the cash account of cash mode.
std::optional<Currency> cashAccountOf(const Book& book) {
    for (int j = 1; j < book.slotsInUse(); ++j)
        if (book.AccountTypes[j] == CurrentAsset && book.AccountNumbers[j].raw > 0)
            for (const EntryLine& line : book.EntryLines)
                if (line.AccountNumber == book.AccountNumbers[j]) return book.AccountNumbers[j];
    return std::nullopt;
}

void inflowsOutflows(BenchContext& ctx) {
    InflowsOutflowsOptions options;
    options.locale = currentLocale();
    InflowsOutflows io;
    timeIt("inflows/outflows (revenue and expenses, monthly)",
           [&] { io = computeInflowsOutflows(ctx.book, options); });
    failed(io.ok, io.message);
    std::cout << "  " << io.periods() << " periods, " << io.inflows.size() << " inflow and "
              << io.outflows.size() << " outflow rows\n";
    save(ctx, "inflows_outflows_revenue.txt", dump(io));
    options.cashAccount = cashAccountOf(ctx.book);
    if (!options.cashAccount) return;
    timeIt("inflows/outflows (cash account " + options.cashAccount->toPlainString() + ", monthly)",
           [&] { io = computeInflowsOutflows(ctx.book, options); });
    failed(io.ok, io.message);
    std::cout << "  " << io.periods() << " periods, " << io.inflows.size() << " inflow and "
              << io.outflows.size() << " outflow rows\n";
    save(ctx, "inflows_outflows_cash.txt", dump(io));
}

// The journal in the plain-text form of the `ledger` tool: one transaction
// per entry, debits positive and credits negative, accounts named "A" and
// their number. An entry that does not balance gets its difference on
// "Unbalanced", which the comparison leaves out.
std::string ledgerJournal(const Book& book) {
    const EntryIndex entries(book);
    std::string out;
    out.reserve(book.EntryLines.size() * 40);
    const std::int32_t count = static_cast<std::int32_t>(book.EntryLines.size());
    char date[16];
    for (std::int32_t i = 0; i < count; i = entries.last(i) + 1) {
        const EntryLine& head = book.EntryLines[static_cast<std::size_t>(i)];
        int y = 0, m = 0, d = 0;
        Tmain::CalendarDate(head.Date, y, m, d);
        std::snprintf(date, sizeof date, "%04d/%02d/%02d", y, m, d);
        out += date;
        out += " (" + book.EntryIds[static_cast<std::size_t>(i)].shown() + ")\n";
        Currency sum;
        for (std::int32_t k = i; k <= entries.last(i); ++k) {
            const EntryLine& line = book.EntryLines[static_cast<std::size_t>(k)];
            const Currency amount = line.Side == Debit ? line.Amount : -line.Amount;
            sum += amount;
            out +=
                "    A" + line.AccountNumber.toPlainString() + "  " + amount.toPlainString() + "\n";
        }
        if (!sum.isZero()) out += "    Unbalanced  " + (-sum).toPlainString() + "\n";
        out += "\n";
    }
    return out;
}

void ledgerJournalStep(BenchContext& ctx) {
    std::string text;
    timeIt("journal for ledger (.ledger)", [&] { text = ledgerJournal(ctx.book); });
    save(ctx, "journal.ledger", text);
}

} // namespace

LW_BOOKBENCH_STEP("50-trial-balance", trialBalance);
LW_BOOKBENCH_STEP("51-income-statement", incomeStatement);
LW_BOOKBENCH_STEP("52-balance-sheet", balanceSheet);
LW_BOOKBENCH_STEP("53-inflows-outflows", inflowsOutflows);
LW_BOOKBENCH_STEP("55-ledger-journal", ledgerJournalStep);
