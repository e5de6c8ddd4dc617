#include "book/carry_forward.h"

#include "book/account_number_rule.h"
#include "book/account_number_text.h"
#include "book/book_change.h"
#include "book/day_of_date.h"
#include "book/wide_sum.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace carrying {

Currency openingBalanceAccount() {
    return Currency::fromUnits(1);
}

std::optional<std::vector<Currency>> accountBalances(const Book& book, std::string* fault) {
    const int slots = book.slotsInUse();
    // Held wide, as the statements hold them: debits and credits that pass
    // the range of amounts on the way stop nothing, only a balance that does
    // not fit itself.
    std::vector<WideSum> sums(static_cast<std::size_t>(std::max(slots, 0)));
    std::unordered_map<std::int64_t, int> slotOf;
    slotOf.reserve(sums.size() * 2);
    for (int k = 0; k < slots; ++k)
        if (isAccountNumber(book.AccountNumbers[k])) slotOf.emplace(book.AccountNumbers[k].raw, k);

    int slot = -1;
    std::int64_t lastNumber = 0;
    bool haveLast = false;
    auto tooLarge = [&] {
        if (fault)
            *fault = "Stopping: the balance of account " +
                     folioText(book, book.AccountNumbers[slot], ".") +
                     " is too large to hold. Nothing was changed.";
        return std::nullopt;
    };
    try {
        for (const EntryLine& line : book.EntryLines) {
            if (line.Side != Debit && line.Side != Credit) continue;
            if (!haveLast || line.AccountNumber.raw != lastNumber) {
                auto it = slotOf.find(line.AccountNumber.raw);
                slot = it == slotOf.end() ? -1 : it->second;
                lastNumber = line.AccountNumber.raw;
                haveLast = true;
            }
            if (slot < 0) continue;
            if (line.Side == Debit)
                sums[slot] += line.Amount;
            else
                sums[slot] -= line.Amount;
        }
    } catch (const CurrencyOverflow&) {
        return tooLarge();
    }
    std::vector<Currency> balances;
    balances.reserve(sums.size());
    for (slot = 0; slot < slots; ++slot) {
        const std::optional<Currency> balance = sums[slot].checked();
        if (!balance) return tooLarge();
        balances.push_back(*balance);
    }
    return balances;
}

void PairWriter::add(double date, Currency debitAccount, Currency creditAccount, Currency amount,
                     const std::string& note, const EntryId& reference) {
    EntryLine debit;
    debit.Date = date;
    debit.Side = Debit;
    debit.AccountNumber = debitAccount;
    debit.Amount = amount;
    EntryLine credit = debit;
    credit.Side = Credit;
    credit.AccountNumber = creditAccount;
    credit.Details = note;
    lines.push_back(std::move(debit));
    lines.push_back(std::move(credit));
    ids.push_back(reference);
    ids.push_back(reference);
}

void PairWriter::addBalance(double date, Currency account, Currency balance,
                            const std::string& note, const EntryId& reference) {
    if (balance.raw > 0)
        add(date, account, openingBalanceAccount(), balance, note, reference);
    else
        add(date, openingBalanceAccount(), account, -balance, note, reference);
}

void adoptJournal(Book& book, RunTimeState& run, PairWriter&& built) {
    BookChange change(book, run);
    change.replaceJournal(std::move(built.lines), std::move(built.ids));
    change.commit();
    markJournalReplaced(book, run);
}

void markJournalReplaced(const Book& book, RunTimeState& run) {
    run.BookFilePath.clear();
    run.CurrentFilePath.clear();
    markBookChanged(run);
    run.CurrentFirstLine = run.CurrentLastLine = run.RowBase = book.LastEntryLine();
}

} // namespace carrying

CarryForwardResult carryForward(Book& book, RunTimeState& run, double today) {
    using namespace carrying;
    CarryForwardResult result;
    if (book.LastEntryLine() < 2) {
        result.status = CarryForwardResult::TooShort;
        return result;
    }
    auto balances = accountBalances(book, &result.message);
    if (!balances) return result;

    const double day = dayOfDate(today);
    const std::string note = strings::text(272);
    const EntryId reference("B/D");
    PairWriter built;
    const std::size_t carried = static_cast<std::size_t>(
        std::count_if(balances->begin(), balances->end(), [](Currency b) { return !b.isZero(); }));
    built.lines.reserve(carried * 2);
    built.ids.reserve(carried * 2);
    try {
        for (std::size_t k = 0; k < balances->size(); ++k)
            if (!(*balances)[k].isZero())
                built.addBalance(day, book.AccountNumbers[k], (*balances)[k], note, reference);
    } catch (const CurrencyOverflow&) {
        result.message = "Stopping: a balance is too large to carry forward. Nothing was changed.";
        return result;
    }

    result.linesWritten = static_cast<std::int32_t>(built.lines.size());
    BookChange change(book, run);
    if (built.lines.empty()) // every balance is zero: the journal of a new book
        change.newStart(day);
    else
        change.replaceJournal(std::move(built.lines), std::move(built.ids));
    change.commit();
    markJournalReplaced(book, run);
    result.status = CarryForwardResult::Done;
    return result;
}

CarryForwardResult carryForward(Book& book, RunTimeState& run) {
    return carryForward(book, run, todayNumber());
}
