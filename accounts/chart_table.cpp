#include "accounts/chart_table.h"

#include "book/account_number_rule.h"
#include "book/account_number_text.h"
#include "book/number_format.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

// Slot `to` takes everything slot `from` holds, in all six arrays.
void copySlot(Book& b, int from, int to) {
    const auto f = static_cast<std::size_t>(from), t = static_cast<std::size_t>(to);
    b.AccountNames[t] = std::move(b.AccountNames[f]);
    b.AccountNumbers[t] = b.AccountNumbers[f];
    b.AccountTypes[t] = b.AccountTypes[f];
    b.AccountNote[t] = std::move(b.AccountNote[f]);
    b.AccountNote2[t] = std::move(b.AccountNote2[f]);
    b.AccountExtra[t] = std::move(b.AccountExtra[f]);
}

// The first two slots of 0..last holding each key, in slot order.
struct FirstTwo {
    int first = -1;
    int second = -1;
};

// The first pair (i, j) in the order of two nested loops over 0..last, i
// outer and j inner, with equal keys, j != i and slot i an account (named,
// number not 0). The inner loop's first j for a given i is the first slot
// holding the key unless that is i itself, then the second one.
template <class Key, class KeyOf>
std::optional<std::pair<int, int>> firstEqualPair(const Book& b, int last, KeyOf keyOf) {
    std::unordered_map<Key, FirstTwo> seen;
    seen.reserve(static_cast<std::size_t>(last) + 1);
    for (int s = 0; s <= last; ++s) {
        FirstTwo& f = seen[keyOf(s)];
        if (f.first < 0)
            f.first = s;
        else if (f.second < 0)
            f.second = s;
    }
    for (int i = 0; i <= last; ++i) {
        const auto si = static_cast<std::size_t>(i);
        if (b.AccountNames[si].empty() || !isAccountNumber(b.AccountNumbers[si])) continue;
        const FirstTwo& f = seen.find(keyOf(i))->second;
        if (f.second < 0) continue;
        return std::make_pair(i, f.first != i ? f.first : f.second);
    }
    return std::nullopt;
}

ChartFault duplicateFault(const Book& b, const std::string& heading, std::pair<int, int> pair,
                          const std::string& decimalMark) {
    auto line = [&](int s) {
        const auto i = static_cast<std::size_t>(s);
        return "Account " + folioText(b, b.AccountNumbers[i], decimalMark) + "    " +
               b.AccountNames[i] + "\r\n";
    };
    ChartFault f;
    f.message = heading + "\r\n\r\n" + line(pair.first) + line(pair.second);
    f.title = "Please Fix Now...";
    f.critical = true;
    f.slot = pair.second;
    return f;
}

} // namespace

InsertOutcome insertAccountAfter(Book& book, int selectedSlot) {
    InsertOutcome out;
    if (book.LastAccount > MaxAccountIndex) return out;
    if (book.accountSlots() == 0) book.resizeAccounts(MinAccountSlots - 1);
    const int last = static_cast<int>(book.accountSlots()); // one past the arrays' end
    const int selected = std::clamp(selectedSlot, 0, last - 1);
    book.resizeAccounts(last);
    // Slots after the selected one move down; the slot after it becomes the new account.
    for (int i = last - 1; i > selected; --i)
        copySlot(book, i, i + 1);
    const auto n = static_cast<std::size_t>(selected + 1);
    book.AccountTypes[n] = book.AccountTypes[n - 1];
    book.AccountNames[n].clear();
    book.AccountNote[n].clear();
    book.AccountNote2[n].clear();
    book.AccountExtra[n].clear();
    // A number at the very top of the range keeps its value rather than wrap.
    book.AccountNumbers[n] = checkedAdd(book.AccountNumbers[n - 1], Currency::fromUnits(2))
                                 .value_or(book.AccountNumbers[n - 1]);
    out.inserted = true;
    out.newSlot = selected + 1;
    out.afterLast = last == selected + 1;
    return out;
}

bool deleteAccountAt(Book& book, int selectedSlot) {
    // Slots 0..LastAccount as far as the arrays reach: nothing past them is read.
    const int inUse = book.slotsInUse();
    if (selectedSlot < 0 || selectedSlot >= inUse) return false;
    const int last = std::max(inUse - 2, 0);
    for (int i = selectedSlot; i <= last; ++i)
        copySlot(book, i + 1, i);
    const auto old = static_cast<std::size_t>(last + 1);
    if (old < book.accountSlots()) {
        book.AccountNames[old].clear();
        book.AccountNumbers[old] = Currency();
    }
    // Below 14 slots the arrays keep their size: the emptied slot stays an empty row.
    book.resizeAccounts(last);
    return true;
}

std::optional<ChartFault> findChartFault(const Book& book, const std::string& decimalMark) {
    const int slots = static_cast<int>(book.accountSlots());
    const int n = std::min<int>(book.LastAccount, slots - 1);
    const int checked = std::min(std::max(n, MinAccountSlots - 1), slots - 1);
    for (int i = 0; i <= checked; ++i) {
        const auto s = static_cast<std::size_t>(i);
        const bool named = !book.AccountNames[s].empty();
        const Currency number = book.AccountNumbers[s];
        if (named && !isAccountNumber(number))
            return ChartFault{"An account has no Folio number", "", false, i};
        if (!named && isAccountNumber(number))
            return ChartFault{"An account has no name", "", false, i};
    }
    if (auto pair = firstEqualPair<std::int64_t>(
            book, n, [&](int s) { return book.AccountNumbers[static_cast<std::size_t>(s)].raw; }))
        return duplicateFault(book, "Two or More Accounts have the same Folio number", *pair,
                              decimalMark);
    if (auto pair = firstEqualPair<std::string_view>(book, n, [&](int s) {
            return std::string_view(book.AccountNames[static_cast<std::size_t>(s)]);
        }))
        return duplicateFault(book, "Two or More Accounts have the same name", *pair, decimalMark);
    return std::nullopt;
}

std::vector<std::string> accountBoxList(const Book& book, int lastSlot) {
    std::vector<std::string> names;
    const int last = std::min(lastSlot, static_cast<int>(book.accountSlots()) - 1);
    for (int i = 0; i <= last; ++i) {
        const std::string& name = book.AccountNames[static_cast<std::size_t>(i)];
        if (name.find_first_not_of(' ') != std::string::npos) names.push_back(name);
    }
    return names;
}

std::optional<ChartFault> closeChart(Book& book, const std::string& decimalMark) {
    const int n = book.LastAccount;
    std::optional<ChartFault> fault = findChartFault(book, decimalMark);
    if (book.LastAccount < MinAccountSlots - 1) book.resizeAccounts(MinAccountSlots - 1);
    if (fault) return fault;
    // Made whole before it replaces the old list.
    std::vector<VariantText> list;
    for (std::string& name : accountBoxList(book, n))
        list.emplace_back(std::move(name));
    book.EntryAccountList = std::move(list);
    return std::nullopt;
}
