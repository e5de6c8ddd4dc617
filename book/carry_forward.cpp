#include "book/carry_forward.h"

#include "book/account_number_rule.h"
#include "book/account_number_text.h"
#include "book/book_change.h"
#include "book/day_of_date.h"
#include "book/number_format.h"
#include "book/wide_sum.h"
#include "platform/locale.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace carrying {

Currency openingBalanceAccount() {
    return Currency::fromUnits(1);
}

std::optional<JournalBalances> accountBalances(const Book& book, std::string* fault) {
    const int slots = book.slotsInUse();
    // Held wide, as the statements hold them: debits and credits that pass
    // the range of amounts on the way stop nothing, only a balance that does
    // not fit itself.
    std::vector<WideSum> sums(static_cast<std::size_t>(std::max(slots, 0)));
    std::unordered_map<std::int64_t, int> slotOf;
    slotOf.reserve(sums.size() * 2);
    for (int k = 0; k < slots; ++k)
        if (isAccountNumber(book.AccountNumbers[k])) slotOf.emplace(book.AccountNumbers[k].raw, k);

    // Numbers no slot holds, in the order of their first lines.
    std::vector<LeftOutNumber> outside;
    std::vector<WideSum> outsideSums;
    std::unordered_map<std::int64_t, std::size_t> outsideOf;

    Currency faulty;
    auto tooLarge = [&] {
        if (fault)
            *fault = "Stopping: the balance of account " + folioText(book, faulty, ".") +
                     " is too large to hold. Nothing was changed.";
        return std::nullopt;
    };
    WideSum* sum = nullptr;
    LeftOutNumber* out = nullptr; // while the number is not in the chart
    std::int64_t lastNumber = 0;
    bool haveLast = false;
    try {
        for (std::size_t i = 0; i < book.EntryLines.size(); ++i) {
            const EntryLine& line = book.EntryLines[i];
            if (line.Side != Debit && line.Side != Credit) continue;
            if (!haveLast || line.AccountNumber.raw != lastNumber) {
                lastNumber = line.AccountNumber.raw;
                haveLast = true;
                faulty = line.AccountNumber;
                const auto it = slotOf.find(lastNumber);
                out = nullptr;
                if (it != slotOf.end()) {
                    sum = &sums[static_cast<std::size_t>(it->second)];
                } else {
                    const auto [at, fresh] = outsideOf.try_emplace(lastNumber, outside.size());
                    if (fresh) {
                        outside.push_back({line.AccountNumber, i, 0, {}});
                        outsideSums.emplace_back();
                    }
                    sum = &outsideSums[at->second];
                    out = &outside[at->second];
                }
            }
            if (out) ++out->lines;
            if (line.Side == Debit)
                *sum += line.Amount;
            else
                *sum -= line.Amount;
        }
    } catch (const CurrencyOverflow&) {
        return tooLarge();
    }
    JournalBalances balances;
    balances.ofSlot.reserve(sums.size());
    for (int k = 0; k < slots; ++k) {
        faulty = book.AccountNumbers[k];
        const std::optional<Currency> balance = sums[static_cast<std::size_t>(k)].checked();
        if (!balance) return tooLarge();
        balances.ofSlot.push_back(*balance);
    }
    for (std::size_t n = 0; n < outside.size(); ++n) {
        faulty = outside[n].number;
        const std::optional<Currency> balance = outsideSums[n].checked();
        if (!balance) return tooLarge();
        if (balance->isZero()) continue;
        outside[n].balance = *balance;
        balances.leftOut.push_back(outside[n]);
    }
    return balances;
}

namespace {

std::string plural(std::size_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The name of the first slot numbered `number`, quoted, after a space; "" when none.
std::string quotedName(const Book& book, Currency number) {
    for (int k = 0; k < book.slotsInUse(); ++k)
        if (book.AccountNumbers[k] == number) return " \"" + book.AccountNames[k] + "\"";
    return {};
}

std::string leftOutQuestion(const Book& book, const std::vector<LeftOutNumber>& leftOut) {
    constexpr std::size_t Named = 5;
    const std::string mark = decimalMarkOf(currentLocale());
    const NumberMarks marks = marksOf(currentLocale());
    std::size_t lines = 0;
    for (const LeftOutNumber& n : leftOut)
        lines += n.lines;
    std::string text = plural(lines, "journal line is", "journal lines are") +
                       " on account numbers that are not in the chart of accounts, and their "
                       "balance is not 0:\n";
    for (std::size_t n = 0; n < leftOut.size() && n < Named; ++n) {
        const LeftOutNumber& out = leftOut[n];
        std::string size = formatAmount(out.balance, exactDecimals(out.balance), marks);
        if (size.front() == '-') size.erase(0, 1);
        text += folioText(book, out.number, mark) +
                (isAccountNumber(out.number) ? "" : " (no account)") + ", " +
                (out.lines == 1 ? "" : std::to_string(out.lines) + " lines from ") +
                "journal line " + std::to_string(out.firstLine + 1) + ": " + size +
                (out.balance.raw > 0 ? " Dr" : " Cr");
        const Currency main = mainAccountOf(out.number);
        const std::string mainName = main == out.number ? "" : quotedName(book, main);
        if (!mainName.empty())
            text += " (counted under " + folioText(book, main, mark) + mainName +
                    " in the trial balance with sub-accounts folded)";
        text += "\n";
    }
    if (leftOut.size() > Named)
        text += "and " + plural(leftOut.size() - Named, "more number", "more numbers") + "\n";
    const Currency opening = openingBalanceAccount();
    return text + "Their balance would go to account " + folioText(book, opening, mark) +
           quotedName(book, opening) +
           " and these lines would not be brought forward. Do you want to go on?";
}

} // namespace

bool agreesToLeaveOut(const Book& book, const std::vector<LeftOutNumber>& leftOut,
                      const GoOnQuestion& ask) {
    return leftOut.empty() || ask(leftOutQuestion(book, leftOut));
}

std::string leftOutDeclined() {
    return "Nothing was changed: the lines that are not in the chart of accounts stay in the "
           "journal.";
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

bool askYesNo(const std::string& question) {
    return showMessage(question, "", MessageButtons::YesNo, MessageIcon::Question) ==
           MessageAnswer::Yes;
}

CarryForwardResult carryForward(Book& book, RunTimeState& run, double today,
                                const GoOnQuestion& ask) {
    using namespace carrying;
    CarryForwardResult result;
    if (book.LastEntryLine() < 2) {
        result.status = CarryForwardResult::TooShort;
        return result;
    }
    auto found = accountBalances(book, &result.message);
    if (!found) return result;
    if (!agreesToLeaveOut(book, found->leftOut, ask)) {
        result.status = CarryForwardResult::Declined;
        result.message = leftOutDeclined();
        return result;
    }
    const std::vector<Currency>& balances = found->ofSlot;

    const double day = dayOfDate(today);
    const std::string note = strings::text(272);
    const EntryId reference("B/D");
    PairWriter built;
    const std::size_t carried = static_cast<std::size_t>(
        std::count_if(balances.begin(), balances.end(), [](Currency b) { return !b.isZero(); }));
    built.lines.reserve(carried * 2);
    built.ids.reserve(carried * 2);
    try {
        for (std::size_t k = 0; k < balances.size(); ++k)
            if (!balances[k].isZero())
                built.addBalance(day, book.AccountNumbers[k], balances[k], note, reference);
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
