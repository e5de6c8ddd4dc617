#include "statements/net_profit.h"

#include "book/tmain.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace {

void addRow(std::vector<IncomeRow>& rows, Currency& total, const Book& book, int slot,
            Currency amount) {
    if (amount.isZero()) return;
    rows.push_back({slot, book.AccountNames[slot], book.AccountNumbers[slot], amount});
    total += amount;
}

} // namespace

IncomeSums computeIncomeSums(const Book& book, const IncomeStatementPeriod& period) {
    IncomeSums sums;
    const int slots = book.slotsInUse();
    std::unordered_map<std::int64_t, int> slotOf; // number to its first slot
    slotOf.reserve(static_cast<std::size_t>(std::max(slots, 0)) * 2);
    for (int k = 0; k < slots; ++k)
        slotOf.emplace(book.AccountNumbers[k].raw, k);
    std::vector<Currency> debits(static_cast<std::size_t>(std::max(slots, 0)));
    std::vector<Currency> credits(debits.size());

    try {
        std::int64_t lastNumber = 0;
        int lastSlot = -1;
        bool haveLast = false;
        for (const EntryLine& line : book.EntryLines) {
            if (!period.allDates && !(line.Date >= period.start && line.Date <= period.end))
                continue;
            const std::int64_t number = line.AccountNumber.raw;
            if (!haveLast || number != lastNumber) {
                const Currency lookup = period.includeSubAccounts
                                            ? line.AccountNumber
                                            : Tmain::TruncateDecimals(line.AccountNumber, 0);
                auto it = slotOf.find(lookup.raw);
                lastSlot = it == slotOf.end() ? -1 : it->second;
                lastNumber = number;
                haveLast = true;
            }
            if (lastSlot < 0) continue;
            if (line.Side == Debit)
                debits[lastSlot] += line.Amount;
            else
                credits[lastSlot] += line.Amount;
        }
        for (int k = 0; k < slots; ++k) {
            switch (book.AccountTypes[k]) {
            case CostOfGoodsSold:
                addRow(sums.cost, sums.costTotal, book, k, debits[k] - credits[k]);
                break;
            case Revenue:
                addRow(sums.revenue, sums.revenueTotal, book, k, credits[k] - debits[k]);
                break;
            case Expense:
                addRow(sums.expenses, sums.expenseTotal, book, k, debits[k] - credits[k]);
                break;
            default:
                break;
            }
        }
        sums.grossProfit = sums.revenueTotal - sums.costTotal;
        sums.netProfit = sums.grossProfit - sums.expenseTotal;
    } catch (const CurrencyOverflow&) {
        IncomeSums failed;
        failed.message = "The income statement cannot be made: a total is too large to hold.";
        return failed;
    }
    sums.ok = true;
    return sums;
}

IncomeSums netProfitOfAllDates(const Book& book) {
    IncomeStatementPeriod period;
    period.allDates = true;
    return computeIncomeSums(book, period);
}
