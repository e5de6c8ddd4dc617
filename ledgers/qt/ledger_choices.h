// The controls along the top of every ledger and journal window: the two
// date pickers of the period, the account box, the account-number box and
// the two page buttons, with the key rules the windows share. The window
// places them and says what a build, a navigation key and a page button do;
// the strip turns its boxes into a build's choice and keeps what was built.
#pragma once

#include "book/currency.h"
#include "ledgers/ledger_choice.h"
#include "ledgers/ledger_heading.h"
#include "ledgers/qt/ledger_host.h"
#include "platform/services.h"
#include "toolkit/key_codes.h"

#include <QObject>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CalanderForm;
class QComboBox;
class QLabel;
class QLineEdit;
class ScrollBarWidget;

// A page-up or page-down button: an arrow on a light face, grey while the
// pointer is over it; pressing it pages.
class PageButton : public QWidget {
    Q_OBJECT
  public:
    PageButton(bool down, QWidget* parent);
    bool hovered() const { return hovered_; }
    QSize sizeHint() const override { return {24, 24}; }

  signals:
    void pressed();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

  private:
    bool down_;
    bool hovered_ = false;
};

// Where a window puts the strip's controls (design pixels): the two pickers,
// the "To" label between them, the account box and the account-number box.
// A picker wider than its place (a wide date style or font) moves what
// follows it to the right, and the account box gives up that room.
struct StripPlaces {
    QRect from, toLabel, to, account, folio;
};

// The places in the T-account and the running-balance windows.
inline constexpr StripPlaces LedgerStripPlaces{
    {8, 4, 104, 23}, {114, 8, 16, 15}, {132, 4, 104, 23}, {240, 4, 277, 24}, {520, 4, 73, 24}};

// When the account box completes a typed name: from the first character (the
// journal), or once the box holds more than one character (the T-account and
// running-balance ledgers), so that the first two keys go in as typed.
enum class TypeAheadStart { FirstCharacter, AfterTwoCharacters };

class LedgerChoices : public QObject {
    Q_OBJECT
  public:
    LedgerChoices(const LedgerHost& host, QWidget* parent, const StripPlaces& places,
                  TypeAheadStart typeAhead);

    std::array<CalanderForm*, 2> DateSearch{};
    QLabel* ToLable = nullptr;
    QComboBox* tReportAcc = nullptr;
    QLineEdit* FolioChoiceTx = nullptr;
    std::array<PageButton*, 2> PNPage{};

    // The period as the two pickers last read (both days inclusive).
    double FromDate = 0;
    double ToDate = 0;

    // Refills the account box from the main window's list, with `first`
    // ("ALL" in the journal) before the names when given.
    void fillAccounts(const std::string& first = "");
    // The journal's earliest and latest line dates into the pickers.
    void setJournalPeriod();
    // The period's last day given: the picker shows it and builds it as it is.
    void setToDay(double day);
    // The account box's text, and choosing an account by name.
    std::string accountText() const;
    void setAccountText(const std::string& name);
    // The account box reaches `extra` pixels further right than its place
    // (a window wider than its design).
    void stretchAccountBox(int extra);
    // A control of the window's own right of the account box (the page
    // buttons too), designed at `at`: it moves along with the number box.
    void keepInStrip(QWidget* control, QPoint at);
    // The window is never smaller than `least` (its designed smallest size),
    // nor narrower than the strip's controls at their own widths.
    void holdWindowAtLeast(QSize least);
    // The window's own handles on the strip's pickers and boxes.
    void share(std::array<CalanderForm*, 2>& dates, QComboBox*& account, QLineEdit*& folio) const;

    // The request for a build: the account whose name the account box holds
    // (0 when no account has it), the period the date boxes show (readDates),
    // the reconcile switch, the locale's marks and the progress step.
    LedgerChoice choice(bool reconcile);
    // After a build: the date boxes show the period built (`from` and `to`,
    // swapped when typed the wrong way round), the account-number box shows
    // `folio` and the builder's `message` is shown when there is one; the
    // account box's text and the journal's revision are kept as those of the
    // list built.
    void showBuilt(double from, double to, const std::string& folio, const std::string& message);
    // The account box's text at the last build.
    const std::string& builtName() const { return builtName_; }
    // The heading of a built ledger or list: the account built, its number
    // and its period.
    template <class Built> LedgerHeading builtHeading(const Built& built) const {
        return ledgerHeading(*host_.book, builtName_, built.Folio, built.FromDate, built.ToDate,
                             currentLocale());
    }
    // True when the journal changed after the last build: the journal lines
    // the rows hold may belong to other entries now.
    bool listOutdated() const;
    // Builds when the click in a picker chose a day (DateChangedFlag 1),
    // clearing the flag after; true when it built.
    bool buildIfDayPicked();
    // Builds when a date box shows another text than the day built (before
    // a printout, an export or a mail, and as the focus leaves a date box).
    void applyTypedDate();

    // What the window does.
    std::function<void()> build;
    std::function<void(KeyArgs&)> navigationKey; // key down in a date or number box
    std::function<void(int button)> pagePressed; // 0 up, 1 down
    std::function<Currency()> builtAccount;      // Enter in a date box chooses it again
    std::function<void(int index)> dateClicked;  // a day accepted in a picker

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();
    // Reads the date boxes into the period: a box showing the text kept for
    // its day keeps that day; another text is read in the book's date style
    // and written in it; one that does not read is told ("Invalid Date") and
    // put back to the day kept.
    void readDates();
    // Whether a date box shows another text than the one kept for its day.
    bool dateEdited() const;
    // A text left in the account box or the account-number box is built,
    // or, naming no account, told and put back to what was built.
    void accountLeft();
    void folioLeft();
    // The account the account box shows is built; a text naming no account
    // is told and the box shows again what was built.
    void chooseShownAccount();
    // The account of the number in the account-number box is built; a text
    // that is no account number whole, or a number no account has, is told
    // and the box shows the number built again.
    void chooseTypedNumber();
    void folioKey(KeyPressArgs& k);
    bool dateKey(int keyAscii);
    // Date box `box` (0 from, 1 to) shows and keeps `day`, in the book's date style.
    void showDay(std::size_t box, double day);

    const LedgerHost& host_;
    StripPlaces places_;
    int accountStretch_ = 0;
    int folioWidth_ = 0; // the number box: its place's width, or wider for the widest number
    std::vector<std::pair<QWidget*, QPoint>> followers_;
    QSize leastWindow_;
    std::string first_;                       // the list's first item ("ALL"), when it has one
    std::array<std::string, 2> keptDateText_; // what each date box shows for its day
    std::string builtName_;
    std::string builtFolio_;
    std::int32_t builtRevision_ = 0;
};

// Up and Down in a date or number box step the list one row and are swallowed.
void stepOnArrowKey(KeyArgs& k, ScrollBarWidget& list);
