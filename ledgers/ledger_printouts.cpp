#include "ledgers/ledger_printouts.h"

#include "book/account_name_index.h"
#include "book/number_format.h"
#include "book/plain_text.h"
#include "book/tmain.h"
#include "ledgers/note_wrap.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr RgbColor Black = 0;
constexpr RgbColor White = 0xFFFFFF;
constexpr double P = TwipsPerScreenPixel; // the screen's twips per pixel
constexpr double DebitTextLeft = 76;      // the T-account window's debit-text column, pixels
constexpr double TitlePoints = 12;
constexpr double BodyPoints = 8.16;

// The printing model's line end: back to the left edge, one line down.
void endLine(DrawingSurface& s) {
    s.CurrentX = 0;
    s.CurrentY += s.TextHeight("");
}

void printAt(DrawingSurface& s, double x, const std::string& text) {
    s.CurrentX = x;
    s.PrintInline(text);
}

void printEndingAt(DrawingSurface& s, double right, const std::string& text) {
    printAt(s, right - s.TextWidth(text), text);
}

void printCentred(DrawingSurface& s, double width, const std::string& text) {
    s.CurrentX = (width - s.TextWidth(text)) / 2;
    s.Print(text);
}

void startCopy(DrawingSurface& s, const Book& book, double points, bool bold) {
    s.CurrentX = 0;
    s.CurrentY = 0;
    if (!book.FontName.str().empty()) s.FontName = book.FontName.str();
    s.FontSize = points;
    s.FontBold = bold;
    s.FontItalic = false;
    s.FontUnderline = false;
}

std::string periodText(const LedgerHeading& heading) {
    return strings::text(173) + " " + heading.from + " " + strings::text(209) + " " + heading.to;
}

// --- T-account ---

class TAccountPage {
  public:
    TAccountPage(DrawingSurface& s, const Book& book, const LocaleInfo& locale)
        : s_(s), book_(book), names_(book), locale_(locale), width_(s.ScaleWidth()),
          height_(s.ScaleHeight()), rule_(width_ / 2) {}

    void heading(const LedgerHeading& heading, double scale) {
        s_.Print("");
        printCentred(s_, width_, book_.BusinessName.str());
        s_.Print("");
        printCentred(s_, width_, heading.account + " (" + heading.folio + ")");
        s_.FontSize = BodyPoints * scale;
        s_.Print("");
        printCentred(s_, width_, periodText(heading));
        s_.Print("");
        const double y0 = std::floor(s_.CurrentY);
        s_.Line(40 * P, y0, width_ - 40 * P, y0, Black);
        s_.Line(rule_, y0, rule_, height_, Black);
        s_.CurrentY = y0;
        endLine(s_);
        s_.FontBold = false;
    }

    // Rows that would pass the page's foot go on on a new page with its own
    // centre rule.
    void makeRoom(int lines) {
        if (s_.CurrentY + lines * s_.TextHeight("") <= height_) return;
        s_.NewPage();
        rule_ = (width_ + 20) / 2;
        s_.Line(rule_, 0, rule_, height_, Black);
        s_.CurrentX = 0;
        s_.CurrentY = 0;
    }

    void row(const TAccountRow& row, bool debit) {
        const double half = width_ / 2;
        s_.FontBold = row.Kind == TAccountRowKind::CarriedDown;
        if (row.Kind != TAccountRowKind::CarriedDown &&
            row.Kind != TAccountRowKind::EmptyBroughtForward)
            printEndingAt(s_, debit ? 95 * P : half + 60 * P,
                          Tmain::FormatDateStyle(row.Date, book_.DateStyle, locale_));
        printAt(s_, debit ? (DebitTextLeft + 30) * P : half + 70 * P, tAccountRowText(row, names_));
        if (row.TooLarge || !row.Amount.isZero())
            printEndingAt(s_, debit ? half - 10 * P : width_ - 40 * P,
                          row.TooLarge
                              ? TooLargeToShow
                              : formatAmount(row.Amount, Book::clampDecimals(book_.DecimalsLedger),
                                             marksOf(locale_), true));
    }

    void foot(const TAccountLedger& ledger) {
        makeRoom(5);
        endLine(s_);
        s_.Line(40 * P, s_.CurrentY, width_ - 40 * P, s_.CurrentY, Black);
        s_.CurrentX = 0;
        s_.FontBold = true;
        endLine(s_);
        const double half = width_ / 2;
        printEndingAt(s_, half - 10 * P, ledger.DebitTotalText);
        printEndingAt(s_, width_ - 40 * P, ledger.CreditTotalText);
        endLine(s_);
        endLine(s_);
        printEndingAt(s_, half - 10 * P, ledger.DebitBroughtDownText);
        printEndingAt(s_, width_ - 40 * P, ledger.CreditBroughtDownText);
        endLine(s_);
        // Below the foot the centre rule is covered.
        s_.Line(rule_, s_.CurrentY, rule_, height_, White);
    }

  private:
    DrawingSurface& s_;
    const Book& book_;
    const AccountNameIndex names_;
    const LocaleInfo& locale_;
    double width_, height_;
    double rule_; // x of this page's centre rule
};

// --- general journal ---

class JournalPages {
  public:
    JournalPages(DrawingSurface& s, const std::string& period)
        : s_(s), period_(period), width_(s.ScaleWidth()), height_(s.ScaleHeight()) {}

    void pageHeading() {
        if (page_ > 0) s_.NewPage();
        ++page_;
        endLine(s_);
        const std::string number = strings::text(177) + " " + std::to_string(page_);
        printAt(s_, width_ - s_.TextWidth(number) - 500, number);
        s_.FontUnderline = true;
        s_.CurrentX = (width_ - s_.TextWidth(period_)) / 2;
        s_.Print(period_);
        endLine(s_); // the heading's own closing line break
        s_.FontUnderline = false;
        endLine(s_);
    }
    // A new page when `lines` more lines would pass the foot.
    void test(int lines) {
        if (s_.CurrentY + lines * s_.TextHeight("") > height_) pageHeading();
    }

  private:
    DrawingSurface& s_;
    std::string period_;
    double width_, height_;
    int page_ = 0;
};

// A note centred line by line, wrapped once a line reaches `limit`.
void printNote(DrawingSurface& s, JournalPages& pages, const std::string& note, double limit) {
    const double width = s.ScaleWidth();
    const std::vector<NoteLine> lines =
        wrapNote(note, [&](const std::string& piece) { return s.TextWidth(piece) >= limit; });
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const NoteLine& line = lines[k];
        s.CurrentX = line.placed ? (width - s.TextWidth(line.measured)) / 2 : width / 2;
        s.Print(line.text);
        if (k + 1 < lines.size()) pages.test(1);
    }
}

} // namespace

void printTAccount(DrawingSurface& s, const Book& book, const TAccountLedger& ledger,
                   const LedgerHeading& heading, const LocaleInfo& locale, double printScale) {
    startCopy(s, book, TitlePoints * printScale, true);
    TAccountPage page(s, book, locale);
    page.heading(heading, printScale);
    const std::size_t rows = std::max(ledger.Debit.Rows.size(), ledger.Credit.Rows.size());
    for (std::size_t r = 0; r < rows; ++r) {
        page.makeRoom(1);
        if (r < ledger.Debit.Rows.size()) page.row(ledger.Debit.Rows[r], true);
        if (r < ledger.Credit.Rows.size()) page.row(ledger.Credit.Rows[r], false);
        endLine(s);
    }
    page.foot(ledger);
    s.EndDoc();
}

void printGeneralJournal(DrawingSurface& s, const Book& book, const JournalList& list,
                         const LedgerHeading& heading, const LocaleInfo& locale,
                         double printScale) {
    const double width = s.ScaleWidth();
    const double table = 0.95 * std::floor(width);
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsJournal);
    const AccountNameIndex names(book);

    startCopy(s, book, TitlePoints * printScale, true);
    s.Print("");
    printCentred(s, width, book.BusinessName.str());
    s.Print("");
    printCentred(s, width, strings::text(303));
    s.FontSize = BodyPoints * printScale;
    endLine(s);

    JournalPages pages(s, periodText(heading));
    for (std::size_t k = 0; k < list.ShownLines.size(); ++k) {
        const std::int32_t n = list.ShownLines[k];
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(n)];
        s.FontBold = true;
        if (k == 0)
            pages.pageHeading();
        else
            pages.test(2);
        s.FontBold = false;
        if (k == 0 ||
            line.Date != book.EntryLines[static_cast<std::size_t>(list.ShownLines[k - 1])].Date)
            printEndingAt(s, 0.10 * table - 100,
                          Tmain::FormatDateStyle(line.Date, book.DateStyle, locale));
        if (line.Side == Debit || line.Side == Credit) {
            const bool debit = line.Side == Debit;
            printAt(s, 0.10 * table + (debit ? 0 : 260), names.name(line.AccountNumber));
            const std::string number = plainNumberText(line.AccountNumber, marks.decimal);
            printAt(s, 0.66 * table, (line.AccountNumber.raw < 0 ? "" : " ") + number + " ");
            printEndingAt(s, (debit ? 0.88 * table : table) - 200,
                          formatAmount(line.Amount, decimals, marks, true));
        }
        endLine(s);
        if (!closesEntry(line.Details)) continue;

        s.FontBold = true;
        s.FontItalic = true;
        std::string note = trimmedSpaces(line.Details);
        if (note == "_") note.clear();
        const std::string reference = withoutNuls(book.EntryIds[static_cast<std::size_t>(n)].raw());
        if (!trimmedSpaces(reference).empty()) note += " / " + reference;
        pages.test(1);
        printNote(s, pages, note, width - 0.10 * table);
        for (int blank = 0; blank < 2; ++blank) {
            pages.test(1);
            endLine(s);
        }
        s.FontItalic = false;
    }
    s.EndDoc();
}

void printRunningBalance(DrawingSurface& s, const Book& book, const RunningBalanceLedger& ledger,
                         const LedgerHeading& heading, const LocaleInfo& locale, double printScale,
                         const std::function<void(DrawingSurface&)>& printHeader) {
    const double width = s.ScaleWidth();
    const double height = s.ScaleHeight();
    const double left = 0.05 * width, usable = 0.95 * width;
    const double x1 = left + 0.1 * usable;
    const double body = BodyPoints * printScale;
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsLedger);
    const AccountNameIndex names(book);

    // The business heading and the account's address on every copy.
    startCopy(s, book, body, false);
    if (printHeader) printHeader(s);
    s.CurrentY = std::max(s.CurrentY, 2835.0);
    s.FontBold = false;
    s.FontSize = body;
    for (const std::string& line : addressLines(book, heading.folio, locale.decimalMark)) {
        s.CurrentX = 2268;
        s.Print(line);
    }
    for (int blank = 0; blank < 5; ++blank)
        endLine(s);

    s.FontBold = true;
    s.FontSize = 11 * printScale;
    printCentred(s, width, heading.account + " (" + heading.folio + ")");
    s.FontSize = body;
    endLine(s);
    const std::string period = heading.from + " To " + heading.to;
    printAt(s, (width - s.TextWidth(period)) / 2, period);
    int page = 1;
    auto pageNumber = [&] {
        const std::string text = strings::text(177) + " " + std::to_string(page);
        s.CurrentX = width - 730 - s.TextWidth(text);
        s.Print(text);
    };
    pageNumber();
    s.CurrentY += 100;
    s.Line(0, s.CurrentY, width, s.CurrentY, Black);
    s.CurrentX = 0;
    s.CurrentY += 100;

    auto centredIn = [&](double start, double column, const std::string& text) {
        printAt(s, start + (column - s.TextWidth(text)) / 2, text);
    };
    printAt(s, x1 - s.TextWidth(strings::text(175) + "ee/"), strings::text(175));
    centredIn(x1, 0.17 * usable, strings::text(174));
    centredIn(x1 + 0.17 * usable, 0.28 * usable, strings::text(176));
    for (const auto& [start, text] : {std::pair{x1 + 0.45 * usable, strings::text(162)},
                                      std::pair{x1 + 0.60 * usable, strings::text(163)}})
        printAt(s, start + (0.15 * usable - s.TextWidth(text + "eeee")) / 2, text);
    printAt(s, usable - s.TextWidth(strings::text(155) + "eeee"), strings::text(155));
    endLine(s);

    std::string suffix;
    for (const RunningBalanceRow& row : ledger.Rows) {
        const std::string date = Tmain::FormatDateStyle(row.Date, book.DateStyle, locale);
        s.FontBold = true;
        if (s.CurrentY + s.TextHeight(date) > height) {
            s.NewPage();
            ++page;
            endLine(s);
            pageNumber();
            endLine(s);
        }
        s.FontBold = false;
        printAt(s, x1 - s.TextWidth(date), date);
        printAt(s, x1 + s.TextWidth("ee"), row.reference());
        printAt(s, x1 + 0.17 * usable, names.name(row.Account));
        for (const auto& [amount, end] : {std::pair{row.debit(), x1 + 0.60 * usable},
                                          std::pair{row.credit(), x1 + 0.75 * usable}}) {
            if (amount.isZero()) continue;
            const std::string text = formatAmount(amount, decimals, marks, true);
            printAt(s, end - s.TextWidth(text + "eeee"), text);
        }
        suffix = balanceSuffix(row.Balance, suffix);
        const std::string balance = balanceText(row.Balance, decimals, marks, suffix);
        s.CurrentX = usable - 200 - s.TextWidth(balance);
        s.Print(balance);
    }
    s.EndDoc();
}
