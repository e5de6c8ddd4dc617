#include "statements/inflows_outflows.h"

#include "book/account_map.h"
#include "book/account_number_rule.h"
#include "book/day_of_date.h"
#include "book/entry_index.h"
#include "book/exact_share.h"
#include "book/memory_bound.h"
#include "book/number_format.h"
#include "book/tmain.h"
#include "resources/string_table.h"
#include "statements/statement_text.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

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

// The period the day of a date lies in, or -1.
int periodOf(const std::vector<double>& starts, double date) {
    const auto it = std::upper_bound(starts.begin(), starts.end(), dayOfDate(date));
    const long k = static_cast<long>(it - starts.begin()) - 1;
    return k < 0 || k >= static_cast<long>(starts.size()) - 1 ? -1 : static_cast<int>(k);
}

// The cash lines of one side of an entry in one period, added up.
struct CashGroup {
    int period = 0;
    WideSum amount;
};

// What an entry that moves the cash account holds for sharing: per side
// (0 debits, 1 credits) its cash lines grouped by period, and the number and
// the sum of all its lines of that side.
struct CashEntry {
    std::uint32_t groupsBegin[2] = {0, 0}, groupsEnd[2] = {0, 0}; // in CashFlows::groups
    std::int64_t count[2] = {0, 0};
    WideSum whole[2];
};

// A line that takes a share of its entry's cash lines: a line of the other
// side naming an account of the statement, with its place among the lines
// of its side, so that the shares of all of them add up to the cash lines.
struct CashCounter {
    std::int32_t line = 0;
    std::int32_t entry = 0;   // in CashFlows::entries
    std::int32_t ordinal = 0; // how many lines of its side stand before it
    // The sum of those lines' amounts, held in two halves to keep the
    // counter small.
    std::int64_t beforeHigh = 0;
    std::uint64_t beforeLow = 0;

    WideSum before() const {
        return WideSum{
            static_cast<__int128>((static_cast<unsigned __int128>(beforeHigh) << 64) | beforeLow)};
    }
    void setBefore(WideSum sum) {
        beforeHigh = static_cast<std::int64_t>(sum.raw >> 64);
        beforeLow = static_cast<std::uint64_t>(sum.raw);
    }
};

struct CashFlows {
    std::vector<CashGroup> groups;
    std::vector<CashEntry> entries;
};

void addToGroup(std::vector<CashGroup>& groups, std::size_t begin, int period, Currency amount) {
    for (std::size_t g = begin; g < groups.size(); ++g)
        if (groups[g].period == period) {
            groups[g].amount += amount;
            return;
        }
    groups.push_back({period, {}});
    groups.back().amount += amount;
}

// Items (journal lines, or lines that take cash shares) tagged with the
// statement account they go to; sorted stably, each account's items stay in
// journal order.
template <class Item> struct Tagged {
    std::int32_t account = 0;
    Item item;
};

template <class Item> void sortByAccount(std::vector<Tagged<Item>>& items) {
    std::stable_sort(items.begin(), items.end(), [](const Tagged<Item>& a, const Tagged<Item>& b) {
        return a.account < b.account;
    });
}

// The cash entries and the lines that take their shares. An entry's cash
// debits of a period are shared among its credit lines (money in) and its
// cash credits among its debit lines (money out). Linear in the journal.
CashFlows cashFlowsOf(const Book& book, Currency cash, const std::vector<double>& starts,
                      const std::unordered_map<std::int64_t, int>& accountOf,
                      std::vector<Tagged<CashCounter>>& counters) {
    CashFlows flows;
    const EntryIndex entries(book);
    const std::vector<EntryLine>& lines = book.EntryLines;
    const std::int32_t count = static_cast<std::int32_t>(lines.size());
    for (std::int32_t first = 0; first < count; first = entries.last(first) + 1) {
        const std::int32_t last = entries.last(first);
        CashEntry entry;
        const std::size_t groupsBefore = flows.groups.size();
        for (int side = 0; side < 2; ++side) {
            const std::uint8_t wanted = side == 0 ? Debit : Credit;
            entry.groupsBegin[side] = static_cast<std::uint32_t>(flows.groups.size());
            for (std::int32_t i = first; i <= last; ++i) {
                const EntryLine& line = lines[static_cast<std::size_t>(i)];
                if (line.Side != wanted) continue;
                ++entry.count[side];
                entry.whole[side] += line.Amount;
                if (line.AccountNumber != cash) continue;
                const int k = periodOf(starts, line.Date);
                if (k >= 0) addToGroup(flows.groups, entry.groupsBegin[side], k, line.Amount);
            }
            entry.groupsEnd[side] = static_cast<std::uint32_t>(flows.groups.size());
        }
        if (flows.groups.size() == groupsBefore) continue; // no cash line in a period
        const std::int32_t index = static_cast<std::int32_t>(flows.entries.size());
        std::int32_t ordinal[2] = {0, 0};
        WideSum before[2];
        for (std::int32_t c = first; c <= last; ++c) {
            const EntryLine& line = lines[static_cast<std::size_t>(c)];
            if (line.Side != Debit && line.Side != Credit) continue;
            const int own = line.Side == Debit ? 0 : 1;
            const int other = 1 - own; // the cash side it answers
            const auto it = accountOf.find(line.AccountNumber.raw);
            if (entry.groupsBegin[other] != entry.groupsEnd[other] && it != accountOf.end()) {
                CashCounter counter{c, index, ordinal[own]};
                counter.setBefore(before[own]);
                counters.push_back({it->second, counter});
            }
            ++ordinal[own];
            before[own] += line.Amount;
        }
        flows.entries.push_back(entry);
    }
    sortByAccount(counters);
    return flows;
}

// Adds what one line takes of its entry's cash lines to its account's net
// flow per period: money in less money out, each share pro rata to the
// line's amount (in equal parts when the side's amounts add up to 0),
// rounded to a ten-thousandth, halves to even, as the share of the lines up
// to it less that of the lines before it: the shares of a side add up to
// the cash lines exactly.
void addCashShares(const Book& book, const CashFlows& flows, const CashCounter& counter,
                   std::vector<WideSum>& net) {
    const EntryLine& line = book.EntryLines[static_cast<std::size_t>(counter.line)];
    const CashEntry& entry = flows.entries[static_cast<std::size_t>(counter.entry)];
    const int own = line.Side == Debit ? 0 : 1;
    const int cashSide = 1 - own;
    const bool equalParts = entry.whole[own].isZero();
    const WideSum before = equalParts ? WideSum{counter.ordinal} : counter.before();
    const WideSum part = equalParts ? WideSum{1} : WideSum{line.Amount.raw};
    const WideSum whole = equalParts ? WideSum{entry.count[own]} : entry.whole[own];
    for (std::uint32_t g = entry.groupsBegin[cashSide]; g < entry.groupsEnd[cashSide]; ++g) {
        const CashGroup& group = flows.groups[g];
        const WideSum share = exactShareAfter(group.amount, before, part, whole);
        if (cashSide == 0)
            net[static_cast<std::size_t>(group.period)] += share; // a cash debit: money in
        else
            net[static_cast<std::size_t>(group.period)] -= share;
    }
}

// The debits and credits of the statement's accounts, tagged by account.
std::vector<Tagged<std::int32_t>>
accountLinesOf(const Book& book, const std::unordered_map<std::int64_t, int>& accountOf) {
    std::vector<Tagged<std::int32_t>> tagged;
    const std::int32_t count = static_cast<std::int32_t>(book.EntryLines.size());
    for (std::int32_t i = 0; i < count; ++i) {
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(i)];
        if (line.Side != Debit && line.Side != Credit) continue;
        const auto it = accountOf.find(line.AccountNumber.raw);
        if (it != accountOf.end()) tagged.push_back({it->second, i});
    }
    sortByAccount(tagged);
    return tagged;
}

// Walks the statement's accounts in table order; for each, fills `net` with
// its net flow per period (debits less credits, or money into the cash
// account less money out of it) and calls visit(account, net). Every sum is
// checked: one beyond the 128-bit range throws CurrencyOverflow.
template <class Item, class Add, class Visit>
void forEachAccountNet(const std::vector<Tagged<Item>>& items, std::size_t accounts, int periods,
                       Add add, Visit visit) {
    std::vector<WideSum> net;
    std::size_t at = 0;
    for (std::size_t a = 0; a < accounts; ++a) {
        net.assign(static_cast<std::size_t>(periods), WideSum{});
        for (; at < items.size() && items[at].account == static_cast<std::int32_t>(a); ++at)
            add(items[at].item, net);
        visit(a, net);
    }
}

// Opens a row whose amounts are the next free cells of the block, all 0; a
// row of no slot (-1) is that of the lines of no account, number 0 unnamed.
FlowRow& openRow(InflowsOutflows& io, std::vector<FlowRow>& rows, const Book& book, int slot) {
    const std::size_t columns = static_cast<std::size_t>(io.periods()) + 1;
    const std::size_t used = (io.inflows.size() + io.outflows.size()) * columns;
    FlowRow row;
    row.slot = slot;
    if (slot >= 0) {
        row.number = book.AccountNumbers[slot];
        row.name = book.AccountNames[slot];
    }
    row.amounts = std::span<Currency>(io.cells).subspan(used, columns);
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

// The memory the rows of a table take: their cells and the rows themselves.
std::uint64_t tableBytes(std::uint64_t rows, int periods) {
    return rows * (sizeof(FlowRow) + (static_cast<std::uint64_t>(periods) + 1) * sizeof(Currency));
}

bool drawsOnCapital(const Book& book, int slot) {
    return book.AccountTypes[slot] == CapitalEquity &&
           book.AccountNames[slot].find("Draw") != std::string::npos;
}

// Whether revenue/expense mode gives the slot's account a row.
bool revenueOrExpense(const Book& book, int slot) {
    const std::uint8_t type = book.AccountTypes[slot];
    return type == Revenue || type == Expense || type == CostOfGoodsSold ||
           drawsOnCapital(book, slot);
}

// A statement refused: nothing of it is kept but what it was asked for and why.
InflowsOutflows refused(const InflowsOutflows& asked, std::string message) {
    InflowsOutflows failed;
    failed.kind = asked.kind;
    failed.cashMode = asked.cashMode;
    failed.message = std::move(message);
    return failed;
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
        lastDay = dayOfDate(last);
        io.periodStarts = periodBoundaries(dayOfDate(first), lastDay, options.kind);
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

    // The accounts that can make a row, in table order, each on the first
    // slot of its number. As in the trial balance, the lines of no account
    // (0) have the row of the first slot numbered 0, under its class, or one
    // after the table, classed as no revenue or expense; revenue/expense mode
    // has the accounts of its classes only.
    const int slots = book.slotsInUse();
    const AccountMap accounts(book);
    std::unordered_map<std::int64_t, int> accountOf; // account number -> its place in rowSlots
    std::vector<int> rowSlots;
    bool noAccountRow = false;
    auto addRow = [&](int slot, Currency number) {
        if (io.cashMode ? number == io.cashAccount : slot < 0 || !revenueOrExpense(book, slot))
            return;
        accountOf.emplace(number.raw, static_cast<int>(rowSlots.size()));
        rowSlots.push_back(slot);
    };
    for (int j = 0; j < slots; ++j) {
        const Currency number = book.AccountNumbers[j];
        const bool first = isAccountNumber(number) ? accounts.slot(number) == j
                                                   : !std::exchange(noAccountRow, true);
        if (first) addRow(j, number);
    }
    if (!noAccountRow) addRow(-1, Currency());

    io.marks = marksOf(options.locale);
    try {
        std::vector<Tagged<std::int32_t>> lines;
        std::vector<Tagged<CashCounter>> counters;
        CashFlows cash;
        // Each account's net flow per period, in table order.
        auto eachNet = [&](auto visit) {
            if (io.cashMode) {
                auto add = [&](const CashCounter& c, std::vector<WideSum>& net) {
                    addCashShares(book, cash, c, net);
                };
                forEachAccountNet(counters, rowSlots.size(), periods, add, visit);
                return;
            }
            auto add = [&](std::int32_t i, std::vector<WideSum>& net) {
                const EntryLine& line = book.EntryLines[static_cast<std::size_t>(i)];
                const int k = periodOf(io.periodStarts, line.Date);
                if (k < 0) return;
                if (line.Side == Debit)
                    net[static_cast<std::size_t>(k)] += line.Amount;
                else
                    net[static_cast<std::size_t>(k)] -= line.Amount;
            };
            forEachAccountNet(lines, rowSlots.size(), periods, add, visit);
        };

        // The rows, counted before any is made: every account of revenue/
        // expense mode has one; in cash mode an account has one in each list
        // it fed or drew on in some period.
        std::size_t inRows = 0, outRows = 0;
        if (io.cashMode) {
            cash = cashFlowsOf(book, io.cashAccount, io.periodStarts, accountOf, counters);
            eachNet([&](std::size_t, const std::vector<WideSum>& net) {
                bool in = false, out = false;
                for (const WideSum& n : net) {
                    in = in || n.raw > 0;
                    out = out || n.raw < 0;
                }
                inRows += in ? 1 : 0;
                outRows += out ? 1 : 0;
            });
        } else {
            lines = accountLinesOf(book, accountOf);
            for (int slot : rowSlots)
                ++(book.AccountTypes[slot] == Revenue ? inRows : outRows);
        }
        auto count = [&](std::uint64_t n) {
            return groupedDigits(std::to_string(n), io.marks.group);
        };
        const std::string tooLarge =
            tableSizeRefusal("statement",
                             count(inRows + outRows) + " rows of " +
                                 count(static_cast<std::uint64_t>(periods) + 1) + " columns",
                             tableBytes(inRows + outRows, periods), io.marks,
                             "Choose a longer period or fewer accounts.");
        if (!tooLarge.empty()) return refused(io, tooLarge);
        io.inflows.reserve(inRows);
        io.outflows.reserve(outRows);
        io.cells.assign((inRows + outRows) * (static_cast<std::size_t>(periods) + 1), Currency{});

        eachNet([&](std::size_t a, const std::vector<WideSum>& net) {
            const int slot = rowSlots[a];
            if (!io.cashMode) {
                const bool revenue = book.AccountTypes[slot] == Revenue;
                FlowRow& row = openRow(io, revenue ? io.inflows : io.outflows, book, slot);
                WideSum total;
                for (int k = 0; k < periods; ++k) {
                    const WideSum n = net[static_cast<std::size_t>(k)];
                    row.amounts[k] = (revenue ? WideSum{} - n : n).value();
                    total += row.amounts[k];
                }
                row.amounts[periods] = total.value();
                return;
            }
            FlowRow* inRow = nullptr;
            FlowRow* outRow = nullptr;
            WideSum inTotal, outTotal;
            for (int k = 0; k < periods; ++k) {
                const WideSum n = net[static_cast<std::size_t>(k)];
                if (n.isZero()) continue;
                const bool in = n.raw > 0;
                FlowRow*& row = in ? inRow : outRow;
                if (!row) row = &openRow(io, in ? io.inflows : io.outflows, book, slot);
                row->amounts[k] = (in ? n : WideSum{} - n).value();
                (in ? inTotal : outTotal) += row->amounts[k];
            }
            if (inRow) inRow->amounts[periods] = inTotal.value();
            if (outRow) outRow->amounts[periods] = outTotal.value();
        });
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
        return refused(io,
                       "The inflows and outflows cannot be made: a total is too large to hold.");
    }

    for (const auto* figures :
         {&io.cells, &io.inflowTotals, &io.outflowTotals, &io.beginning, &io.ending})
        for (Currency v : *figures) {
            io.highest = std::max(io.highest, v);
            io.lowest = std::min(io.lowest, v);
        }
    io.ok = true;
    return io;
}

std::string InflowsOutflows::text(Currency amount) const {
    return statementAmountText(amount, decimals, marks, true);
}

std::string InflowsOutflows::fileText(Currency amount) const {
    return formatAmount(amount, decimals, marks, false);
}
