#include "mainwindow/menu_model.h"

#include "resources/string_table.h"

#include <stdexcept>

namespace {

using C = Command;
using N = Need;

const std::vector<CommandInfo> commands = {
    {C::LoadFile, "LoadFile", 111, "", "Ctrl+O", N::FileCommands, false, false},
    {C::SaveFile, "SaveFile(0)", 112, "", "Ctrl+S", N::FileCommands, false, false},
    {C::SaveFileAs, "SaveFile(1)", 113, "", "", N::FileCommands, false, false},
    {C::Invoice, "Invoice", 114, "", "", N::InvoiceCommands, false, false},
    {C::InsertEntries, "InsertEntries", 115, "", "", N::FileCommands, false, false},
    {C::Exitit, "Exitit", 116, "", "Ctrl+Q", N::Nothing, false, false},
    {C::NewEntryMenu, "NewEntryMenu", 118, "", "Ctrl+N", N::EntryCommands, false, false},
    {C::CopyTheEntry, "CopyTheEntry", 119, "", "Ctrl+W", N::EntryCommands, false, false},
    {C::PageTheEntry, "PageTheEntry", 120, "", "Ctrl+E", N::EntryCommands, false, false},
    {C::DeleteEntry, "ArUshore", 122, "", "Ctrl+D", N::EntryCommands, false, false},
    {C::SearchNumbers, "SearchMenu(0)", 123, "", "Ctrl+F", N::SearchWindow, false, false},
    {C::SearchNotes, "SearchMenu(1)", 124, "", "Ctrl+G", N::SearchWindow, false, false},
    {C::ShowJournals, "ShowJournals", 129, "", "F1", N::GeneralJournal, true, false},
    {C::ShowTaccount, "ShowTaccount", 130, "", "F2", N::TAccountLedger, true, false},
    {C::RbMenuItem, "Rb_MenuItem", 131, "", "F3", N::RunningBalance, true, false},
    {C::ReconcileJournal, "RA1(0)", 129, "", "Ctrl+J", N::GeneralJournal, true, false},
    {C::ReconcileTaccount, "RA1(2)", 130, "", "Ctrl+T", N::TAccountLedger, true, false},
    {C::ReconcileRunningBalance, "RA1(3)", 131, "", "Ctrl+R", N::RunningBalance, true, false},
    {C::TrialBalance, "TrialBalance", 133, "", "F4", N::TrialBalanceWindow, true, false},
    {C::IncomeStatement, "IncomeStatement", 134, "", "F5", N::IncomeStatementWindow, true, false},
    {C::CashFlowMenu, "CashFlowMenu", 135, "", "F6", N::CashFlowWindow, true, false},
    {C::ShowBalance, "Show_Balance", 136, "", "F7", N::BalanceSheetWindow, true, false},
    {C::EditAccounts, "EditAccounts", 139, "", "", N::ChartOfAccounts, false, true},
    {C::SoftwareSettings, "SoftwareSettings", 141, "", "", N::SettingsWindow, false, true},
    {C::RollingCalculator, "Rolling_Calculator_Menu", 126, "", "", N::TapeCalculator, false, false},
    {C::PayCalc, "PayCalc", 295, "", "", N::PayrollCalculator, false, false},
    {C::Depreciation, "Depreciation_Menu", 127, "", "", N::DepreciationCalculator, false, false},
    {C::ReplaceAccounts, "ReplaceAccountsMenu", 125, "", "", N::MoveAccountsWindow, false, true},
    {C::BalancePoint, "SearchMenu2(0)", 308, "", "", N::FileCommands, false, false},
    {C::UnbalancedEntries, "SearchMenu2(1)", 304, "", "", N::GeneralJournal, false, false},
    {C::RollOver, "BalBForword", 122, "", "", N::FileCommands, false, false},
    {C::BroughtForward, "Brought_Forward", 122, "", "", N::FileCommands, false, false},
    {C::HelpSelect, "HelpSelect", 143, "", "", N::Nothing, false, false},
    {C::AboutMenu, "AboutMenu", 144, "", "", N::Nothing, false, false},
    {C::EmailInvoice, "EmailInvoice", 0, "Send Invoice...", "", N::InvoiceCommands, false, false},
    {C::IncludeGroups, "GroupBu", 331, "", "", N::EntryGroupsWindow, false, false},
};

MenuEntry item(Command c) {
    return {MenuEntry::Item, c, "", 0, {}};
}
MenuEntry separator() {
    return {MenuEntry::Separator, C::Exitit, "", 0, {}};
}
MenuEntry submenu(const char* control, int text, std::vector<MenuEntry> children) {
    return {MenuEntry::Submenu, C::Exitit, control, text, std::move(children)};
}

} // namespace

const std::vector<CommandInfo>& allCommands() {
    return commands;
}

const CommandInfo& commandInfo(Command c) {
    for (const CommandInfo& info : commands)
        if (info.command == c) return info;
    throw std::logic_error("unknown command");
}

std::string commandCaption(Command c) {
    const CommandInfo& info = commandInfo(c);
    return info.text ? strings::text(info.text) : std::string(info.fixedText);
}

bool commandAvailable(Command c, const std::set<Need>& present) {
    Need need = commandInfo(c).need;
    return need == Need::Nothing || present.count(need) > 0;
}

const std::vector<MenuSpec>& menuTree() {
    static const std::vector<MenuSpec> tree = {
        {"Filemenu",
         110,
         "",
         {item(C::LoadFile), separator(), item(C::SaveFile), item(C::SaveFileAs), separator(),
          item(C::Invoice), separator(), item(C::InsertEntries), separator(), item(C::Exitit)}},
        {"EditAccountsItems",
         117,
         "",
         {item(C::NewEntryMenu), item(C::CopyTheEntry), item(C::PageTheEntry), separator(),
          submenu("Delete_Entree", 121, {item(C::DeleteEntry)}), separator(),
          item(C::SearchNumbers), item(C::SearchNotes)}},
        {"AReport",
         128,
         "",
         {item(C::ShowJournals), separator(), item(C::ShowTaccount), item(C::RbMenuItem),
          separator(),
          submenu("Renc", 132,
                  {item(C::ReconcileJournal), separator(), item(C::ReconcileTaccount),
                   item(C::ReconcileRunningBalance)}),
          separator(), item(C::TrialBalance), separator(), item(C::IncomeStatement),
          item(C::CashFlowMenu), separator(), item(C::ShowBalance)}},
        {"EditA", 137, "", {item(C::EditAccounts), item(C::SoftwareSettings)}},
        {"Account_Tools",
         0,
         "Tools",
         {item(C::RollingCalculator), item(C::PayCalc), item(C::Depreciation), separator(),
          item(C::ReplaceAccounts), separator(), item(C::BalancePoint), item(C::UnbalancedEntries),
          separator(), submenu("COAccs", 140, {item(C::RollOver)}),
          submenu("BForward", 272, {item(C::BroughtForward)})}},
        {"HelpContents",
         142,
         "",
         {item(C::HelpSelect), separator(), separator(), item(C::AboutMenu)}},
    };
    return tree;
}

std::string menuCaption(const MenuSpec& m) {
    return m.text ? strings::text(m.text) : std::string(m.fixedText);
}

const std::vector<ToolbarButton>& toolbarButtons() {
    static const std::vector<ToolbarButton> buttons = {
        {0, 111, "", C::LoadFile},           {1, 112, "", C::SaveFile},
        {2, 119, "", C::CopyTheEntry},       {3, 120, "", C::PageTheEntry},
        {4, 130, "", C::ShowTaccount},       {5, 131, "", C::RbMenuItem},
        {6, 133, "", C::TrialBalance},       {7, 134, "", C::IncomeStatement},
        {8, 136, "", C::ShowBalance},        {9, 139, "", C::EditAccounts},
        {10, 126, "", C::RollingCalculator}, {11, 0, "Send Invoice...", C::EmailInvoice},
    };
    return buttons;
}

std::string toolbarTip(const ToolbarButton& b) {
    return b.tipText ? strings::text(b.tipText) : std::string(b.fixedTip);
}
