#include "bench/generator/book_generator.h"

#include "book/tmain.h"
#include "resources/string_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

// SplitMix64: small, fast and the same on every platform.
class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(0x9E3779B97F4A7C15ull ^ seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0..n-1
    std::int64_t below(std::int64_t n) { return static_cast<std::int64_t>(next() % n); }

  private:
    std::uint64_t state_;
};

constexpr double FirstDay = 44927;     // 1 January 2023
constexpr std::int64_t DaySpan = 1096; // 2023, 2024 and 2025
constexpr int SubAccountEvery = 10;

const std::array<const char*, 9> ClassWords = {"Current asset",  "Current liability", "Fixed asset",
                                               "Long-term loan", "Cost of sales",     "Revenue",
                                               "Expense",        "Capital",           "Other"};
const std::array<const char*, 8> NoteWords = {"Sale", "Purchase", "Rent",     "Wages",
                                              "Fees", "Supplies", "Transfer", "Refund"};

std::string numberText(std::int64_t n) {
    char buf[24];
    auto end = std::to_chars(buf, buf + sizeof buf, n).ptr;
    return std::string(buf, end);
}

void fillAccounts(Book& book, int accounts) {
    book.resizeAccounts(
        std::max(accounts - 1, MinAccountSlots - 1)); // slots past `accounts` stay empty
    book.AccountNames[0] = strings::text(155) + " b/f";
    book.AccountNumbers[0] = Currency::fromUnits(1);
    book.AccountTypes[0] = Other;
    std::int64_t mainNumber = 0;
    for (int slot = 1; slot < accounts; ++slot) {
        if (slot % SubAccountEvery == 0) { // a sub-account of the main account before it
            book.AccountNumbers[slot] = Currency::fromRaw(mainNumber * Currency::Scale + 1000);
            book.AccountTypes[slot] = book.AccountTypes[slot - 1];
            book.AccountNames[slot] = book.AccountNames[slot - 1] + ".1";
            continue;
        }
        mainNumber = mainNumber == 0 ? 1000 : mainNumber + 10;
        const int type = static_cast<int>(static_cast<std::int64_t>(slot - 1) * 9 / (accounts - 1));
        book.AccountNumbers[slot] = Currency::fromUnits(mainNumber);
        book.AccountTypes[slot] = static_cast<std::uint8_t>(type);
        book.AccountNames[slot] = std::string(ClassWords[type]) + " " + numberText(mainNumber);
    }
    book.EntryAccountList.clear();
    book.EntryAccountList.reserve(book.AccountNames.size());
    for (const std::string& name : book.AccountNames)
        book.EntryAccountList.emplace_back(name);
}

} // namespace

Book generateBook(std::int64_t lines, int accounts, std::uint32_t seed) {
    lines = std::max<std::int64_t>(lines, 2);
    accounts = std::clamp(accounts, 2, MaxAccountIndex + 1);

    Book book;
    fillAccounts(book, accounts);
    resetEntryGroups(book);

    // Journal lines name any account but the opening-balance one.
    std::vector<Currency> numbers(book.AccountNumbers.begin() + 1,
                                  book.AccountNumbers.begin() + accounts);
    const auto accountCount = static_cast<std::int64_t>(numbers.size());

    Random random(seed);
    book.EntryLines.clear();
    book.EntryIds.clear();
    book.EntryLines.reserve(static_cast<std::size_t>(lines));
    book.EntryIds.reserve(static_cast<std::size_t>(lines));

    std::int64_t produced = 0;
    std::int64_t entry = 0;
    while (produced < lines) {
        ++entry;
        std::int64_t debits = 1, credits = 1;
        if (random.below(5) == 0) {
            debits = 2 + random.below(2);
            credits = 2 + random.below(2);
        }
        // The last entries take exactly the lines that are left.
        const std::int64_t remaining = lines - produced;
        const std::int64_t surplus = remaining - (debits + credits);
        if (surplus != 0 && surplus < 2) {
            if (remaining <= 6) {
                debits = (remaining + 1) / 2;
                credits = remaining / 2;
            } else { // 7 left and a 3 + 3 entry chosen: leave three
                debits = 2;
                credits = 2;
            }
        }

        const double date = FirstDay + static_cast<double>(produced * DaySpan / lines);
        const EntryId reference(numberText(entry));
        std::int64_t total = 0;
        auto addLine = [&](std::uint8_t side, std::int64_t raw) {
            EntryLine line;
            line.Date = date;
            line.Side = side;
            line.AccountNumber = numbers[static_cast<std::size_t>(random.below(accountCount))];
            line.Amount = Currency::fromRaw(raw);
            book.EntryLines.push_back(std::move(line));
            book.EntryIds.push_back(reference);
        };
        for (std::int64_t d = 0; d < debits; ++d) {
            const std::int64_t raw = (100 + random.below(999900)) * 100; // 1.00 to 9999.99
            total += raw;
            addLine(Debit, raw);
        }
        const std::int64_t share = total / credits / 100 * 100; // whole cents
        for (std::int64_t c = 0; c < credits; ++c)
            addLine(Credit, c + 1 < credits ? share : total - share * (credits - 1));

        book.EntryLines.back().Details =
            std::string(NoteWords[static_cast<std::size_t>(entry % NoteWords.size())]) + " " +
            numberText(entry);
        produced += debits + credits;
    }
    return book;
}

Book generateWideBook(int accounts, int years, std::int64_t lines, std::uint32_t seed) {
    accounts = std::clamp(accounts, 1, MaxAccountIndex);
    lines = std::max<std::int64_t>(lines / 2 * 2, 2);
    Book book;
    book.resizeAccounts(accounts);
    book.AccountNames[0] = "Cash";
    book.AccountNumbers[0] = Currency::fromUnits(1000);
    book.AccountTypes[0] = CurrentAsset;
    for (int slot = 1; slot <= accounts; ++slot) {
        const bool revenue = slot % 2 == 1;
        const std::int64_t number = 2000 + static_cast<std::int64_t>(slot - 1) * 10;
        book.AccountNumbers[slot] = Currency::fromUnits(number);
        book.AccountTypes[slot] = revenue ? Revenue : Expense;
        book.AccountNames[slot] =
            std::string(revenue ? "Revenue " : "Expense ") + numberText(number);
    }
    fillEntryAccountList(book);
    resetEntryGroups(book);

    Random random(seed);
    book.EntryLines.clear();
    book.EntryIds.clear();
    book.EntryLines.reserve(static_cast<std::size_t>(lines));
    book.EntryIds.reserve(static_cast<std::size_t>(lines));
    const double first = Tmain::DayNumber(1926, 1, 1);
    const double span = Tmain::DayNumber(1926 + years, 1, 1) - first;
    const std::int64_t entries = lines / 2;
    for (std::int64_t entry = 0; entry < entries; ++entry) {
        const double date =
            first + std::floor(span * static_cast<double>(entry) / static_cast<double>(entries));
        const int slot = 1 + static_cast<int>(random.below(accounts));
        const Currency account = book.AccountNumbers[static_cast<std::size_t>(slot)];
        const Currency cash = book.AccountNumbers[0];
        const bool revenue = book.AccountTypes[static_cast<std::size_t>(slot)] == Revenue;
        const Currency amount = Currency::fromRaw((100 + random.below(999900)) * 100);
        const EntryId reference(numberText(entry + 1));
        for (int side = 0; side < 2; ++side) {
            EntryLine line;
            line.Date = date;
            line.Side = side == 0 ? Debit : Credit;
            line.AccountNumber = (side == 0) == revenue ? cash : account;
            line.Amount = amount;
            if (side == 1)
                line.Details = std::string(revenue ? "Sale " : "Purchase ") + numberText(entry + 1);
            book.EntryLines.push_back(std::move(line));
            book.EntryIds.push_back(reference);
        }
    }
    return book;
}
