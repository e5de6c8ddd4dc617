// The group drop-down and the group editor driven offscreen as a user would:
// the Include button of a row posts its group, a click on a name opens the
// editor, the editor's boxes write the working lines, and closing it (or
// opening another group) writes them back into the group.
#include "accounts/group_test_books.h"
#include "accounts/qt/Group_Entries.h"
#include "accounts/qt/RecurringEntries.h"
#include "platform/fake/fake_services.h"
#include "support/screen_fit.h"
#include "toolkit/qt/New_Menu.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/User_Button.h"
#include "toolkit/qt/widget_events.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace group_books;
using namespace widget_events;

namespace {

struct Desk {
    ScopedFakeServices fakes;
    Book book = smallBook();
    RunTimeState run;
    int balanceChecks = 0;
    std::vector<int> shownLines;
    std::unique_ptr<Group_Entries> drop;

    explicit Desk(const LocaleInfo& locale = monthFirstLocale(), const QPixmap& backdrop = {})
        : fakes(locale) {
        fakes.clock.moment = 46000.75;
        book.EntryGroups[1] = threeEntryGroup();
        book.GroupNames[1] = "Month end";
        EntryGroupHost host;
        host.iSBalance = [this] { ++balanceChecks; };
        host.showJournalLine = [this](int line) { shownLines.push_back(line); };
        host.includeButton = [] { return IncludeButtonPlace{1500, 3000, 900, 6000, 6000, 1500}; };
        host.backdrop = backdrop;
        drop = std::make_unique<Group_Entries>(book, run, host);
        showTop(drop.get());
    }
    ~Desk() {
        if (drop->editor()) drop->editor()->close();
    }

    void hoverRow(int row) {
        New_Menu* menu = drop->Edit_Group;
        moveTo(drop.get(), inTop(menu, menu->rowRect(row).center() - QPoint(60, 0)));
    }
    void includeRow(int row) {
        hoverRow(row);
        click(drop.get(), inTop(drop->Edit_Group->editButton(), QPoint(24, 10)));
    }
    void openRow(int row) {
        hoverRow(row);
        click(drop.get(),
              inTop(drop->Edit_Group, QPoint(20, drop->Edit_Group->rowRect(row).center().y())));
        QApplication::processEvents();
    }
    RecurringEntries* editor() const { return drop->editor(); }
};

void focusAndType(RecurringEntries* w, QWidget* box, const std::string& text) {
    QApplication::setActiveWindow(w);
    box->setFocus();
    QApplication::processEvents();
    dialog_driving::typeText(box, text);
}

} // namespace

TEST(GroupDropDown, IncludePostsTheRowsGroupAndANameOpensIt) {
    Desk d;
    // Placed by the button: 100 twips right of its right edge, opening upwards.
    const int width = d.drop->width(), height = d.drop->height();
    // (1500 + 6000 + 1480 + 120) / 15 = 606.7 and (900 + 6000 + 3000 - 120) / 15 = 652 pixels.
    EXPECT_EQ(d.drop->pos(), QPoint(607 - width, 652 - height));
    d.hoverRow(1);
    EXPECT_TRUE(QFile::exists(saveShot(d.drop.get(), "entry_group_drop_down")));

    d.includeRow(1);
    ASSERT_EQ(d.book.LastEntryLine(), 10);
    EXPECT_EQ(d.book.EntryIds[10].shown(), "44");
    EXPECT_EQ(d.book.EntryLines[4].Date, 46000);
    EXPECT_EQ(d.shownLines, std::vector<int>{10});
    EXPECT_EQ(d.balanceChecks, 1);
    EXPECT_TRUE(d.run.BookChanged);
    EXPECT_FALSE(d.drop->isVisible());
    EXPECT_EQ(d.book.EntryGroups[1], threeEntryGroup());

    showTop(d.drop.get());
    d.openRow(1);
    ASSERT_NE(d.editor(), nullptr);
    EXPECT_EQ(d.balanceChecks, 2);
    EXPECT_EQ(d.book.EditedGroup, 1);
    EXPECT_EQ(d.editor()->windowTitle(), "Include Entries...");
    EXPECT_EQ(d.editor()->GroupLabels->text(), "Month end");
    EXPECT_EQ(d.book.LastEntryLine(), 10); // nothing posted
}

TEST(GroupEditorWindow, EditsReachTheGroupWhenAnotherOpens) {
    Desk d;
    d.fakes.settings.set("LW", "Settings", "eLeft", "1500");
    d.fakes.settings.set("LW", "Settings", "eTop", "3000");
    d.openRow(1);
    RecurringEntries* w = d.editor();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->pos(), QPoint(100, 200));

    // The grid: labels, indentation, colours and note rows.
    EXPECT_EQ(w->CrDrLabel[0]->text(), "Debit :");
    EXPECT_TRUE(w->CrDrLabel[1]->isVisibleTo(w));
    EXPECT_EQ(w->CrDrLabel[1]->text(), "Credit :");
    EXPECT_GT(w->Folio[1]->x(), w->Folio[0]->x());
    EXPECT_EQ(w->Folio[1]->palette().color(QPalette::Base), QColor(255, 240, 240));
    EXPECT_EQ(w->AccNote[1]->text(), "Rent");
    EXPECT_TRUE(w->AccNote[1]->isVisibleTo(w));
    EXPECT_FALSE(w->AccNote[2]->isVisibleTo(w));
    EXPECT_FALSE(w->CrDrLabel[3]->isVisibleTo(w)); // the second debit of an entry
    EXPECT_EQ(w->AccNote[6]->text(), "");          // "_" shows empty
    EXPECT_FALSE(w->Folio[7]->isVisibleTo(w));
    EXPECT_EQ(w->Account_Name[4]->currentText(), "Sales");
    EXPECT_EQ(w->AmountText[4]->text(), "25");

    // Typing: the name, a folio in the sub-account form, an amount, a note.
    focusAndType(w, w->GroupLabels, " wages");
    EXPECT_EQ(d.book.GroupNames[1].shown(), "Month end wages");
    EXPECT_EQ(d.drop->Edit_Group->logic().captions()[1], "Month end wages");
    w->Folio[2]->clear();
    focusAndType(w, w->Folio[2], "");
    EXPECT_TRUE(w->CompoundEntry[1]->isVisibleTo(w)); // the debit add-line button, until a key
    EXPECT_EQ(w->CompoundEntry[1]->y(), w->Folio[2]->y());
    dialog_driving::typeText(w->Folio[2], "100-1x");
    EXPECT_FALSE(w->CompoundEntry[1]->isVisibleTo(w));
    EXPECT_EQ(d.book.RecurringLines[2].AccountNumber, Currency::fromRaw(1001000));
    EXPECT_EQ(w->Account_Name[2]->currentText(), "Petty cash");
    w->AmountText[2]->selectAll();
    focusAndType(w, w->AmountText[2], "12.5-");
    EXPECT_EQ(d.book.RecurringLines[2].Amount, Currency::fromRaw(125000));
    // An amount below zero (pasted) shows with its sign; keys it refuses keep it.
    d.book.RecurringLines[4].Amount = money(-25);
    w->ScrollAcc_Change();
    EXPECT_EQ(w->AmountText[4]->text(), "-25");
    focusAndType(w, w->AmountText[4], "1");
    EXPECT_EQ(w->AmountText[4]->text(), "-25");
    EXPECT_EQ(d.book.RecurringLines[4].Amount, money(-25));
    w->AccNote[1]->selectAll();
    focusAndType(w, w->AccNote[1], "Office");
    EXPECT_EQ(d.book.RecurringLines[1].Details, "Office");
    EXPECT_EQ(d.book.EntryGroups[1], threeEntryGroup()); // not yet written back

    // Copy marks the current entry's rows; paste appends it at the grid's top.
    w->C_E->click();
    EXPECT_EQ(d.fakes.clipboard.plain,
              "600\t\tRent\t500\t\r\n\t100\tCash at Bank\t500\tOffice\r\nLW");
    EXPECT_NE(w->Folio[0]->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(w->Folio[3]->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Base));
    w->P_E->click();
    EXPECT_EQ(w->ScrollAcc->Value(), 7);
    EXPECT_EQ(w->AccNote[1]->text(), "Office");
    EXPECT_EQ(d.book.RecurringLines.size(), 9u);

    // New entry: the grid scrolls so that it is the first row.
    w->New_E->click();
    EXPECT_EQ(w->ScrollAcc->Value(), 9);
    EXPECT_EQ(w->CrDrLabel[0]->text(), "Debit :");
    w->ScrollAcc->setValue(0);
    EXPECT_TRUE(QFile::exists(saveShot(w, "entry_group_editor")));
    // Down in a row moves the grid under it; the line it then shows and its
    // entry become current, so Delete takes that entry whole.
    focusAndType(w, w->Folio[0], "");
    dialog_driving::pressKey(w->Folio[0], Qt::Key_Down);
    dialog_driving::pressKey(w->Folio[0], Qt::Key_Down);
    EXPECT_EQ(w->ScrollAcc->Value(), 2);
    EXPECT_EQ(w->editor().CurrentLine(), 2);
    EXPECT_EQ(w->editor().EntryLastLine(), 4);
    w->Del_E->click();
    EXPECT_EQ(d.book.RecurringLines.size(), 8u);
    EXPECT_EQ(d.book.RecurringLines[2], line(Debit, 100, 1));
    w->move(120, 90);
    const std::vector<EntryLine> edited = d.book.RecurringLines;

    // Opening group 4 writes group 2 back and stores the editor's place.
    d.openRow(4);
    EXPECT_EQ(d.book.EntryGroups[1], edited);
    EXPECT_EQ(d.book.EditedGroup, 4);
    ASSERT_NE(d.editor(), nullptr);
    EXPECT_NE(d.editor(), w);
    EXPECT_EQ(d.fakes.settings.get("LW", "Settings", "eLeft"), std::optional<std::string>("1800"));
    EXPECT_EQ(d.fakes.settings.get("LW", "Settings", "eTop"), std::optional<std::string>("1350"));

    // Closing the drop-down (the book is being replaced) closes the editor,
    // which writes group 5 back first.
    d.editor()->New_E->click();
    d.drop->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(d.editor(), nullptr);
    EXPECT_EQ(d.book.EntryGroups[4].size(), 4u);

    // An amount in the other notation, left, shows the amount kept and says why; a paste refused
    // leaves the box as it was, and is told with it. Under hu_HU, "." is neither mark: the
    // decimal mark. The name box takes no character whose bytes would not fit a group name's
    // 120, typed or pasted: what it shows is what the group keeps.
    const std::string e60 = QString(60, QChar(0xE9)).toStdString(), e70 = e60 + e60.substr(0, 20),
                      name = "x" + e60.substr(0, 118); // sixty and seventy "é"
    const std::tuple<LocaleInfo, std::string, std::string, std::string, Currency> notations[] = {
        {monthFirstLocale(), "55,55", "55,55", "55", money(55)},
        {decimalCommaLocale(), "55.55", "55.55", "55", money(55)},
        {dialog_driving::hungarianMarks(), "55.55", "55,55", "55,55", Currency::fromRaw(555500)}};
    for (const auto& [locale, typed, shown, left, kept] : notations) {
        Desk l(locale);
        l.openRow(1);
        RecurringEntries* e = l.editor();
        QLineEdit* box = e->AmountText[2];
        QApplication::setActiveWindow(e);
        const auto typedPasted = dialog_driving::typedThenPasted(box, typed, "5x");
        e->GroupLabels->setFocus();
        const std::string pasteTold = "\"5x\" : Not an amount: type digits, \"" +
                                      locale.decimalMark + "\" and \"" + locale.groupMark +
                                      "\" only";
        EXPECT_EQ(
            std::tuple(typedPasted, box->text().toStdString(), l.book.RecurringLines[2].Amount,
                       l.fakes.messages.texts()),
            std::tuple(
                std::pair(shown, shown), left, kept,
                std::vector{pasteTold +
                            (shown == left ? "" : "\n\"" + typed + "\" : Not a valid amount")}));
        EXPECT_EQ(dialog_driving::typedThenPasted(e->GroupLabels, e70, "x" + e70),
                  std::pair(e60, name))
            << locale.name;
        EXPECT_EQ(l.book.GroupNames[1].shown(), name);
        if (locale.name == "hu_HU") continue; // "." is its decimal mark, as above
        const bool comma = locale.decimalMark == ",";
        // Typed key by key in the other notation with a decimal too many: no message takes the
        // keys typed next, and Tab leaves the box showing the amount kept, told why.
        l.fakes.messages.shown.clear();
        const std::string other = comma ? "12,345.67" : "12.345,67";
        box->selectAll();
        focusAndType(e, box, "");
        for (const char c : other) {
            dialog_driving::typeText(box, std::string(1, c));
            QApplication::processEvents();
        }
        EXPECT_TRUE(l.fakes.messages.shown.empty());
        dialog_driving::pressKey(box, Qt::Key_Tab);
        EXPECT_EQ(std::tuple(box->text().toStdString(), l.book.RecurringLines[2].Amount,
                             l.fakes.messages.texts()),
                  std::tuple(other.substr(0, 6) + "6", Currency::fromRaw(123456),
                             std::vector{"\"" + other.substr(0, 7) + "\" : Not a valid amount\n\"" +
                                         other.substr(0, 6) +
                                         "67\" : Not an amount: at most 4 decimals"}));
        // Down moves the grid under the box: the box is left first.
        const std::string half = comma ? "1.2" : "1,2";
        box->selectAll();
        focusAndType(e, box, half);
        dialog_driving::pressKey(box, Qt::Key_Down);
        EXPECT_EQ(l.fakes.messages.lastText(), "\"" + half + "\" : Not a valid amount");
        // A name no account has, pasted and left, is told; the box shows the account kept.
        const QString account = e->Account_Name[2]->currentText();
        dialog_driving::typedThenPasted(e->Account_Name[2], "", "&()#$%^!@");
        dialog_driving::pressKey(e->Account_Name[2], Qt::Key_Tab);
        EXPECT_EQ(std::pair(e->Account_Name[2]->currentText(), l.fakes.messages.lastText()),
                  std::pair(account, std::string("&()#$%^!@ : This account does not exists...")));
    }
    // A new entry typed by keys as a user does, Tab from box to box, and the editor closed:
    // nothing is told, and the group holds the entry.
    for (const LocaleInfo& locale : dialog_driving::typingLocales()) {
        Desk g(locale);
        g.openRow(1);
        RecurringEntries* e = g.editor();
        e->New_E->click();
        focusAndType(e, e->Folio[0], "600");
        dialog_driving::keyed("\t\t500\t100\t\t500\tOffice");
        EXPECT_EQ(QApplication::focusWidget(), e->AccNote[1]);
        e->close();
        const std::vector<EntryLine>& group = g.book.EntryGroups[1];
        ASSERT_GE(group.size(), 2u);
        EXPECT_EQ(std::tuple(std::vector(group.end() - 2, group.end()), g.fakes.messages.texts()),
                  std::tuple(std::vector{line(Debit, 600, 500), line(Credit, 100, 500, "Office")},
                             std::vector<std::string>{}))
            << locale.name;
    }
}

// In three fonts and locales, at the editor's default size and its
// smallest: every amount box shows the largest amount whole (the account box
// giving way), no two texts meet ("Notes :" stands before its box on a debit
// row too), and the toolbar's picture stands once along the top. A long name
// picked from the list shows its start.
TEST(GroupEditorWindow, FiguresAndCaptionsShowWholeOnPlainGround) {
    const QColor band(200, 0, 200);
    QPixmap toolbar(500, 36);
    toolbar.fill(band);
    dialog_driving::inFigureFonts([&](const QFont& font, ScopedFakeServices& fakes) {
        Desk d(fakes.locale.info, toolbar);
        d.book.FontName = font.family().toStdString();
        // Notes on a credit line, then on a debit line; an account numbered 99999999.
        const Currency largest = Currency::fromRaw(INT64_MAX);
        d.book.AccountNumbers[2] = money(99999999);
        d.book.AccountNames[1] = "Cash at the northern branch of City Bank";
        d.book.EntryGroups[1] = {line(Debit, money(99999999), largest),
                                 line(Credit, money(100), largest, "Rent"),
                                 line(Credit, money(400), Currency::fromRaw(594042550220800)),
                                 line(Debit, money(100), money(1), "Takings")};
        d.openRow(1);
        RecurringEntries* w = d.editor();
        ASSERT_NE(w, nullptr);
        for (bool smallest : {false, true}) {
            if (smallest) w->resize(1, 1);
            QApplication::processEvents();
            EXPECT_EQ(w->AmountText[0]->text().size(), 20);
            EXPECT_EQ(w->AmountText[0]->font().family(), font.family());
            EXPECT_EQ(dialog_driving::figuresCut(w), std::vector<std::string>{}) << smallest;
            EXPECT_EQ(overlappingTexts(dialog_driving::shownTexts(w)), std::vector<std::string>{})
                << smallest;
            EXPECT_EQ(w->Folio[0]->text(), "99999999");
            EXPECT_LE(w->Folio[0]->fontMetrics().horizontalAdvance(w->Folio[0]->text()),
                      lineEditTextRoom(w->Folio[0]));
            EXPECT_EQ(dialog_driving::numberTextsCut(w->Folio[1]), std::vector<std::string>{});
            EXPECT_TRUE(w->CrDrLabel2[3]->isVisibleTo(w));
            EXPECT_GE(w->CrDrLabel2[3]->x(), 0);
            const QImage shot = w->grab().toImage();
            EXPECT_EQ(shot.pixelColor(450, 2), band);
            EXPECT_NE(shot.pixelColor(450, 45), band); // beside the name box: plain ground
            EXPECT_NE(shot.pixelColor(2, 36 + w->eBox->y()), band);
        }
        w->Account_Name[0]->setCurrentIndex(1);
        emit w->Account_Name[0]->activated(1);
        EXPECT_EQ(dialog_driving::figuresUnreadable(w, true), std::vector<std::string>{});
        if (font.family() == "DejaVu Serif") saveShot(w, "entry_group_editor_big_figures");
    });
}
