#include "mainwindow/menu_model.h"

namespace {
using C = Command;
} // namespace

const char* const AboutTitle = "Ledgerwick";

HelpText reconcileMarkHelp() {
    return {"Reconcile",
            "This is used in conjunction with Display-Reconciliation menu items. Each entry can be "
            "check off by using this green check box. The entries that are not checked will show "
            "up in the Reconciliation account displays, making it easy to track down what has "
            "been PAID (Checked) or NOT (Un-Checked). A common example would be reconciliation of "
            "the bank account by using the bank statement."};
}

HelpText commandHelp(Command c) {
    switch (c) {
    case C::ShowJournals:
        return {"Journal Entries",
                "Will display Journal entries for ALL or selected accounts between two selected "
                "dates (Journal Entry 1 will be the default start date and last journal entry will "
                "be the end default date)."
                "\r\n\r\n"
                "A displayed journal entry can be edited at any time by clicking on any of the "
                "listed journal entries..."
                "\r\n\r\n"
                "Matching searched results will be displayed here as well..."};
    case C::ShowTaccount:
        return {"T-Account Ledgers",
                "Will display all entries in selected account between two dates as a T-Account "
                "ledger. This helps in finding incorrect journal entries..."};
    case C::RbMenuItem:
        return {"Running Balance Ledgers",
                "Will display all entries is a selected account between two dates as a running "
                "balance ledger (Like a bank statement), same as T-Account but in a different "
                "format, also helps in finding incorrect journal entries..."};
    case C::TrialBalance:
        return {"Trial Balance",
                "A Trial Balance is a list of ledger account balances, prepared periodically so as "
                "to prove the arithmetical accuracy of the bookkeeper‘s work. The preparation of a "
                "Trial Balance is an essential pre-requisite to the preparation of the end-of "
                "period financial statements..."
                "\r\n\r\n"
                "Trial Balance begins at the lowest entry date and end at the highest selected "
                "entry, default today's date."
                "\r\n\r\n"
                "Click left mouse button on an account to see Running Balance Ledger of selected "
                "account."
                "\r\n\r\n"
                "Click right mouse button on account to see T-Account Ledger of selected account."};
    case C::IncomeStatement:
        return {
            "Income Statement",
            "Is a financial report given to the owner of the business (and other users) showing "
            "the revenue for an accounting period matched with the expenses of earning that "
            "income..."
            "\r\n\r\n"
            "Income Statement are produce by using data of dated journal entries between two "
            "dates. It is possible for a user to close off each account manually by journal "
            "entries to create a end and a start of a yearly period using the same set of accounts."
            "\r\n\r\n"
            "Default start date is the lowest date in the set of journal entries and the end date "
            "is the highest date in the set of journal entries"
            "\r\n\r\n"
            "Left click mouse button on an ACCOUNT to see Running Balance Ledger of that account."
            "\r\n\r\n"
            "Right click mouse button on ACCOUNT to see the T-Account Ledger of that account."};
    case C::CashFlowMenu:
        return {"Comparative Sheets",
                "The comparative account income sheet serves as a financial comparison from month "
                "to month, displaying monthly trends. The future financial security could very "
                "well depend on how well you grow and maximize your net worth. "};
    case C::ShowBalance:
        return {
            "Balance Sheet",
            "Is a statement of the assets and liabilities of a business at a point of time, "
            "especially at the end of an accounting period. It represents the balances of the "
            "accounts remaining open after the Profit & Loss account has been prepared. It also "
            "represents the balances of accounts carried forward to the next accounting period. "
            "Showing the relationship between Assets, Liabilities and Owner’s Equity..."
            "\r\n\r\n"
            "Balance Sheet begins at the lowest entry date and ends at the default today's date."
            "\r\n\r\n"
            "Left click mouse button on a balance sheet ACCOUNT to see Running Balance Ledger."
            "\r\n\r\n"
            "Right click mouse button on a balance sheet ACCOUNT to see T-Account Ledger."};
    case C::EditAccounts:
        return {"Configuration", "Create new accounts by setting the accounts names, numbers "
                                 "(Folio) and type of account (references)."};
    case C::SoftwareSettings:
        return {commandCaption(c),
                "Add Business name and address details to output pages. Change Date, Currency and "
                "font styles, Password setting can also be changed to the user(s) preferences..."};
    case C::RollingCalculator:
        return {"Rolling Caculator",
                "Is better than a normal calculator, a user can enter in each value in there "
                "separate text box for calculation. This helps in verifying each value so going "
                "back and correcting a value is made very easy. The '+' can be turned in a times, "
                "minus or divide by clicking on it..."};
    case C::PayCalc:
        return {commandCaption(c), "An easy way of calculating payroll."};
    case C::Depreciation:
        return {"Depreciation Calculator",
                "Will calculate the reducing balance depreciation over a number of years of an "
                "asset. This is done by entering the cost of the asset by the rate of reduction by "
                "the number of year. After this is done it will calculate the depreciation and "
                "reducing balance for each of the years..."};
    case C::ReplaceAccounts:
        return {commandCaption(c), "Moves all entires of one account to another."};
    case C::IncludeGroups:
        return {"Groups of Entries...",
                "Create up to ten pre-entered groups of journal entries. Each group can be "
                "selected and added to the journal accounts in one click like a payroll... See "
                "payroll account file example."};
    case C::ReconcileJournal:
    case C::ReconcileTaccount:
    case C::ReconcileRunningBalance:
        return reconcileMarkHelp();
    case C::SearchNumbers:
        return {commandCaption(c), "Searches each of the entrie numbers for a match."};
    case C::SearchNotes:
        return {commandCaption(c), "Searches each of the entries notes for a match."};
    case C::BalancePoint:
        return {commandCaption(c),
                "Goes to the entry where the accounts start to go out of balance.."};
    case C::UnbalancedEntries:
        return {commandCaption(c), "Finds each of the entries that do not balance."};
    case C::NewEntryMenu:
        return {"New Entry", "Creates a new journal entry..."};
    case C::DeleteEntry:
        return {
            "Delete Entry",
            "Will removes the currently selected entry. The Ctrl-D key will do this as well..."};
    default:
        return {};
    }
}

std::string aboutText() {
    return "Every business transaction is recorded twice: once as a debit to one account and once "
           "as a credit to another, of equal total. Keeping every entry balanced this way proves "
           "the arithmetic of the books at any moment and leaves a complete trail of where each "
           "amount came from and where it went.\r\n\r\n"
           "From the journal of balanced entries the ledgers, the trial balance, the income "
           "statement and the balance sheet follow directly, so the owner can see at any time "
           "what the business earns, what it owns and what it owes.\r\n\r\n"
           "Depending on memory and harddisk space this Accounting system can handle up to 32,000 "
           "Accounts and 20,000,000 entries...\r\n\r\n"
           "INVOICES AND INVENTORY\r\n\r\n"
           "Invoicing and the counting of stock are best done in programs made for them: a "
           "point-of-sale or invoicing program keeps every sale, every customer and every item "
           "on the shelf.\r\n\r\n"
           "Their results reach this book as summary entries, weekly or monthly totals of sales, "
           "purchases, tax and payments, which keeps the journal short and the statements "
           "clear.\r\n\r\n"
           "Example could be monthly totals :\r\n\r\n"
           "Cost of Goods Sold\r\n"
           "        Inventory\r\n"
           "(Goods sold this month at cost)\r\n\r\n"
           "Cash\r\n"
           "        Sales\r\n"
           "        Sales Tax Payable\r\n"
           "(Cash sales this month with sales tax)\r\n\r\n"
           "Accounts Receivable\r\n"
           "        Sales\r\n"
           "        Sales Tax Payable\r\n"
           "(Credit sales this month with sales tax)\r\n\r\n"
           "Accounts Payable\r\n"
           "        Cash\r\n"
           "(Accounts paid this month)";
}
