#include "mainwindow/menu_model.h"

#include "mainwindow/window_list.h"
#include "toolkit/access_keys.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {
void collect(const std::vector<MenuEntry>& entries, std::vector<Command>& out) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Item) out.push_back(e.command);
        if (e.kind == MenuEntry::Submenu) collect(e.children, out);
    }
}
} // namespace

TEST(MenuModel, TreeHoldsEveryMenuCommandOnceWithItsTextAndShortcut) {
    std::vector<Command> inMenus;
    std::vector<std::string> captions;
    for (const MenuSpec& m : menuTree()) {
        collect(m.entries, inMenus);
        captions.push_back(menuCaption(m));
    }
    EXPECT_EQ(captions,
              (std::vector<std::string>{"File", "Edit", "Display", "Settings", "Tools", "Help"}));
    // A title's access key is its first letter no title before it took; a "&" of its own shows.
    std::string taken;
    std::vector<std::string> marked;
    for (const char* title : {"File", "Find", "F&F 1", "Fff", "1"}) {
        marked.push_back(titleWithAccessKey(title, taken));
        if (const char key = accessKeyOf(marked.back())) taken += key;
    }
    EXPECT_EQ(marked, (std::vector<std::string>{"&File", "F&ind", "F&&F 1", "Fff", "1"}));
    EXPECT_EQ(taken, "fi");
    std::map<Command, int> seen;
    for (Command c : inMenus)
        ++seen[c];
    for (const CommandInfo& info : allCommands()) {
        bool menuCommand =
            info.command != Command::EmailInvoice && info.command != Command::IncludeGroups;
        EXPECT_EQ(seen[info.command], menuCommand ? 1 : 0) << info.control;
    }
    // Shortcuts are unique.
    std::map<std::string, int> shortcuts;
    for (const CommandInfo& info : allCommands())
        if (*info.shortcut) ++shortcuts[info.shortcut];
    for (const auto& [keys, n] : shortcuts)
        EXPECT_EQ(n, 1) << keys;
    EXPECT_EQ(shortcuts.size(), 19u);
    EXPECT_STREQ(commandInfo(Command::DeleteEntry).shortcut, "Ctrl+D");
    EXPECT_STREQ(commandInfo(Command::ShowBalance).shortcut, "F7");
    EXPECT_EQ(commandCaption(Command::ReconcileRunningBalance), "Running Balance Ledger...");
    EXPECT_EQ(commandCaption(Command::RollOver), "Are you sure ?");
    EXPECT_EQ(commandCaption(Command::HelpSelect), "&Contents...");
}

TEST(MenuModel, ToolbarButtonsRepeatTheirMenuCommands) {
    const auto& buttons = toolbarButtons();
    ASSERT_EQ(buttons.size(), 12u);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(buttons[i].index, i);
    EXPECT_EQ(toolbarTip(buttons[0]), "Open Project...");
    EXPECT_EQ(toolbarTip(buttons[4]), "T-Accounts Ledger...");
    EXPECT_EQ(buttons[8].command, Command::ShowBalance);
    EXPECT_EQ(toolbarTip(buttons[10]), "Running Calculator...");
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(toolbarTip(buttons[i]), commandCaption(buttons[i].command));
}

TEST(MenuModel, CommandsWithoutTheirWindowAreUnavailable) {
    std::set<Need> none;
    int available = 0;
    for (const CommandInfo& info : allCommands())
        available += commandAvailable(info.command, none);
    EXPECT_EQ(available, 3); // Exit, Help > Contents, About
    EXPECT_FALSE(commandAvailable(Command::UnbalancedEntries, none));
    EXPECT_TRUE(commandAvailable(Command::UnbalancedEntries, {Need::GeneralJournal}));
    EXPECT_TRUE(commandAvailable(Command::ReconcileJournal, {Need::GeneralJournal}));
    EXPECT_FALSE(commandAvailable(Command::ReconcileTaccount, {Need::GeneralJournal}));
    // The report commands show the busy state; the gated ones ask the password.
    EXPECT_TRUE(commandInfo(Command::CashFlowMenu).reportBuilder);
    EXPECT_FALSE(commandInfo(Command::PayCalc).reportBuilder);
    EXPECT_TRUE(commandInfo(Command::ReplaceAccounts).passwordGated);
}

TEST(MenuModel, HelpTextsOfTheCommands) {
    EXPECT_EQ(commandHelp(Command::EditAccounts).title, "Configuration");
    EXPECT_EQ(commandHelp(Command::PayCalc).title, "Payroll Calculator...");
    EXPECT_EQ(commandHelp(Command::PayCalc).text, "An easy way of calculating payroll.");
    EXPECT_EQ(commandHelp(Command::ReconcileTaccount).title, "Reconcile");
    std::string tb = commandHelp(Command::TrialBalance).text;
    EXPECT_NE(tb.find("work. The preparation"), std::string::npos);
    EXPECT_NE(tb.find("...\r\n\r\nTrial Balance begins"), std::string::npos);
    EXPECT_TRUE(commandHelp(Command::Exitit).title.empty());
    EXPECT_NE(aboutText().find("INVOICES AND INVENTORY"), std::string::npos);
    EXPECT_NE(aboutText().find("32,000 Accounts and 20,000,000 entries..."), std::string::npos);
}

TEST(WindowList, GrowsWithACountAndPassesOverClosedEntries) {
    WindowList<std::shared_ptr<int>> list;
    EXPECT_EQ(list.count(), 0);
    list.add(std::make_shared<int>(1));
    list.add(std::make_shared<int>(2));
    list.add(std::make_shared<int>(3));
    EXPECT_EQ(list.count(), 3);
    list.windows()[1].reset(); // the user closed the second
    std::vector<int> open;
    list.forEachOpen([](const auto& h) { return h != nullptr; },
                     [&](auto& h) { open.push_back(*h); });
    EXPECT_EQ(open, (std::vector<int>{1, 3}));
    EXPECT_EQ(list.count(), 3); // nothing is removed

    WindowList<int> full;
    for (int i = 0; i < WindowList<int>::MaxWindows; ++i)
        ASSERT_TRUE(full.add(i));
    EXPECT_FALSE(full.add(0));
    EXPECT_EQ(full.count(), 32767);
}
