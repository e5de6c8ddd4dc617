#include "statements/inflows_outflows.h"

#include "book/account_map.h"
#include "book/entry_index.h"
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

struct FlowSums {
    std::unordered_map<std::int64_t, int> index; // account number -> accumulator
    int periods = 0;
    std::vector<Currency> in, out; // accumulator * periods + period

    int find(Currency number) const {
        const auto it = index.find(number.raw);
        return it == index.end() ? -1 : it->second;
    }
    Currency& at(std::vector<Currency>& v, int account, int period) {
        return v[static_cast<std::size_t>(account) * periods + period];
    }
};

// The period a date lies in, or -1.
int periodOf(const std::vector<double>& starts, double date) {
    const auto it = std::upper_bound(starts.begin(), starts.end(), date);
    const long k = static_cast<long>(it - starts.begin()) - 1;
    return k < 0 || k >= static_cast<long>(starts.size()) - 1 ? -1 : static_cast<int>(k);
}

// amount * part / whole, rounded to a ten-thousandth, halves to even.
Currency share(Currency amount, Currency part, Currency whole) {
    const __int128 n = static_cast<__int128>(amount.raw) * part.raw;
    const __int128 d = whole.raw;
    __int128 q = n / d, r = n % d;
    const __int128 twice = (r < 0 ? -r : r) * 2, ad = d < 0 ? -d : d;
    if (twice > ad || (twice == ad && q % 2 != 0)) q += ((n < 0) != (d < 0)) ? -1 : 1;
    if (q > INT64_MAX || q < INT64_MIN) throw CurrencyOverflow();
    return Currency::fromRaw(static_cast<std::int64_t>(q));
}

void sumCashFlows(const Book& book, Currency cash, const std::vector<double>& starts,
                  FlowSums& sums) {
    const EntryIndex entries(book);
    const auto& lines = book.EntryLines;
    const std::int32_t count = static_cast<std::int32_t>(lines.size());
    for (std::int32_t i = 0; i < count; ++i) {
        const EntryLine& line = lines[static_cast<std::size_t>(i)];
        if (line.AccountNumber != cash || (line.Side != Debit && line.Side != Credit)) continue;
        const int k = periodOf(starts, line.Date);
        if (k < 0) continue;
        // Money into the cash account comes from the credits after it in its
        // entry; money out goes to the debits before it.
        const bool in = line.Side == Debit;
        const std::int32_t from = in ? i + 1 : entries.first(i);
        const std::int32_t to = in ? entries.last(i) : i - 1;
        const std::uint8_t other = in ? Credit : Debit;
        int n = 0;
        Currency whole;
        for (std::int32_t c = from; c <= to; ++c)
            if (lines[static_cast<std::size_t>(c)].Side == other) {
                ++n;
                whole += lines[static_cast<std::size_t>(c)].Amount;
            }
        if (n == 0) continue;
        for (std::int32_t c = from; c <= to; ++c) {
            const EntryLine& counter = lines[static_cast<std::size_t>(c)];
            if (counter.Side != other) continue;
            const int account = sums.find(counter.AccountNumber);
            if (account < 0) continue;
            const Currency part =
                whole.isZero() ? share(line.Amount, Currency::fromRaw(1), Currency::fromRaw(n))
                               : share(line.Amount, counter.Amount, whole);
            sums.at(in ? sums.in : sums.out, account, k) += part;
        }
    }
}

void sumAccountFlows(const Book& book, const std::vector<double>& starts, FlowSums& sums) {
    for (const EntryLine& line : book.EntryLines) {
        if (line.Side != Debit && line.Side != Credit) continue;
        const int account = sums.find(line.AccountNumber);
        if (account < 0) continue;
        const int k = periodOf(starts, line.Date);
        if (k < 0) continue;
        sums.at(line.Side == Debit ? sums.in : sums.out, account, k) += line.Amount;
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
        io.periodStarts = periodBoundaries(wholeDay(first), wholeDay(last), options.kind);
    }
    const int periods = io.periods();
    for (int k = 0; k < periods; ++k) {
        const double start = io.periodStarts[static_cast<std::size_t>(k)];
        const bool yearly = options.kind == PeriodKind::Yearly;
        io.periodHeads.push_back(monthYearText(start, options.locale));
        io.periodLabels.push_back(yearly ? yearText(start) : io.periodHeads.back());
        io.columnHeads.push_back(
            yearly
                ? yearText(start + 12)
                : monthYearText(addMonths(start, static_cast<int>(options.kind)), options.locale));
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
    sums.in.assign(rowSlots.size() * static_cast<std::size_t>(periods), Currency{});
    sums.out = sums.in;

    try {
        if (io.cashMode)
            sumCashFlows(book, io.cashAccount, io.periodStarts, sums);
        else
            sumAccountFlows(book, io.periodStarts, sums); // in: debits, out: credits
        for (std::size_t a = 0; a < rowSlots.size(); ++a) {
            const int slot = rowSlots[a];
            const int account = static_cast<int>(a);
            if (!io.cashMode) {
                const bool revenue = book.AccountTypes[slot] == Revenue;
                FlowRow& row = openRow(revenue ? io.inflows : io.outflows, book, slot, periods);
                for (int k = 0; k < periods; ++k) {
                    const Currency debit = sums.at(sums.in, account, k);
                    const Currency credit = sums.at(sums.out, account, k);
                    row.amounts[k] = revenue ? credit - debit : debit - credit;
                    row.amounts[periods] += row.amounts[k];
                }
                continue;
            }
            FlowRow* inRow = nullptr;
            FlowRow* outRow = nullptr;
            for (int k = 0; k < periods; ++k) {
                const Currency net = sums.at(sums.in, account, k) - sums.at(sums.out, account, k);
                if (net.isZero()) continue;
                FlowRow*& row = net.raw > 0 ? inRow : outRow;
                if (!row)
                    row = &openRow(net.raw > 0 ? io.inflows : io.outflows, book, slot, periods);
                row->amounts[k] = net.raw > 0 ? net : -net;
                row->amounts[periods] += row->amounts[k];
            }
        }
        const std::size_t columns = static_cast<std::size_t>(periods) + 1;
        io.inflowTotals.assign(columns, Currency{});
        io.outflowTotals.assign(columns, Currency{});
        for (const FlowRow& row : io.inflows)
            for (std::size_t k = 0; k < columns; ++k)
                io.inflowTotals[k] += row.amounts[k];
        for (const FlowRow& row : io.outflows)
            for (std::size_t k = 0; k < columns; ++k)
                io.outflowTotals[k] += row.amounts[k];
        Currency running;
        for (int k = 0; k < periods; ++k) {
            io.beginning.push_back(running);
            running += io.inflowTotals[k] - io.outflowTotals[k];
            io.ending.push_back(running);
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
