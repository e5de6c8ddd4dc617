#include "mainwindow/file_command_help.h"

#include "resources/string_table.h"

namespace {

const char* const Paragraph = "\r\n\r\n";

std::string saveTypesText() {
    return std::string(Paragraph) +
           "Save As .TXT which is the same as .ACC but the data is stored as text and not binary "
           "format." +
           Paragraph +
           "Save As .XLS, Excel 2.1 Format. Hopefully you can still import the file into all "
           "version of Excel 2.1 and above." +
           Paragraph + "Save As .CSV, Saves Entries in a Comma-Separated-Variables file.";
}

} // namespace

HelpText fileCommandHelp(Command c) {
    switch (c) {
    case Command::LoadFile:
        return {"Opening a file",
                "Loads all entries and chart of accounts into memory. The waiting time will depend "
                "on the file size.\r\n\r\n"
                "'.txt' Load a text account file that has been save using Ledgerwick .txt format "
                "standard. Allowing a user to generated, create and use their Ledgerwick "
                "Account.txt file text data.\r\n\r\n"
                "'.csv' Load's a Ledgerwick Account.csv file format. This will save time typing "
                "each entry in by hand, if online software has already created export text "
                "data... Remember each of the exported accounts and entries will have to be "
                "modified to suit Ledgerwick CSV text file format."};
    case Command::SaveFile:
        return {"Save Project",
                std::string("Save's the Ledgerwick file onto a storage device over the previous "
                            "file, wait time will depending on the number of entries...") +
                    Paragraph +
                    "Other software can only enter and process small amount of entries due to "
                    "their high memory usage of their software. Ledgerwick uses less memory and "
                    "can produce large data file because of the large amount of entries it can "
                    "hold in memory." +
                    Paragraph +
                    "(Rule number one of basic computer: BACKUP OF FILES should always be made "
                    "every so often.)" +
                    Paragraph +
                    "Tip - Windows XP does use around 512Mb's less memory than Vista or 7,8 so you "
                    "can process entries much faster and allot more." +
                    saveTypesText()};
    case Command::SaveFileAs:
        return {"Save Project As",
                "Save's all entries and chart of account onto a storage device to a selected file "
                "name, wait time will depend on the number of accounts and entries..." +
                    saveTypesText()};
    case Command::InsertEntries:
        return {commandCaption(c),
                "Appends extra entries to the current accounts by importing them from a CSV or "
                "ACC file. Accounts which don't exist in the current chart of accounts will be "
                "added."};
    case Command::BroughtForward:
        return {strings::text(272),
                std::string("Sends forwards all account balances to help start a new account "
                            "file. Example, if the computer is running out of memory or maybe the "
                            "account file is too large to handle, increasing loading, saving and "
                            "processing times\u2026") +
                    Paragraph};
    case Command::RollOver:
        return {"Carried Over",
                std::string("A basic way of rolling over accounts to the next financial period "
                            "to a new start file.") +
                    Paragraph +
                    "The start of a financial period used will be the date of the lowest dated "
                    "journal entry the end will be the highest dated journal entry.." +
                    Paragraph + "Remember: Save all work because accounts will be consolidated." +
                    Paragraph +
                    "Adjustments may have to be made afterwards depending on how the accounts are "
                    "set out." +
                    Paragraph +
                    "Profit or Loss will automaticly be distributed among all capital accounts by "
                    "their capital ratio."};
    case Command::Invoice:
        return {commandCaption(c), "Prints a statement / invoice of the current journal entry."};
    default:
        return {};
    }
}

HelpText gotoBoxHelp() {
    return {"Go to Reference Number", "Goes directly to any created Reference Number."};
}
