#include "book/period_rollover.h"

#include "book/carry_forward.h"
#include "book/exact_share.h"
#include "book/folded_rows.h"
#include "resources/string_table.h"

#include <optional>
#include <vector>

Currency capitalShare(Currency netProfit, Currency balance, WideSum total) {
    if (total.isZero()) throw CurrencyOverflow();
    // Worked in hundredths of a unit (a whole a hundred times the total),
    // then written back in ten-thousandths.
    WideSum profit;
    profit += netProfit;
    WideSum hundredfold;
    if (__builtin_mul_overflow(total.raw, 100, &hundredfold.raw)) throw CurrencyOverflow();
    WideSum share = exactShare(profit, balance.raw, hundredfold);
    share.raw *= 100;
    return share.value();
}

RollOverResult rollOver(Book& book, RunTimeState& run, Currency netProfit,
                        const GoOnQuestion& ask) {
    using namespace carrying;
    RollOverResult result;
    const double date = book.EntryLines.empty() ? 0 : book.EntryLines.back().Date;

    auto found = accountBalances(book, &result.message);
    if (!found) return result;
    // Each balance is closed or carried by the class of its row in the
    // statements, the rows the shared profit was made of.
    const RowSlots rows(book, false);
    auto rowClass = [&](Currency number) {
        const int slot = rows.slotOf(number);
        return slot < 0 ? std::uint8_t{CurrentAsset} : book.AccountTypes[slot];
    };
    // Lines on numbers the chart lacks are closed with the profit when
    // their row is; only the others would end in account 1.
    std::vector<LeftOutNumber> carriedOut;
    for (const LeftOutNumber& out : found->leftOut)
        if (!closesIntoProfit(rowClass(out.number))) carriedOut.push_back(out);
    if (!agreesToLeaveOut(book, carriedOut, ask)) {
        result.status = RollOverResult::Declined;
        result.message = leftOutDeclined();
        return result;
    }
    std::vector<Currency>& balances = found->ofSlot;
    const std::size_t slots = balances.size();
    std::vector<std::uint8_t> classes(slots);
    for (std::size_t k = 0; k < slots; ++k)
        classes[k] = rowClass(book.AccountNumbers[k]);

    std::vector<Currency> shares(slots);
    bool capitalHeld = false;
    try {
        WideSum capitalTotal;
        for (std::size_t k = 0; k < slots; ++k)
            if (classes[k] == CapitalEquity) {
                capitalTotal += balances[k];
                capitalHeld = capitalHeld || !balances[k].isZero();
            }
        if (capitalHeld && capitalTotal.isZero()) {
            result.message = strings::text(274);
            return result;
        }
        for (std::size_t k = 0; k < slots; ++k) {
            if (closesIntoProfit(classes[k]))
                balances[k] = Currency();
            else if (classes[k] == CapitalEquity && !balances[k].isZero() && !netProfit.isZero())
                shares[k] = capitalShare(netProfit, balances[k], capitalTotal);
        }
    } catch (const CurrencyOverflow&) {
        result.message = "Stopping: a capital share of the profit or loss is too large to hold. "
                         "Nothing was changed.";
        return result;
    }

    const std::string broughtForward = strings::text(272);
    const std::string distribution = strings::text(273);
    const EntryId noReference;
    PairWriter built;
    try {
        for (std::size_t k = 0; k < slots; ++k)
            if (!balances[k].isZero())
                built.addBalance(date, book.AccountNumbers[k], balances[k], broughtForward,
                                 noReference);
        for (std::size_t k = 0; k < slots; ++k) {
            const Currency share = shares[k];
            if (share.raw > 0)
                built.add(date, openingBalanceAccount(), book.AccountNumbers[k], share,
                          distribution, noReference);
            else if (share.raw < 0)
                built.add(date, book.AccountNumbers[k], openingBalanceAccount(), -share,
                          distribution, noReference);
        }
    } catch (const CurrencyOverflow&) {
        result.message = "Stopping: a balance is too large to bring forward. Nothing was changed.";
        return result;
    }

    if (!capitalHeld && !netProfit.isZero()) {
        std::string size = netProfit.toPlainString(".");
        if (size.front() == '-') size.erase(0, 1);
        result.message = "No capital account holds a balance: the " +
                         std::string(netProfit.raw > 0 ? "profit" : "loss") + " of " + size +
                         " was not shared and is left out of the new period.";
    }
    result.linesWritten = static_cast<std::int32_t>(built.lines.size());
    if (built.lines.empty())
        markJournalReplaced(book, run); // nothing to bring forward: the journal stays
    else
        adoptJournal(book, run, std::move(built));
    run.NetProfit = Currency();
    result.status = RollOverResult::Done;
    return result;
}
