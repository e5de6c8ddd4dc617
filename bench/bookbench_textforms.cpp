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
#include "platform/services.h"
#include "statements/net_profit.h"

#include <iostream>

namespace {

const double Today = 46000; // 9 December 2025

void reportWrite(const BookWriteResult& result) {
    if (!result.ok())
        std::cout << "  failed: "
                  << (result.message.empty() ? result.error.message() : result.message) << "\n";
}

void reportRead(const TextFormReadResult& read, const Book& book) {
    if (!read.ok) {
        std::cout << "  failed: " << read.message << "\n";
        return;
    }
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
    reportWrite(written);
    TextFormReadResult opened;
    timeIt("open (." + extension + ")",
           [&] { opened = read(path, ctx.book, locale, Today, nullptr); });
    reportRead(opened, ctx.book);
}

void textForm(BenchContext& ctx) {
    roundTrip(ctx, "txt", writeBookTextFile, readBookTextFile);
}

void csvForm(BenchContext& ctx) {
    roundTrip(ctx, "csv", writeBookCsvFile, readBookCsvFile);
}

Currency wholeJournalNetProfit(const Book& book) {
    const NetProfitResult sums = netProfitOfAllDates(book);
    if (!sums.ok) std::cout << "  " << sums.message << "\n";
    return sums.netProfit;
}

void netProfit(BenchContext& ctx) {
    Currency profit;
    timeIt("net profit (all dates)", [&] { profit = wholeJournalNetProfit(ctx.book); });
    std::cout << "  net profit of the whole journal: " << profit.toPlainString() << "\n";
}

void insertSelf(BenchContext& ctx) {
    auto path = ctx.outDir / "saved.acc";
    if (!std::filesystem::exists(path)) {
        path = ctx.outDir / "insert.acc";
        writeBookFile(path, ctx.book, nullptr);
    }
    Book copy = ctx.book;
    RunTimeState run = ctx.run;
    InsertResult result;
    timeIt("insert the book into itself (.acc)", [&] {
        result = insertBookFile(
            copy, run, path, InsertSource::BookFile, [] { return std::optional<std::string>(); },
            currentLocale());
    });
    if (!result.ok())
        std::cout << "  failed: " << result.message << "\n";
    else
        std::cout << "  " << result.linesAppended << " lines appended, " << copy.EntryLines.size()
                  << " in the journal\n";
}

void carryForwardStep(BenchContext& ctx) {
    Book copy = ctx.book;
    RunTimeState run = ctx.run;
    CarryForwardResult result;
    timeIt("balance carry-forward", [&] { result = carryForward(copy, run, Today); });
    if (!result.ok())
        std::cout << "  failed: " << result.message << "\n";
    else
        std::cout << "  " << copy.EntryLines.size() << " lines after the carry-forward\n";
}

void rollOverStep(BenchContext& ctx) {
    Book copy = ctx.book;
    RunTimeState run = ctx.run;
    RollOverResult result;
    timeIt("period roll-over (net profit included)",
           [&] { result = rollOver(copy, run, wholeJournalNetProfit(copy)); });
    if (!result.ok())
        std::cout << "  failed: " << result.message << "\n";
    else
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
