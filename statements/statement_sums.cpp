#include "statements/statement_sums.h"

#include "book/day_of_date.h"
#include "book/folded_rows.h"
#include "book/tmain.h"
#include "statements/statement_text.h"

Currency statementKey(Currency number, bool includeSubAccounts) {
    return rowKey(number, includeSubAccounts);
}

int KeyedSums::add(Currency key) {
    const auto [it, fresh] = index.try_emplace(key.raw, static_cast<int>(debits.size()));
    if (fresh) {
        debits.emplace_back();
        credits.emplace_back();
        standing.push_back(-1);
    }
    return it->second;
}

int KeyedSums::find(Currency key) const {
    const auto it = index.find(key.raw);
    return it == index.end() ? -1 : it->second;
}

std::vector<int> addTableKeys(const Book& book, bool includeSubAccounts, KeyedSums& sums) {
    const int slots = book.slotsInUse();
    const RowSlots rows(book, includeSubAccounts);
    std::vector<int> keyOf(static_cast<std::size_t>(std::max(slots, 0)), -1);
    for (int k = 0; k < slots; ++k) {
        const Currency number = book.AccountNumbers[k];
        const std::size_t before = sums.debits.size();
        const int index = sums.add(statementKey(number, includeSubAccounts));
        if (sums.debits.size() == before) continue; // the key has its row already
        keyOf[static_cast<std::size_t>(k)] = index;
        sums.standing[static_cast<std::size_t>(index)] = rows.slotOf(number);
    }
    if (sums.find(Currency{}) < 0) keyOf.push_back(sums.add(Currency{}));
    return keyOf;
}

RowAccount rowAccount(const Book& book, const KeyedSums& sums, int key) {
    RowAccount account;
    account.slot = sums.standing[static_cast<std::size_t>(key)];
    if (account.slot < 0) return account;
    account.number = book.AccountNumbers[account.slot];
    account.name = book.AccountNames[account.slot];
    account.type = book.AccountTypes[account.slot];
    return account;
}

bool DayRange::holds(double date) const {
    if (allDates) return true;
    const double day = dayOfDate(date);
    return day >= first && day <= last;
}

void sumJournal(const Book& book, const DayRange& range, bool includeSubAccounts, KeyedSums& sums,
                RunTimeState* run) {
    // About 99 progress steps per pass, as the progress window sets its stride.
    if (run) run->ProgressStride = progressStrideFor(book.LastEntryLine());
    const std::int32_t stride = run ? std::max<std::int32_t>(run->ProgressStride, 1) : 1;
    std::int64_t lastNumber = 0;
    int lastIndex = -1;
    bool haveLast = false;
    const std::int32_t count = static_cast<std::int32_t>(book.EntryLines.size());
    for (std::int32_t i = 0; i < count; ++i) {
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(i)];
        if (!range.holds(line.Date)) continue;
        if (!haveLast || line.AccountNumber.raw != lastNumber) {
            lastIndex = sums.find(statementKey(line.AccountNumber, includeSubAccounts));
            lastNumber = line.AccountNumber.raw;
            haveLast = true;
        }
        if (lastIndex < 0) continue;
        if (line.Side == Debit)
            sums.debits[static_cast<std::size_t>(lastIndex)] += line.Amount;
        else
            sums.credits[static_cast<std::size_t>(lastIndex)] += line.Amount;
        if (run && i % stride == 0) Tmain::StepProgress(*run);
    }
}

void sumJournalUpTo(const Book& book, double lastDay, bool includeSubAccounts, KeyedSums& sums,
                    RunTimeState* run) {
    DayRange range;
    range.first = -1e300;
    range.last = lastDay;
    sumJournal(book, range, includeSubAccounts, sums, run);
}

void addStatementRow(std::vector<StatementRow>& rows, const RowAccount& account, WideSum amount) {
    if (amount.isZero()) return;
    rows.push_back({account.slot, account.name, account.number, amount.value(), {}});
}

Currency rowsTotal(const std::vector<StatementRow>& rows) {
    WideSum total;
    for (const StatementRow& row : rows)
        total += row.amount;
    return total.value();
}
