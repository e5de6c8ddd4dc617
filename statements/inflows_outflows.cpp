#include "statements/inflows_outflows.h"

#include "book/account_map.h"
#include "book/entry_index.h"
#include "book/exact_share.h"
#include "book/number_format.h"
#include "book/tmain.h"
#include "resources/string_table.h"
#include "statements/statement_text.h"

#include <algorithm>
#include <unordered_map>

namespace {

struct Month {
    int year = 0, month = 0; // month 1..12
    double first() const { return Tmain::DayNumber(year, month, 1); }
    Month next() const { return month == 12 ? Month{year + 1, 1} : Month{year, month + 1}; }
    long long index() const { return static_cast<long long>(year) * 12 + (month - 1); }
};

Month monthOf(double day) {
    int y = 0, m = 0, d = 0;
    Tmain::CalendarDate(day, y, m, d);
    return {y, m};
}

// The same day `months` later, cut to the end of a shorter month.
double addMonths(double day, int months) {
    int y = 0, m = 0, d = 0;
    Tmain::CalendarDate(day, y, m, d);
    const long long total = static_cast<long long>(y) * 12 + (m - 1) + months;
    const int ny = static_cast<int>(total / 12), nm = static_cast<int>(total % 12) + 1;
    while (d > 28 && !Tmain::IsValidDate(ny, nm, d))
        --d;
    return Tmain::DayNumber(ny, nm, d);
}

int lengthOf(PeriodKind kind) {
    switch (kind) {
    case PeriodKind::Bimonthly:
        return 2;
    case PeriodKind::Quarterly:
        return 3;
    case PeriodKind::Yearly:
        return 12;
    default:
        return 1;
    }
}

// Period starts and the closing boundary. The first period starts on the
// 1st of the first journal month; later ones open on the 1st of every month
// (Monthly), or each time a counter of month starts reaches the kind's
// length, the last journal day opening a period of its own.
std::vector<double> periodBoundaries(double firstDay, double lastDay, PeriodKind kind) {
    std::vector<double> starts;
    const Month firstMonth = monthOf(firstDay);
    const Month lastMonth = monthOf(lastDay);
    const int length = lengthOf(kind);
    int counter = 1;
    for (Month m = firstMonth; m.index() <= lastMonth.index(); m = m.next()) {
        const double day = m.first();
        if (kind == PeriodKind::Monthly) {
            starts.push_back(day);
            continue;
        }
        if (++counter >= length || day == lastDay) {
            starts.push_back(day);
            counter = 0;
        }
    }
    if (kind != PeriodKind::Monthly && (starts.empty() || starts.back() != lastDay)) {
        starts.push_back(lastDay);
    }
    if (starts.front() != firstMonth.first()) starts.insert(starts.begin(), firstMonth.first());
    starts.push_back(kind == PeriodKind::Yearly ? addMonths(lastDay, 12)
                                                : lastMonth.next().first());
    return starts;
}

// Each account's net flow per period, held wide: money into the cash account
// (or debits) less money out of it (or credits). Only the net is shown.
struct FlowSums {
    std::unordered_map<std::int64_t, int> index; // account number -> accumulator
    int periods = 0;
    std::vector<WideSum> net; // accumulator * periods + period

    int find(Currency number) const {
        const auto it = index.find(number.raw);
        return it == index.end() ? -1 : it->second;
    }
    WideSum& at(int account, int period) {
        return net[static_cast<std::size_t>(account) * periods + period];
    }
};

// The period a date lies in, or -1.
int periodOf(const std::vector<double>& starts, double date) {
    const auto it = std::upper_bound(starts.begin(), starts.end(), date);
    const long k = static_cast<long>(it - starts.begin()) - 1;
    return k < 0 || k >= static_cast<long>(starts.size()) - 1 ? -1 : static_cast<int>(k);
}

// The cash lines of one side of an entry, added up per period.
struct CashGroup {
    int period = 0;
    WideSum amount;
};

void addToGroup(std::vector<CashGroup>& groups, int period, Currency amount) {
    for (CashGroup& group : groups)
        if (group.period == period) {
            group.amount += amount;
            return;
        }
    groups.push_back({period, {}});
    groups.back().amount += amount;
}

// One entry's cash flows, worked out once: the cash debits of a period are
// shared among the entry's credit lines (money in) and its cash credits among
// its debit lines (money out), each line's share pro rata to its amount (in
// equal parts when those amounts add up to 0), rounded to a ten-thousandth,
// halves to even. Linear in the entry's lines.
void sumEntryCashFlows(const std::vector<EntryLine>& lines, std::int32_t first, std::int32_t last,
                       Currency cash, const std::vector<double>& starts, FlowSums& sums) {
    std::vector<CashGroup> groups[2]; // [0] cash debits, [1] cash credits
    std::int64_t count[2] = {0, 0};   // debit and credit lines of the entry
    WideSum whole[2];                 // and their amounts added up
    for (std::int32_t i = first; i <= last; ++i) {
        const EntryLine& line = lines[static_cast<std::size_t>(i)];
        if (line.Side != Debit && line.Side != Credit) continue;
        const int side = line.Side == Debit ? 0 : 1;
        ++count[side];
        whole[side] += line.Amount;
        if (line.AccountNumber != cash) continue;
        const int k = periodOf(starts, line.Date);
        if (k >= 0) addToGroup(groups[side], k, line.Amount);
    }
    for (int side = 0; side < 2; ++side) {
        const int other = 1 - side;
        if (groups[side].empty() || count[other] == 0) continue;
        const std::uint8_t otherSide = other == 0 ? Debit : Credit;
        for (std::int32_t c = first; c <= last; ++c) {
            const EntryLine& counter = lines[static_cast<std::size_t>(c)];
            if (counter.Side != otherSide) continue;
            const int account = sums.find(counter.AccountNumber);
            if (account < 0) continue;
            for (const CashGroup& group : groups[side]) {
                const WideSum share =
                    whole[other].isZero()
                        ? exactShare(group.amount, 1, WideSum{count[other]})
                        : exactShare(group.amount, counter.Amount.raw, whole[other]);
                if (side == 0)
                    sums.at(account, group.period) += share;
                else
                    sums.at(account, group.period) -= share;
            }
        }
    }
}

void sumCashFlows(const Book& book, Currency cash, const std::vector<double>& starts,
                  FlowSums& sums) {
    const EntryIndex entries(book);
    const std::int32_t count = static_cast<std::int32_t>(book.EntryLines.size());
    for (std::int32_t i = 0; i < count; i = entries.last(i) + 1)
        sumEntryCashFlows(book.EntryLines, i, entries.last(i), cash, starts, sums);
}

void sumAccountFlows(const Book& book, const std::vector<double>& starts, FlowSums& sums) {
    for (const EntryLine& line : book.EntryLines) {
        if (line.Side != Debit && line.Side != Credit) continue;
        const int account = sums.find(line.AccountNumber);
        if (account < 0) continue;
        const int k = periodOf(starts, line.Date);
        if (k < 0) continue;
        if (line.Side == Debit)
            sums.at(account, k) += line.Amount;
        else
            sums.at(account, k) -= line.Amount;
    }
}

FlowRow& openRow(std::vector<FlowRow>& rows, const Book& book, int slot, int periods) {
    FlowRow row;
    row.slot = slot;
    row.number = book.AccountNumbers[slot];
    row.name = book.AccountNames[slot];
    row.amounts.assign(static_cast<std::size_t>(periods) + 1, Currency{});
    rows.push_back(std::move(row));
    return rows.back();
}

// The sum of each column of the rows; throws CurrencyOverflow when one does
// not fit in the money range.
std::vector<Currency> columnTotals(const std::vector<FlowRow>& rows, std::size_t columns) {
    std::vector<WideSum> sums(columns);
    for (const FlowRow& row : rows)
        for (std::size_t k = 0; k < columns; ++k)
            sums[k] += row.amounts[k];
    std::vector<Currency> totals;
    totals.reserve(columns);
    for (const WideSum& sum : sums)
        totals.push_back(sum.value());
    return totals;
}

bool drawsOnCapital(const Book& book, int slot) {
    return book.AccountTypes[slot] == CapitalEquity &&
           book.AccountNames[slot].find("Draw") != std::string::npos;
}

} // namespace

PeriodKind periodKindOfIndex(int listIndex) {
    if (listIndex < 1) return PeriodKind::Monthly;
    if (listIndex >= 3) return PeriodKind::Yearly;
    return static_cast<PeriodKind>(listIndex);
}

InflowsOutflows computeInflowsOutflows(const Book& book, const InflowsOutflowsOptions& options) {
    InflowsOutflows io;
    io.kind = options.kind;
    io.cashMode = options.cashAccount.has_value();
    io.cashAccount = options.cashAccount.value_or(Currency{});
    io.decimals = Book::clampDecimals(book.DecimalsBalanceSheet);
    double lastDay = 0;
    if (!book.EntryLines.empty()) { // an empty journal has no periods, only a total
        double first = book.EntryLines.front().Date, last = first;
        for (const EntryLine& line : book.EntryLines) {
            first = std::min(first, line.Date);
            last = std::max(last, line.Date);
        }
        const long long months = monthOf(last).index() - monthOf(first).index() + 1;
        if (months / lengthOf(options.kind) > options.maxPeriods) {
            io.message = "The journal's dates run from " + longDateText(first, options.locale) +
                         " to " + longDateText(last, options.locale) +
                         ": more periods than the statement can show. Please check the dates of "
                         "the journal.";
            return io;
        }
        lastDay = wholeDay(last);
        io.periodStarts = periodBoundaries(wholeDay(first), lastDay, options.kind);
    }
    const int periods = io.periods();
    for (int k = 0; k < periods; ++k) {
        const double start = io.periodStarts[static_cast<std::size_t>(k)];
        const bool yearly = options.kind == PeriodKind::Yearly;
        io.periodHeads.push_back(monthYearText(start, options.locale));
        io.periodLabels.push_back(yearly ? yearText(start) : io.periodHeads.back());
        // A period is headed by its last month: the month of its last day,
        // which is at most the last journal day.
        const double end = std::min(io.periodStarts[static_cast<std::size_t>(k) + 1] - 1, lastDay);
        io.columnHeads.push_back(yearly ? yearText(end) : monthYearText(end, options.locale));
    }
    io.columnHeads.push_back(strings::text(168));

    // One accumulator per account number that can make a row.
    const int slots = book.slotsInUse();
    const AccountMap accounts(book);
    FlowSums sums;
    sums.periods = periods;
    std::vector<int> rowSlots;
    for (int j = 0; j < slots; ++j) {
        const Currency number = book.AccountNumbers[j];
        if (accounts.slot(number) != j) continue; // no account, or a repeat of an earlier number
        if (io.cashMode) {
            if (number == io.cashAccount) continue;
        } else {
            const std::uint8_t type = book.AccountTypes[j];
            if (type != Revenue && type != Expense && type != CostOfGoodsSold &&
                !drawsOnCapital(book, j))
                continue;
        }
        sums.index.emplace(number.raw, static_cast<int>(rowSlots.size()));
        rowSlots.push_back(j);
    }
    sums.net.assign(rowSlots.size() * static_cast<std::size_t>(periods), WideSum{});

    try {
        if (io.cashMode)
            sumCashFlows(book, io.cashAccount, io.periodStarts, sums);
        else
            sumAccountFlows(book, io.periodStarts, sums); // debits less credits
        for (std::size_t a = 0; a < rowSlots.size(); ++a) {
            const int slot = rowSlots[a];
            const int account = static_cast<int>(a);
            if (!io.cashMode) {
                const bool revenue = book.AccountTypes[slot] == Revenue;
                FlowRow& row = openRow(revenue ? io.inflows : io.outflows, book, slot, periods);
                WideSum total;
                for (int k = 0; k < periods; ++k) {
                    const WideSum net = sums.at(account, k);
                    row.amounts[k] = (revenue ? WideSum{} - net : net).value();
                    total += row.amounts[k];
                }
                row.amounts[periods] = total.value();
                continue;
            }
            FlowRow* inRow = nullptr;
            FlowRow* outRow = nullptr;
            WideSum inTotal, outTotal;
            for (int k = 0; k < periods; ++k) {
                const WideSum net = sums.at(account, k);
                if (net.isZero()) continue;
                const bool in = net.raw > 0;
                FlowRow*& row = in ? inRow : outRow;
                if (!row) row = &openRow(in ? io.inflows : io.outflows, book, slot, periods);
                row->amounts[k] = (in ? net : WideSum{} - net).value();
                (in ? inTotal : outTotal) += row->amounts[k];
            }
            if (inRow) inRow->amounts[periods] = inTotal.value();
            if (outRow) outRow->amounts[periods] = outTotal.value();
        }
        const std::size_t columns = static_cast<std::size_t>(periods) + 1;
        io.inflowTotals = columnTotals(io.inflows, columns);
        io.outflowTotals = columnTotals(io.outflows, columns);
        WideSum running;
        for (int k = 0; k < periods; ++k) {
            io.beginning.push_back(running.value());
            running += io.inflowTotals[k];
            running -= io.outflowTotals[k];
            io.ending.push_back(running.value());
        }
    } catch (const CurrencyOverflow&) {
        InflowsOutflows failed;
        failed.kind = io.kind;
        failed.cashMode = io.cashMode;
        failed.message = "The inflows and outflows cannot be made: a total is too large to hold.";
        return failed;
    }

    const NumberMarks marks = marksOf(options.locale);
    auto texts = [&](const std::vector<Currency>& values) {
        std::vector<std::string> out;
        out.reserve(values.size());
        for (Currency v : values)
            out.push_back(statementAmountText(v, io.decimals, marks, true));
        return out;
    };
    for (auto* rows : {&io.inflows, &io.outflows})
        for (FlowRow& row : *rows)
            row.amountTexts = texts(row.amounts);
    io.inflowTotalTexts = texts(io.inflowTotals);
    io.outflowTotalTexts = texts(io.outflowTotals);
    io.beginningTexts = texts(io.beginning);
    io.endingTexts = texts(io.ending);
    io.ok = true;
    return io;
}
