#include "statements/net_profit.h"

#include "book/folded_rows.h"

NetProfitResult netProfitFromSums(const Book& book, const KeyedSums& sums,
                                  const std::vector<int>& keyOf) {
    NetProfitResult result;
    try {
        WideSum net;
        for (const int key : keyOf) {
            if (key < 0) continue;
            if (closesIntoProfit(rowAccount(book, sums, key).type)) net -= sums.debitBalance(key);
        }
        result.netProfit = net.value();
    } catch (const CurrencyOverflow&) {
        result.message = "The net profit cannot be made: it is too large to hold.";
        return result;
    }
    result.ok = true;
    return result;
}

NetProfitResult netProfitOfAllDates(const Book& book) {
    KeyedSums sums;
    const std::vector<int> keyOf = addTableKeys(book, false, sums);
    DayRange all;
    all.allDates = true;
    sumJournal(book, all, false, sums, nullptr);
    return netProfitFromSums(book, sums, keyOf);
}
