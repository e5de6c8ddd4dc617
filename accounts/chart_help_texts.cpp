#include "accounts/chart_help_texts.h"

namespace {

constexpr const char* Para = "\r\n\r\n";
constexpr const char* Line = "\r\n";

std::string subAccountExample() {
    return std::string("Subsidiary Account can be created by using decimal points..") + Para +
           "110    Accounts Receivable" + Line + "110.1    Accounts Receivable - Margaret" + Line +
           "110.2    Accounts Receivable - Thomas" + Line + "110.3    Accounts Receivable - Helen" +
           Para + "All transactions in the Subsidiary Account will appear in the control account.";
}

} // namespace

ChartHelp chartHelp() {
    const char* paragraphs[] = {
        "Satisfactory operation of a ledger system requires proper planning and an understanding "
        "of the posting processes. As part of the planning process the preparation of a chart of "
        "accounts is essential.",
        "A chart of accounts is a list of the titles of the ledger accounts set out in an "
        "organised manner. At its simplest it is alphabetic, but most commonly the accounts are "
        "listed in functional order and numbered so that each can be found quickly.",
        "The most common arrangement of chart of accounts is in the order of Balance Sheet "
        "accounts followed by Income Statement items.",
        "Setting up an accounting system needs a knowledge of accounting. A beginner should use "
        "'Generate Accounts Setup...' to create a simple system ready to be used.",
        "Setting Up Accounts",
        "1st give the account a name.",
        "2nd give the account a folio number.",
        "3rd set the 'Account Type' for the account :",
        "Revenue - All cash inflows, Income Statement.",
        "Expenses - All cash outflows, Income Statement.",
        "COGS - Cost of Good Sold, Income Statement.",
        "Current Asset - A balance sheet account for assets that can reasonably be expected to "
        "be converted into cash within one year: cash, accounts receivable, inventory, "
        "marketable securities, prepaid expenses and other liquid assets.",
        "Non Current Asset - Asset that is not to be converted to cash within 12 months of the "
        "balance sheet date.",
        "Current Liability - A bill or debt coming due within a year, such as accrued salaries "
        "and accounts payable.",
        "Non Current Liability - Debt not due to be paid within the next year. opposite of "
        "current liabilities.",
        "Equity - The difference between the assets and the liabilities: the portion of the "
        "assets owned by the owners.",
        "Other - maybe use for trading account or inserting starting balances, any balances will "
        "only show in trial balance.",
        "Notes and other account details can be attach to the account by using the large text "
        "box...",
    };
    std::string text;
    for (const char* p : paragraphs)
        text += (text.empty() ? "" : Para) + std::string(p);
    return {"Chart of Accounts", text};
}

ChartHelp noteHelp() {
    return {"Account Details", "Add comments to each of the selected accounts."};
}

ChartHelp nameHelp() {
    std::string text = std::string("The most common arrangement of the chart of accounts is in "
                                   "the order of balance sheet accounts followed by income "
                                   "statements items.") +
                       Para;
    const char* items[] = {
        "Current Assets", "Non-Current Assets", "Current Liabilities", "Non-Current Liabilities",
        "Capital",        "Revenues",           "Cost of Sales",       "Expenses"};
    for (const char* item : items)
        text += std::string(item) + (item == items[7] ? "" : Line);
    return {"Account Settings", text};
}

ChartHelp folioHelp() {
    return {"Account-ID Settings",
            std::string("Each control account has a reference (folio) number from 1 to "
                        "999999999. Account 1 is the opening balance, the balance brought "
                        "forward from the last period. The numbers may be chosen by the user or "
                        "taken from the standards of the business.") +
                Para + subAccountExample()};
}

ChartHelp dashHelp() {
    return {"Sub Account Seperator",
            std::string("When checked the sub accounts will use a dash '100-11111' instead of "
                        "older sub account separator the full stop '100.11111' (Example, Account "
                        "100 Sub Account 111111)") +
                Para + subAccountExample()};
}

ChartHelp classHelp(int type) {
    switch (type) {
    case 0:
        return {"Current Assets",
                "Assets which are cash or convertible into cash within twelve months, or which "
                "will provide a benefit to the business within twelve months..."};
    case 1:
        return {"Current Liabilities", "Debts which have to be paid within twelve months..."};
    case 2:
        return {"Non-Current Assets",
                "Assets which will provide benefit to the business beyond twelve months..."};
    case 3:
        return {"Non-Current Liabilities",
                "Debt which are not due to be paid until after twelve months..."};
    case 4:
        return {"Cost of Goods Sold",
                std::string("This is the cost of buying and getting trading goods into store and "
                            "ready for sale. When goods are sold, the cost is transferred from "
                            "the Inventory account to the Cost of Goods Sold...") +
                    Para +
                    "Example: a bookshop buys a textbook for $80 and pays $5 to have it shipped. "
                    "It carries the book at $85 in its Inventory account; when the book is sold, "
                    "the $85 moves to the cost of goods sold on the income statement."};
    case 5:
        return {"Operating Revenue", "Revenues recieved from regular business activities..."};
    case 6:
        return {"Operating Expenses", "Incurred in earning the operating revenue..."};
    case 7:
        return {"Owner's Equity",
                "The value owed by the business to the owner of the business, The opening value "
                "of the owner's equity (Capital) plus net profit for the year less any "
                "withdrawals by the owner(Drawings)..."};
    case 8:
        return {"Other",
                "Could be the any personal accounts which have nothing to do with the business "
                "or have nothing to do with currency, like number of items or weight. (Sold 2 "
                "Kilos,8 Kilos left)...."};
    default:
        return {};
    }
}
