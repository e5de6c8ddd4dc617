// bookbench steps: the book written and read back as .txt and .csv (kept in
// the output folder), the income statement's net profit of the whole journal,
// the book inserted into itself, the balance carry-forward and the period
// roll-over, each on a copy of the book.
#include "bench/bookbench.h"

#include "book/book_csv_file.h"
#include "book/book_file.h"
#include "book/book_text_file.h"
#include "book/carry_forward.h"
#include "book/insert_book.h"
#include "book/period_rollover.h"
#include "book/tmain.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "statements/net_profit.h"

#include <iostream>

namespace {

const double Today = 46000; // 9 December 2025

void reportRead(const TextFormReadResult& read, const Book& book) {
    if (!reportStep(read.ok,
                    read.message.empty() ? Tmain::FileErrorText(read.error) : read.message))
        return;
    std::cout << "  " << read.book.EntryLines.size() << " of " << book.EntryLines.size()
              << " journal lines read back\n";
}

using FormWriter = BookWriteResult (*)(const std::filesystem::path&, const Book&, const LocaleInfo&,
                                       RunTimeState*);

// Saves the book as `book.<extension>` and opens it again.
void roundTrip(BenchContext& ctx, const std::string& extension, FormWriter write,
               textforms::FileReader read) {
    const auto path = ctx.outDir / ("book." + extension);
    const LocaleInfo locale = currentLocale();
    BookWriteResult written;
    timeIt("save (." + extension + ")", [&] { written = write(path, ctx.book, locale, nullptr); });
    // A file left from an earlier run is not this one's to read back.
    if (!reportWrite(written)) return;
    TextFormReadResult opened;
    timeIt("open (." + extension + ")",
           [&] { opened = read(path, ctx.book, locale, Today, nullptr, {}); });
    reportRead(opened, ctx.book);
}

void textForm(BenchContext& ctx) {
    roundTrip(ctx, "txt", writeBookTextFile, readBookTextFile);
}

void csvForm(BenchContext& ctx) {
    roundTrip(ctx, "csv", writeBookCsvFile, readBookCsvFile);
}

// Reports a net profit that could not be made, as the program shows it.
bool reportNetProfit(const NetProfitResult& sums) {
    return reportStep(sums.ok, sums.message.empty() ? strings::text(274) : sums.message);
}

void netProfit(BenchContext& ctx) {
    NetProfitResult sums;
    timeIt("net profit (all dates)", [&] { sums = netProfitOfAllDates(ctx.book); });
    if (reportNetProfit(sums))
        std::cout << "  net profit of the whole journal: " << sums.netProfit.toPlainString()
                  << "\n";
}

void insertSelf(BenchContext& ctx) {
    auto path = ctx.outDir / "saved.acc";
    if (!std::filesystem::exists(path)) {
        path = ctx.outDir / "insert.acc";
        if (!reportWrite(writeBookFile(path, ctx.book, nullptr))) return;
    }
    Book copy = ctx.book;
    RunTimeState run = ctx.run;
    InsertResult result;
    timeIt("insert the book into itself (.acc)", [&] {
        result = insertBookFile(
            copy, run, path, InsertSource::BookFile, [] { return std::optional<std::string>(); },
            currentLocale());
    });
    const std::string refusal = result.status == InsertResult::PasswordRefused
                                    ? "the book's password was not given; nothing was inserted."
                                : result.message.empty() ? path.string() + " cannot be inserted."
                                                         : result.message;
    if (!reportStep(result.ok(), refusal)) return;
    std::cout << "  " << result.linesAppended << " lines appended, " << copy.EntryLines.size()
              << " in the journal\n";
}

void carryForwardStep(BenchContext& ctx) {
    Book copy = ctx.book;
    RunTimeState run = ctx.run;
    CarryForwardResult result;
    timeIt("balance carry-forward", [&] { result = carryForward(copy, run, Today); });
    const std::string refusal =
        result.status == CarryForwardResult::TooShort
            ? "the journal holds two lines or fewer; nothing was carried forward."
        : result.message.empty() ? strings::text(274)
                                 : result.message;
    if (!reportStep(result.ok(), refusal)) return;
    std::cout << "  " << copy.EntryLines.size() << " lines after the carry-forward\n";
}

void rollOverStep(BenchContext& ctx) {
    Book copy = ctx.book;
    RunTimeState run = ctx.run;
    NetProfitResult sums;
    RollOverResult result;
    timeIt("period roll-over (net profit included)", [&] {
        // As the program does: no net profit, no roll-over.
        sums = netProfitOfAllDates(copy);
        if (sums.ok) result = rollOver(copy, run, sums.netProfit);
    });
    if (!reportNetProfit(sums) ||
        !reportStep(result.ok(), result.message.empty() ? strings::text(274) : result.message))
        return;
    std::cout << "  " << copy.EntryLines.size() << " lines after the roll-over"
              << (result.message.empty() ? "" : " (" + result.message + ")") << "\n";
}

} // namespace

LW_BOOKBENCH_STEP("40-text-form-txt", textForm);
LW_BOOKBENCH_STEP("41-text-form-csv", csvForm);
LW_BOOKBENCH_STEP("70-net-profit", netProfit);
LW_BOOKBENCH_STEP("71-insert-self", insertSelf);
LW_BOOKBENCH_STEP("72-carry-forward", carryForwardStep);
LW_BOOKBENCH_STEP("73-roll-over", rollOverStep);
