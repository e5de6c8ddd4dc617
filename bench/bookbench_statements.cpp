// bookbench steps: the four statements computed on the book, each timed and
// dumped as text into the output folder, every output of each written there,
// and the journal written for the
// `ledger` command-line tool (bench/ledger_compare.sh times `ledger bal`
// against bookbench's open and trial balance on it).
#include "bench/bookbench.h"

#include "book/account_number_rule.h"
#include "book/entry_index.h"
#include "book/mail_draft.h"
#include "book/safe_file.h"
#include "book/tmain.h"
#include "book/wide_sum.h"
#include "platform/services.h"
#include "statements/balance_sheet_outputs.h"
#include "statements/income_statement_outputs.h"
#include "statements/inflows_outflows_outputs.h"
#include "statements/trial_balance_outputs.h"

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
    reportStep(!ec, name + ": " + ec.message());
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
    if (reportStep(tb.ok, tb.message)) save(ctx, "trial_balance.txt", dump(tb));
    options.includeSubAccounts = true;
    timeIt("trial balance (every account)", [&] { tb = computeTrialBalance(ctx.book, options); });
    if (!reportStep(tb.ok, tb.message)) return;
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
    if (reportStep(is.ok, is.message)) save(ctx, "income_statement.txt", dump(is));
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
    if (reportStep(bs.ok, bs.message)) save(ctx, "balance_sheet.txt", dump(bs));
}

std::string dump(const InflowsOutflows& io) {
    std::string out = "Inflows and outflows, " + std::to_string(io.periods()) + " periods\n";
    for (const std::string& head : io.columnHeads)
        out += "\t" + head;
    out += "\n";
    auto line = [&](const std::string& label, std::span<const Currency> figures) {
        out += label;
        for (Currency v : figures)
            out += "\t" + io.text(v);
        out += "\n";
    };
    line("Beginning Balance", io.beginning);
    for (const FlowRow& row : io.inflows)
        line("  " + row.name, row.amounts);
    line("Total Inflows", io.inflowTotals);
    for (const FlowRow& row : io.outflows)
        line("  " + row.name, row.amounts);
    line("Total Outflows", io.outflowTotals);
    line("Ending Balance", io.ending);
    return out;
}

// The first current asset with journal lines: the cash account of cash mode.
std::optional<Currency> cashAccountOf(const Book& book) {
    for (int j = 1; j < book.slotsInUse(); ++j)
        if (book.AccountTypes[j] == CurrentAsset && isAccountNumber(book.AccountNumbers[j]))
            for (const EntryLine& line : book.EntryLines)
                if (line.AccountNumber == book.AccountNumbers[j]) return book.AccountNumbers[j];
    return std::nullopt;
}

void reportFlows(const BenchContext& ctx, const InflowsOutflows& io, const std::string& file) {
    if (!reportStep(io.ok, io.message)) return;
    std::cout << "  " << io.periods() << " periods, " << io.inflows.size() << " inflow and "
              << io.outflows.size() << " outflow rows\n";
    save(ctx, file, dump(io));
}

void inflowsOutflows(BenchContext& ctx) {
    InflowsOutflowsOptions options;
    options.locale = currentLocale();
    InflowsOutflows io;
    timeIt("inflows/outflows (revenue and expenses, monthly)",
           [&] { io = computeInflowsOutflows(ctx.book, options); });
    reportFlows(ctx, io, "inflows_outflows_revenue.txt");
    options.cashAccount = cashAccountOf(ctx.book);
    if (!options.cashAccount) return;
    timeIt("inflows/outflows (cash account " + options.cashAccount->toPlainString() + ", monthly)",
           [&] { io = computeInflowsOutflows(ctx.book, options); });
    reportFlows(ctx, io, "inflows_outflows_cash.txt");
}

// A book of one entry of 100,000 lines: 50,000 debits, then 50,000 credits,
// every tenth line of each side on the cash account 100 and the others spread
// over 500 accounts, amounts that do not divide evenly.
Book oneEntryBook() {
    Book book = makeEmptyBook("Balance", Tmain::DayNumber(2024, 1, 1));
    constexpr int Accounts = 500, Lines = 100000;
    book.resizeAccounts(Accounts + 1);
    for (int j = 1; j <= Accounts + 1; ++j) {
        book.AccountNumbers[j] = Currency::fromUnits(99 + j);
        book.AccountNames[j] = j == 1 ? "Cash" : "Account " + std::to_string(99 + j);
        book.AccountTypes[j] = j == 1 ? CurrentAsset : j % 2 ? Revenue : Expense;
    }
    book.resizeJournal(Lines);
    for (int i = 0; i < Lines; ++i) {
        EntryLine& line = book.EntryLines[static_cast<std::size_t>(i)];
        line.Date = Tmain::DayNumber(2024, 3, 15);
        line.Side = i < Lines / 2 ? Debit : Credit;
        line.AccountNumber = Currency::fromUnits(i % 10 == 0 ? 100 : 101 + i % Accounts);
        line.Amount = Currency::fromRaw(10000 + (i % 997) * 37);
    }
    book.EntryLines.back().Details = "_";
    fillEntryAccountList(book);
    return book;
}

void inflowsOutflowsOfOneEntry(BenchContext&) {
    const Book book = oneEntryBook();
    InflowsOutflowsOptions options;
    options.locale = currentLocale();
    options.cashAccount = Currency::fromUnits(100);
    InflowsOutflows io;
    timeIt("inflows/outflows (cash account, one entry of 100,000 lines)",
           [&] { io = computeInflowsOutflows(book, options); });
    if (!reportStep(io.ok, io.message)) return;
    std::cout << "  " << io.inflows.size() << " inflow and " << io.outflows.size()
              << " outflow rows\n";
}

// The journal in the plain-text form of the `ledger` tool: one transaction
// per entry, debits positive and credits negative, accounts named "A" and
// their number. An entry that does not balance gets its difference on
// "Unbalanced", which the comparison leaves out; nullopt, the step failed,
// when that difference is beyond the money range.
std::optional<std::string> ledgerJournal(const Book& book) {
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
        WideSum sum;
        for (std::int32_t k = i; k <= entries.last(i); ++k) {
            const EntryLine& line = book.EntryLines[static_cast<std::size_t>(k)];
            // A credit is written negated by its sign alone: the lowest amount
            // has no negative in the money range.
            std::string amount = line.Amount.toPlainString();
            if (line.Side == Debit) {
                sum += line.Amount;
            } else {
                sum -= line.Amount;
                if (!line.Amount.isZero())
                    amount = amount[0] == '-' ? amount.substr(1) : "-" + amount;
            }
            out += "    A" + line.AccountNumber.toPlainString() + "  " + amount + "\n";
        }
        const std::optional<Currency> unbalanced = (WideSum() - sum).checked();
        if (!unbalanced) return std::nullopt;
        if (!unbalanced->isZero()) out += "    Unbalanced  " + unbalanced->toPlainString() + "\n";
        out += "\n";
    }
    return out;
}

void ledgerJournalStep(BenchContext& ctx) {
    std::optional<std::string> text;
    timeIt("journal for ledger (.ledger)", [&] { text = ledgerJournal(ctx.book); });
    if (reportStep(text.has_value(), "an entry's difference is beyond the money range"))
        save(ctx, "journal.ledger", *text);
}

// Times one output and writes it into the output folder: a text as it is,
// a draft as the mail message file (not opened), an export by its writer.
void timedText(BenchContext& ctx, const std::string& name,
               const std::function<std::string()>& make) {
    std::string text;
    timeIt("  " + name, [&] { text = make(); });
    save(ctx, name, text);
}

void timedDraft(BenchContext& ctx, const std::string& name,
                const std::function<std::string()>& page, const std::string& subject) {
    timedText(ctx, name, [&] { return Tmain::mailDraftText(page(), subject, "bookbench"); });
}

void timedExport(BenchContext& ctx, const std::string& name,
                 const std::function<ExportResult(const std::filesystem::path&)>& write) {
    ExportResult result;
    timeIt("  " + name, [&] { result = write(ctx.outDir / name); });
    if (reportStep(result.ok, result.message) && !result.notice.empty())
        std::cout << "  " << result.notice << "\n";
}

// Each statement's outputs; a statement that failed has none.
void trialBalanceOutputs(BenchContext& ctx, const Book& book, const LocaleInfo& locale,
                         double last) {
    TrialBalanceOptions tbOptions;
    tbOptions.asOfDate = last;
    tbOptions.locale = locale;
    const TrialBalance tb = computeTrialBalance(book, tbOptions);
    if (!reportStep(tb.ok, tb.message)) return;
    timedText(ctx, "tb_copy.txt", [&] { return trialBalanceTabText(tb); });
    timedExport(ctx, "tb.rtf", [&](auto p) { return exportTrialBalance(tb, book, p, "rtf"); });
    timedExport(ctx, "tb.htm", [&](auto p) { return exportTrialBalance(tb, book, p, "htm"); });
    timedExport(ctx, "tb.csv", [&](auto p) { return exportTrialBalance(tb, book, p, "csv"); });
    timedExport(ctx, "tb.xls", [&](auto p) { return exportTrialBalance(tb, book, p, "xls"); });
    timedDraft(
        ctx, "TrialBalance.eml", [&] { return trialBalanceWebPage(tb, book); },
        trialBalanceMailSubject(tb, book));
}

void incomeStatementOutputs(BenchContext& ctx, const Book& book, const LocaleInfo& locale,
                            double last) {
    IncomeStatementOptions isOptions;
    isOptions.period.end = last;
    isOptions.locale = locale;
    const IncomeStatement is = computeIncomeStatement(book, isOptions);
    if (!reportStep(is.ok, is.message)) return;
    timedText(ctx, "is_copy.txt", [&] { return incomeStatementTabText(is); });
    timedExport(ctx, "is.rtf", [&](auto p) { return exportIncomeStatement(is, book, p, "rtf"); });
    timedExport(ctx, "is.htm", [&](auto p) { return exportIncomeStatement(is, book, p, "htm"); });
    timedExport(ctx, "is.xls", [&](auto p) { return exportIncomeStatement(is, book, p, "xls"); });
    timedDraft(
        ctx, "IncomeStatement.eml", [&] { return incomeStatementWebPage(is, book); },
        incomeStatementMailSubject(is, book));
}

void balanceSheetOutputs(BenchContext& ctx, const Book& book, const LocaleInfo& locale,
                         double last) {
    BalanceSheetOptions bsOptions;
    bsOptions.date = last;
    bsOptions.locale = locale;
    const BalanceSheet bs = computeBalanceSheet(book, bsOptions);
    if (!reportStep(bs.ok, bs.message)) return;
    const auto working = BalanceSheetLayout::WorkingCapital;
    const auto standard = BalanceSheetLayout::AssetsAndLiabilities;
    timedText(ctx, "bs_copy.txt", [&] { return balanceSheetTabText(bs, working); });
    timedExport(ctx, "bs.rtf",
                [&](auto p) { return exportBalanceSheet(bs, working, book, p, "rtf"); });
    timedExport(ctx, "bs_assets_and_liabilities.rtf",
                [&](auto p) { return exportBalanceSheet(bs, standard, book, p, "rtf"); });
    timedExport(ctx, "bs.htm",
                [&](auto p) { return exportBalanceSheet(bs, working, book, p, "htm"); });
    timedExport(ctx, "bs.xls",
                [&](auto p) { return exportBalanceSheet(bs, working, book, p, "xls"); });
    timedDraft(
        ctx, "BalanceSheet.eml", [&] { return balanceSheetWebPage(bs, working, book); },
        balanceSheetMailSubject(bs, book));
}

void inflowsOutflowsOutputs(BenchContext& ctx, const Book& book, const LocaleInfo& locale) {
    InflowsOutflowsOptions ioOptions;
    ioOptions.locale = locale;
    ioOptions.cashAccount = cashAccountOf(book);
    const InflowsOutflows io = computeInflowsOutflows(book, ioOptions);
    if (!reportStep(io.ok, io.message)) return;
    const int width = 1200;
    timedText(ctx, "io_copy.txt", [&] { return inflowsOutflowsTabText(io, book); });
    timedExport(ctx, "io.csv",
                [&](auto p) { return exportInflowsOutflows(io, book, p, "csv", width); });
    timedExport(ctx, "io.htm",
                [&](auto p) { return exportInflowsOutflows(io, book, p, "htm", width); });
    timedExport(ctx, "io.xls",
                [&](auto p) { return exportInflowsOutflows(io, book, p, "xls", width); });
    timedDraft(
        ctx, "InflowsOutflows.eml", [&] { return inflowsOutflowsWebPage(io, book, width); },
        inflowsOutflowsMailSubject(io, book));
}

void statementOutputs(BenchContext& ctx) {
    const LocaleInfo locale = currentLocale();
    const double last = lastJournalDay(ctx.book);
    std::cout << "statement outputs:\n";
    trialBalanceOutputs(ctx, ctx.book, locale, last);
    incomeStatementOutputs(ctx, ctx.book, locale, last);
    balanceSheetOutputs(ctx, ctx.book, locale, last);
    inflowsOutflowsOutputs(ctx, ctx.book, locale);
}

} // namespace

LW_BOOKBENCH_STEP("50-trial-balance", trialBalance);
LW_BOOKBENCH_STEP("51-income-statement", incomeStatement);
LW_BOOKBENCH_STEP("52-balance-sheet", balanceSheet);
LW_BOOKBENCH_STEP("53-inflows-outflows", inflowsOutflows);
LW_BOOKBENCH_STEP("53-inflows-outflows-one-entry", inflowsOutflowsOfOneEntry);
LW_BOOKBENCH_STEP("54-statement-outputs", statementOutputs);
LW_BOOKBENCH_STEP("55-ledger-journal", ledgerJournalStep);
