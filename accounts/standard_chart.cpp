#include "accounts/standard_chart.h"

const std::array<StandardAccount, StandardChartSize>& standardChart() {
    static const std::array<StandardAccount, StandardChartSize> chart{{
        {100, CurrentAsset, "Cash at Bank"},
        {105, CurrentAsset, "Cash on Hand"},
        {110, CurrentAsset, "Accounts Receivable"},
        {115, CurrentAsset, "Allowance for Doubtful Debts"},
        {120, CurrentAsset, "Inventory"},
        {125, CurrentAsset, "Bills Receivable"},
        {130, CurrentAsset, "Expenses Prepaid"},
        {135, CurrentAsset, "Income Accrued"},
        {150, NonCurrentAsset, "Investments"},
        {160, NonCurrentAsset, "Land"},
        {162, NonCurrentAsset, "Building"},
        {164, NonCurrentAsset, "Accumulated Depreciation of Building"},
        {166, NonCurrentAsset, "Plant and Equipment"},
        {168, NonCurrentAsset, "Accumulated Depreciation of Building and Equipment"},
        {170, NonCurrentAsset, "Motor Vehicles"},
        {172, NonCurrentAsset, "Accumulated Depreciation of Motor Vehicles"},
        {174, NonCurrentAsset, "Office Furniture & Fittings"},
        {176, NonCurrentAsset, "Accumulated Depreciation of Furniture & Fittings"},
        {178, NonCurrentAsset, "Goodwill"},
        {180, NonCurrentAsset, "Patents"},
        {182, NonCurrentAsset, "Trademarks"},
        {200, CurrentLiability, "Bank Overdraft"},
        {210, CurrentLiability, "Accounts Payable"},
        {220, CurrentLiability, "Short Term Loan"},
        {230, CurrentLiability, "Goods Tax Collected"},
        {235, CurrentLiability, "Goods Tax Paid"},
        {240, CurrentLiability, "Expenses Accrued"},
        {250, CurrentLiability, "Income Received in Advance"},
        {260, NonCurrentLiability, "Mortgage"},
        {270, NonCurrentLiability, "Long Term Loan"},
        {300, CapitalEquity, "Capital"},
        {310, CapitalEquity, "Drawings"},
        {400, Revenue, "Sales"},
        {410, Revenue, "Service Revenue"},
        {450, Revenue, "Discound Received"},
        {455, Revenue, "Rent Received"},
        {460, Revenue, "Interest Received"},
        {465, Revenue, "Commission Received"},
        {470, Revenue, "Bad Debts Recovered"},
        {500, CostOfGoodsSold, "Purchases"},
        {505, CostOfGoodsSold, "Purchase Return"},
        {510, CostOfGoodsSold, "Freight Inwards"},
        {520, CostOfGoodsSold, "Customs Duty"},
        {530, CostOfGoodsSold, "Transit Insurance"},
        {600, Expense, "Sales Wages"},
        {605, Expense, "Advertising"},
        {610, Expense, "Freight Outwards"},
        {615, Expense, "Commision Paid"},
        {620, Expense, "Depreciation of Non-Current Assets (Marketing)"},
        {640, Expense, "Supplies"},
        {700, Expense, "Office Wages"},
        {705, Expense, "Electricity"},
        {715, Expense, "General Expenses"},
        {720, Expense, "Insurance"},
        {725, Expense, "Motor Vehicle Expenses"},
        {730, Expense, "Office Expenses"},
        {735, Expense, "Photocopying"},
        {740, Expense, "Postage"},
        {745, Expense, "Rates and Taxes"},
        {750, Expense, "Rent Office"},
        {755, Expense, "Repairs and Maintenance"},
        {760, Expense, "Stationery"},
        {765, Expense, "Telephone"},
        {770, Expense, "Depreciation of Non-Current Assets (Admin)"},
        {775, Expense, "Loss on Disposal of Non-Current Assets"},
        {800, Expense, "Discount Allowed"},
        {810, Expense, "Interest Expense"},
        {820, Expense, "Bad Debts"},
        {830, Expense, "Doubtful Debts"},
        {840, Expense, "Bank Charges"},
        {1, Other, "Balance b/f"},
    }};
    return chart;
}

void installStandardChart(Book& book) {
    const auto slots = static_cast<std::size_t>(StandardChartSize);
    book.AccountNames.assign(slots, std::string());
    book.AccountNumbers.assign(slots, Currency());
    book.AccountTypes.assign(slots, 0);
    book.AccountNote.assign(slots, std::string());
    book.AccountNote2.assign(slots, std::string());
    book.AccountExtra.assign(slots, std::string());
    for (std::size_t i = 0; i < slots; ++i) {
        const StandardAccount& a = standardChart()[i];
        book.AccountNames[i] = a.name;
        book.AccountNumbers[i] = Currency::fromUnits(a.number);
        book.AccountTypes[i] = a.type;
    }
    book.LastAccount = StandardChartSize - 1;
}
