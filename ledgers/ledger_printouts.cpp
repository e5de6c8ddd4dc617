#include "ledgers/ledger_printouts.h"

#include "book/account_name_index.h"
#include "book/account_number_text.h"
#include "book/day_of_date.h"
#include "book/number_format.h"
#include "book/plain_text.h"
#include "book/tmain.h"
#include "ledgers/ledger_pages.h"
#include "resources/string_table.h"
#include "toolkit/drawn_cells.h"
#include "toolkit/printout_fit.h"
#include "toolkit/table_columns.h"
#include "toolkit/text_wrap.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr RgbColor Black = 0;
constexpr RgbColor White = 0xFFFFFF;
constexpr double P = TwipsPerScreenPixel; // the screen's twips per pixel
constexpr double TitlePoints = 12;
constexpr double BodyPoints = 8.16;
constexpr double AccountPoints = 11; // the running balance's account heading
// The running balance's account address starts this far in; its page
// numbers end this far short of the right edge.
constexpr double AddressLeft = 2268;
constexpr double PageNumberMargin = 730;

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

// A reference as printed: its blanks no-break spaces, so that it wraps as one
// word, never parted where a line holds it (one parted reads as two).
std::string printedReference(const std::string& reference) {
    std::string printed;
    for (const char c : trimmedSpaces(reference))
        printed += c == ' ' ? std::string("\u00A0") : std::string(1, c);
    return printed;
}

// An account name or a reference in the column that is its room, in the
// surface's present weight: it wraps within it.
RowText cellText(DrawingSurface& s, const TableColumn& column, const std::string& text) {
    return {text, column.left, column.right(), s.FontBold};
}

// The columns `first` to `last`, placed side by side, as one.
TableColumn spanned(const TableColumn& first, const TableColumn& last) {
    TableColumn span = first;
    span.width = last.right() - first.left;
    return span;
}

// A heading centred on the page; one wider than the page (its type can only
// shrink so far) goes on in lines below.
void printCentred(DrawingSurface& s, double width, const std::string& text) {
    printWithin(s, text, 0, width, LineAlign::Centre);
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

// The zoom a printout prints at when `asked` is chosen: lowered where its
// figure columns, as `columnsAt` a zoom measures them in the body's font of
// that zoom, would not fit `room` beside its names at their least, or where
// a word of its headings would not fit their rooms.
double printoutZoom(DrawingSurface& s, const Book& book, double asked, double room,
                    const std::function<std::vector<TableColumn>(double zoom)>& columnsAt,
                    const std::vector<HeadingText>& headings) {
    startCopy(s, book, BodyPoints * asked, false);
    return fittingFontZoom(s, BodyPoints, asked, [&](double zoom) {
        return figuresFit(columnsAt(zoom), room) && headingsFit(s, headings, zoom);
    });
}

std::string periodText(const LedgerHeading& heading) {
    return strings::text(173) + " " + heading.from + " " + strings::text(209) + " " + heading.to;
}

// The account and its number, as the ledgers head their pages.
std::string accountHeading(const LedgerHeading& heading) {
    return heading.account + " (" + heading.folio + ")";
}

std::string pageText(int page) {
    return strings::text(177) + " " + std::to_string(page);
}

// Each page's number at its top right, ending `margin` twips short of the
// right edge, in the body's bold type of `points`: page 1's on the line the
// printout leaves blank at its top, every later page's on a line of its own
// as the surface starts the page, wherever it breaks (a heading that runs
// over pages too). For as long as it lives.
class PageNumbers {
  public:
    PageNumbers(DrawingSurface& s, double margin, double points) : s_(s) {
        s.pageStarted = [margin, points](DrawingSurface& d) { number(d, margin, points); };
        const double top = s.CurrentY;
        number(s, margin, points);
        s.CurrentY = top;
    }
    ~PageNumbers() { s_.pageStarted = nullptr; }
    PageNumbers(const PageNumbers&) = delete;
    PageNumbers& operator=(const PageNumbers&) = delete;

  private:
    static void number(DrawingSurface& s, double margin, double points) {
        const SurfaceFont kept = s.font();
        s.setFont({s.FontName, points, true});
        printEndingAt(s, s.ScaleWidth() - margin, pageText(s.pageNumber()));
        endLine(s);
        s.setFont(kept);
    }
    DrawingSurface& s_;
};

// The period centred on its line, on the next page where it and `keepWith`
// twips below it would pass the foot. Ends the period's line.
void printPeriod(DrawingSurface& s, const std::string& period, double keepWith,
                 bool underlined = false) {
    newPageBeforeFoot(s, s.TextHeight("") + keepWith);
    s.FontUnderline = underlined;
    printCentred(s, s.ScaleWidth(), period);
    s.FontUnderline = false;
}

// --- T-account ---

// The T's columns across the page, left to right. At their design, on a page
// W wide: debit dates ending at 95 pixels, texts from 106, amounts ending 10
// pixels short of the centre rule at W / 2; credit dates ending 60 pixels
// past the rule, texts from 70 past it, amounts ending 40 short of W. Wider
// dates and amounts take their room from the texts; texts wider than their
// design take theirs from every other column down to the width its own
// texts are drawn in (a blank for the gaps), so that a name wraps only
// where it cannot be held so.
enum TColumn {
    DebitDate,
    DebitGap,
    DebitText,
    DebitAmount,
    Stem,
    CreditDate,
    CreditGap,
    CreditText,
    CreditAmount,
    Tail
};
constexpr double AmountDesign = 110 * P;

// The cells of a half's row as the T prints them, in the row's weight: its
// date where it has one, its text, and its amount where one shows.
std::vector<DrawnCell> tAccountCells(const TAccountRow& row, bool debit,
                                     const AccountNameIndex& names, const Book& book,
                                     const LocaleInfo& locale) {
    const TAccountCell cell = tAccountRowCell(row, names, book.DateStyle, locale,
                                              Book::clampDecimals(book.DecimalsLedger), true);
    std::vector<DrawnCell> cells;
    if (!cell.date.empty()) cells.push_back({debit ? DebitDate : CreditDate, cell.date, cell.bold});
    cells.push_back({debit ? DebitText : CreditText, cell.text, cell.bold});
    if (!cell.amount.empty())
        cells.push_back({debit ? DebitAmount : CreditAmount, cell.amount, cell.bold});
    return cells;
}

DrawnTexts tAccountTexts(const Book& book, const TAccountLedger& ledger, const LocaleInfo& locale) {
    const AccountNameIndex names(book);
    DrawnTexts texts;
    for (const auto& [half, debit] : {std::pair{&ledger.Debit, true}, {&ledger.Credit, false}})
        for (const TAccountRow& row : half->Rows)
            texts.add(tAccountCells(row, debit, names, book, locale));
    return texts;
}

std::vector<TableColumn> tAccountColumns(DrawingSurface& s, const TAccountLedger& ledger,
                                         const DrawnTexts& texts, double scale) {
    const double width = s.ScaleWidth(), half = width / 2;
    std::vector<TableColumn> columns =
        designedColumns({95 * P, 11 * P, half - 116 * P - AmountDesign, AmountDesign, 10 * P,
                         60 * P, 10 * P, half - 110 * P - AmountDesign, AmountDesign, 40 * P});
    columns[DebitDate].need = texts.widest(s, DebitDate);
    columns[CreditDate].need = texts.widest(s, CreditDate) + 4 * P; // clear of the rule
    // Amounts clear of the texts.
    columns[DebitAmount].need = texts.widest(s, DebitAmount) + 6 * P;
    columns[CreditAmount].need = texts.widest(s, CreditAmount) + 6 * P;
    s.FontBold = false;
    const double blank = s.TextWidth(" ");
    for (const TColumn c :
         {DebitDate, DebitGap, DebitAmount, Stem, CreditDate, CreditGap, CreditAmount, Tail}) {
        columns[c].name = true;
        columns[c].least = std::max(columns[c].need, blank);
    }
    // A text column gives way down to what keeps its half's totals, which
    // end where its amounts end, clear of the half's left edge.
    s.FontBold = true;
    auto textColumn = [&](TColumn text, const std::vector<std::string>& totals) {
        double figures = 0;
        for (const TColumn c : {TColumn(text - 2), TColumn(text - 1), TColumn(text + 1)})
            figures += columns[c].least;
        columns[text].name = true;
        columns[text].least =
            std::max(30 * P * scale, widestTextWidth(s, totals) + 6 * P - figures);
    };
    textColumn(DebitText, {ledger.DebitTotalText, ledger.DebitBroughtDownText});
    textColumn(CreditText, {ledger.CreditTotalText, ledger.CreditBroughtDownText});
    // The balance rows' own words are never cut.
    const double labels = widestTextWidth(s, {broughtForwardText(), carriedDownText()}) + 6 * P;
    for (const TColumn text : {DebitText, CreditText})
        columns[text].least = std::max(columns[text].least, labels);
    for (const TColumn text : {DebitText, CreditText})
        wrapsOnPaper(columns[text], texts.widest(s, text), texts.narrowestRoom(s, text));
    s.FontBold = false;
    placeOnPaper(columns, 0, width);
    return columns;
}

class TAccountPage {
  public:
    TAccountPage(DrawingSurface& s, const Book& book, const LocaleInfo& locale,
                 std::vector<TableColumn> columns)
        : s_(s), book_(book), names_(book), locale_(locale), columns_(std::move(columns)),
          width_(s.ScaleWidth()), height_(s.ScaleHeight()), rule_(columns_[Stem].right()) {}

    void heading(const LedgerHeading& heading, double scale) {
        s_.Print("");
        printCentred(s_, width_, book_.BusinessName.str());
        s_.Print("");
        printCentred(s_, width_, accountHeading(heading));
        s_.FontSize = BodyPoints * scale;
        s_.Print("");
        printCentred(s_, width_, periodText(heading));
        newPageBeforeFoot(s_, 3 * s_.TextHeight("")); // the T starts with a row of its own
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
        if (!newPageBeforeFoot(s_, lines * s_.TextHeight(""))) return;
        rule_ = columns_[Stem].right() + 10;
        s_.Line(rule_, 0, rule_, height_, Black);
        s_.CurrentX = 0;
        s_.CurrentY = 0;
    }

    // A row of the halves that have one, as the window's page shows them:
    // the texts wrapped in their columns, the dates and amounts on the first line.
    void row(const TAccountRow* debit, const TAccountRow* credit) {
        std::vector<DrawnCell> cells, figures;
        for (const auto& [half, isDebit] : {std::pair{debit, true}, {credit, false}})
            if (half) {
                std::vector<DrawnCell> more = tAccountCells(*half, isDebit, names_, book_, locale_);
                cells.insert(cells.end(), more.begin(), more.end());
            }
        std::vector<RowText> texts;
        for (const DrawnCell& cell : cells) {
            const TableColumn& column = columns_[static_cast<std::size_t>(cell.column)];
            if (cell.column == DebitText || cell.column == CreditText)
                texts.push_back({cell.text, column.left, column.right(), cell.bold});
            else
                figures.push_back(cell);
        }
        printWrappedRow(
            s_, texts, [this](int lines) { makeRoom(lines); },
            [&] { // a date or an amount, ending where its column ends
                for (const DrawnCell& cell : figures) {
                    s_.FontBold = cell.bold;
                    printEndingAt(s_, columns_[static_cast<std::size_t>(cell.column)].right(),
                                  cell.text);
                }
            });
    }

    void foot(const TAccountLedger& ledger) {
        makeRoom(5);
        endLine(s_);
        s_.Line(40 * P, s_.CurrentY, width_ - 40 * P, s_.CurrentY, Black);
        s_.CurrentX = 0;
        s_.FontBold = true;
        endLine(s_);
        printEndingAt(s_, amountEnd(true), ledger.DebitTotalText);
        printEndingAt(s_, amountEnd(false), ledger.CreditTotalText);
        endLine(s_);
        endLine(s_);
        printEndingAt(s_, amountEnd(true), ledger.DebitBroughtDownText);
        printEndingAt(s_, amountEnd(false), ledger.CreditBroughtDownText);
        endLine(s_);
        // Below the foot the centre rule is covered.
        s_.Line(rule_, s_.CurrentY, rule_, height_, White);
    }

  private:
    double amountEnd(bool debit) const {
        return columns_[debit ? DebitAmount : CreditAmount].right();
    }

    DrawingSurface& s_;
    const Book& book_;
    const AccountNameIndex names_;
    const LocaleInfo& locale_;
    const std::vector<TableColumn> columns_;
    double width_, height_;
    double rule_; // x of this page's centre rule
};

// --- general journal ---

class JournalPages {
  public:
    JournalPages(DrawingSurface& s, const std::string& period) : s_(s), period_(period) {}

    // The period at the top of a page's lines, below the page's number; on
    // the first page it keeps the first entry line with it.
    void pageHeading(bool first = false) {
        if (first) endLine(s_);
        printPeriod(s_, period_, first ? 3 * s_.TextHeight("") : 0, true);
        endLine(s_); // the heading's own closing line break
        endLine(s_);
    }
    // A new page, with its heading, when `lines` more lines would pass the foot.
    void test(int lines) {
        if (newPageBeforeFoot(s_, lines * s_.TextHeight(""))) pageHeading();
    }

  private:
    DrawingSurface& s_;
    std::string period_;
};

// A note wrapped within `limit` centred on the page, every line centred.
void printNote(DrawingSurface& s, JournalPages& pages, const std::string& note, double limit) {
    const double width = s.ScaleWidth();
    printWithin(s, note, (width - limit) / 2, (width + limit) / 2, LineAlign::Centre,
                [&] { pages.test(1); });
}

} // namespace

void printTAccount(DrawingSurface& s, const Book& book, const TAccountLedger& ledger,
                   const LedgerHeading& heading, const LocaleInfo& locale, double printScale) {
    const DrawnTexts texts = tAccountTexts(book, ledger, locale);
    auto columnsAt = [&](double zoom) { return tAccountColumns(s, ledger, texts, zoom); };
    const double width = s.ScaleWidth();
    printScale = printoutZoom(s, book, printScale, width, columnsAt,
                              {{{book.BusinessName.str()}, TitlePoints, true, width},
                               {{accountHeading(heading)}, TitlePoints, true, width},
                               {{periodText(heading)}, BodyPoints, true, width}});
    startCopy(s, book, BodyPoints * printScale, false);
    std::vector<TableColumn> columns = columnsAt(printScale);
    startCopy(s, book, TitlePoints * printScale, true);
    TAccountPage page(s, book, locale, std::move(columns));
    page.heading(heading, printScale);
    const std::size_t rows = std::max(ledger.Debit.Rows.size(), ledger.Credit.Rows.size());
    auto rowOf = [](const TAccountHalf& half, std::size_t r) {
        return r < half.Rows.size() ? &half.Rows[r] : nullptr;
    };
    for (std::size_t r = 0; r < rows; ++r)
        page.row(rowOf(ledger.Debit, r), rowOf(ledger.Credit, r));
    page.foot(ledger);
    s.EndDoc();
}

namespace {

// The journal's columns across 0.95 of the page's width T, left to right. At
// their design: dates ending 100 twips short of the debit names at 0.10 T,
// credit names 260 twips further in, numbers from 0.66 T, debit amounts
// ending 200 short of 0.88 T, credit amounts 200 short of T. Wider dates,
// numbers and amounts take their room from the names. A credit name's room
// is the name column, a debit name's the indent and the name column.
enum JColumn { JDate, JGap, JIndent, JName, JNumber, JDebit, JCredit, JTail, JDebitName };
// JDebitName: the cell of a debit name, the indent and the name column as one.

const EntryLine& listedLine(const Book& book, const JournalList& list, std::size_t k) {
    return book.EntryLines[static_cast<std::size_t>(list.ShownLines[k])];
}

// The cells of the k-th line listed as the journal prints them, all regular:
// its date where it is not the line's before, and on a debit or a credit
// line its account's name, number (between blanks, a negative one without
// the first) and amount.
std::vector<DrawnCell> journalCells(const Book& book, const JournalList& list, std::size_t k,
                                    const AccountNameIndex& names, const LocaleInfo& locale) {
    const EntryLine& line = listedLine(book, list, k);
    std::vector<DrawnCell> cells;
    if (k == 0 || dayOfDate(line.Date) != dayOfDate(listedLine(book, list, k - 1).Date))
        cells.push_back({JDate, Tmain::FormatDateStyle(line.Date, book.DateStyle, locale)});
    if (line.Side != Debit && line.Side != Credit) return cells;
    const bool debit = line.Side == Debit;
    const NumberMarks marks = marksOf(locale);
    cells.push_back({debit ? JDebitName : JName, names.name(line.AccountNumber)});
    cells.push_back({JNumber, (line.AccountNumber.raw < 0 ? "" : " ") +
                                  folioText(book, line.AccountNumber, marks.decimal) + " "});
    cells.push_back(
        {debit ? JDebit : JCredit,
         formatAmount(line.Amount, Book::clampDecimals(book.DecimalsJournal), marks, true)});
    return cells;
}

std::vector<TableColumn> journalColumns(DrawingSurface& s, const DrawnTexts& texts, double scale) {
    const double table = 0.95 * std::floor(s.ScaleWidth());
    std::vector<TableColumn> columns =
        designedColumns({0.10 * table - 100, 100, 260, 0.56 * table - 260, 0.08 * table,
                         0.14 * table - 200, 0.12 * table, 200});
    const double gap = s.TextWidth("  ");
    columns[JDate].need = texts.widest(s, JDate);
    columns[JNumber].need = texts.widest(s, JNumber); // with its blanks
    columns[JDebit].need = texts.widest(s, JDebit) + gap;
    columns[JCredit].need = texts.widest(s, JCredit) + gap;
    columns[JName].least = 60 * P * scale;
    wrapsOnPaper(
        columns[JName],
        std::max(texts.widest(s, JName), texts.widest(s, JDebitName) - columns[JIndent].design),
        std::max(texts.narrowestRoom(s, JName),
                 texts.narrowestRoom(s, JDebitName) - columns[JIndent].design));
    placeOnPaper(columns, 0, table);
    return columns;
}

// The note that ends an entry at the listed line `n`, with its reference:
// the line's note ("_" for none) and " / " and the reference where it has one.
std::string journalNote(const Book& book, std::int32_t n) {
    const EntryLine& line = book.EntryLines[static_cast<std::size_t>(n)];
    std::string note = trimmedSpaces(line.Details);
    if (note == "_") note.clear();
    const std::string reference = withoutNuls(book.EntryIds[static_cast<std::size_t>(n)].raw());
    if (!trimmedSpaces(reference).empty()) note += " / " + printedReference(reference);
    return note;
}

} // namespace

void printGeneralJournal(DrawingSurface& s, const Book& book, const JournalList& list,
                         const LedgerHeading& heading, const LocaleInfo& locale,
                         double printScale) {
    const double width = s.ScaleWidth();
    const double table = 0.95 * std::floor(width);
    const AccountNameIndex names(book);

    const double noteRoom = width - 0.10 * table;
    const std::string period = periodText(heading);
    DrawnTexts texts;
    std::vector<std::string> notes;
    for (std::size_t k = 0; k < list.ShownLines.size(); ++k) {
        texts.add(journalCells(book, list, k, names, locale));
        if (closesEntry(listedLine(book, list, k).Details))
            notes.push_back(journalNote(book, list.ShownLines[k]));
    }
    auto columnsAt = [&](double zoom) { return journalColumns(s, texts, zoom); };
    printScale = printoutZoom(s, book, printScale, table, columnsAt,
                              {{{book.BusinessName.str()}, TitlePoints, true, width},
                               {{strings::text(303)}, TitlePoints, true, width},
                               {{period}, BodyPoints, true, width},
                               {wordsOf(notes), BodyPoints, true, noteRoom, true}});
    startCopy(s, book, BodyPoints * printScale, false);
    const std::vector<TableColumn> columns = columnsAt(printScale);
    startCopy(s, book, TitlePoints * printScale, true);
    const PageNumbers numbers(s, 500, BodyPoints * printScale);
    s.Print("");
    printCentred(s, width, book.BusinessName.str());
    s.Print("");
    printCentred(s, width, strings::text(303));
    s.FontSize = BodyPoints * printScale;
    endLine(s);

    // The first page's period and number, an empty journal's too.
    JournalPages pages(s, period);
    s.FontBold = true;
    pages.pageHeading(true);
    const TableColumn& name = columns[JName];
    for (std::size_t k = 0; k < list.ShownLines.size(); ++k) {
        const std::int32_t n = list.ShownLines[k];
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(n)];
        s.FontBold = true;
        if (k > 0) pages.test(2);
        s.FontBold = false;
        std::vector<RowText> texts;
        std::vector<DrawnCell> figures;
        for (DrawnCell& cell : journalCells(book, list, k, names, locale)) {
            if (cell.column == JName || cell.column == JDebitName)
                texts.push_back(cellText(
                    s, cell.column == JName ? name : spanned(columns[JIndent], name), cell.text));
            else
                figures.push_back(std::move(cell));
        }
        printWrappedRow(
            s, texts, [&](int lines) { pages.test(lines); },
            [&] {
                for (const DrawnCell& cell : figures) {
                    if (cell.column == JNumber)
                        printAt(s, columns[JNumber].left, cell.text);
                    else // a date or an amount, ending where its column ends
                        printEndingAt(s, columns[static_cast<std::size_t>(cell.column)].right(),
                                      cell.text);
                }
            });
        if (!closesEntry(line.Details)) continue;

        s.FontBold = true;
        s.FontItalic = true;
        printNote(s, pages, journalNote(book, n), noteRoom);
        for (int blank = 0; blank < 2; ++blank) {
            pages.test(1);
            endLine(s);
        }
        s.FontItalic = false;
    }
    s.EndDoc();
}

namespace {

// The running balance's columns across the page's width W, left to right.
// At their design, in the usable U = 0.95 W: dates ending at X1 = 0.05 W +
// 0.1 U, references an "ee" after it, names from X1 + 0.17 U, debits and
// credits ending an "eeee" short of X1 + 0.60 U and X1 + 0.75 U, balances 200
// twips short of U. Wider figures take their room from the names and the
// margins between the columns. A reference and a name are each drawn in the
// very column that holds them: its width is their room.
enum RColumn {
    RLeft,
    RDate,
    RReferenceGap,
    RReference,
    RReferenceEnd,
    RReferenceRight,
    RName,
    RNameEnd,
    RDebit,
    RDebitRight,
    RCredit,
    RCreditRight,
    RBalance,
    RBalanceRight,
    RMargin
};

// Each row's cells as the running balance prints them (the window's page's
// texts), all regular, handed to `use` in order (a balance of 0 takes its
// suffix from the row before): date, reference, account's name, debit or
// credit, and balance.
void eachRunningBalanceRow(const Book& book, const RunningBalanceLedger& ledger,
                           const LocaleInfo& locale,
                           const std::function<void(const std::vector<DrawnCell>&)>& use) {
    const AccountNameIndex names(book);
    std::string suffix;
    std::vector<DrawnCell> cells;
    for (const RunningBalanceRow& row : ledger.Rows) {
        RunningBalanceCells c = runningBalanceRowCells(book, row, names, locale, suffix);
        cells = {{RDate, std::move(c.date)},
                 {RReference, printedReference(c.reference)},
                 {RName, std::move(c.account)}};
        for (auto& [text, column] : {std::pair{&c.debit, RDebit}, std::pair{&c.credit, RCredit}})
            if (!text->empty()) cells.push_back({column, std::move(*text)});
        cells.push_back({RBalance, std::move(c.balance)});
        use(cells);
    }
}

std::vector<TableColumn> runningBalanceColumns(DrawingSurface& s, const DrawnTexts& texts,
                                               double scale) {
    const double width = s.ScaleWidth();
    const double usable = 0.95 * width;
    s.FontBold = false; // the rows' type
    const double e = s.TextWidth("e");
    std::vector<TableColumn> columns =
        designedColumns({0.05 * width, 0.1 * usable, 2 * e, 0.07 * usable - 3 * e, e, 0.1 * usable,
                         0.28 * usable - e, e, 0.15 * usable - 4 * e, 4 * e, 0.15 * usable - 4 * e,
                         4 * e, 0.15 * usable - 0.05 * width - 200, 200, width - usable});
    // Each column as wide as its bold heading too, so that none is cut.
    s.FontBold = true;
    auto heading = [&](int text) { return s.TextWidth(strings::text(text)); };
    const double date = heading(175) + s.TextWidth("ee/"), referenceHeading = heading(174),
                 name = heading(176), debit = heading(162) + e, credit = heading(163) + e,
                 balance = heading(155) + e;
    s.FontBold = false;
    columns[RDate].need = std::max(texts.widest(s, RDate), date);
    columns[RDebit].need = std::max(texts.widest(s, RDebit) + e, debit);
    columns[RCredit].need = std::max(texts.widest(s, RCredit) + e, credit);
    columns[RBalance].need = std::max(texts.widest(s, RBalance) + e, balance);
    for (const RColumn margin :
         {RLeft, RReferenceRight, RName, RDebitRight, RCreditRight, RBalanceRight, RMargin})
        columns[margin].name = true;
    // A name (and its heading) wraps within its column where the page has no
    // room for it whole, its words kept whole.
    columns[RName].least = std::max(30 * P * scale, name);
    wrapsOnPaper(columns[RName], texts.widest(s, RName), texts.narrowestRoom(s, RName));
    // A reference takes its room whole from the names and margins first: it
    // is one word (printedReference), the zoom lowered for it where need be.
    TableColumn& references = columns[RReference];
    references.least = 30 * P * scale;
    const double reference = std::max(texts.widest(s, RReference), referenceHeading);
    references.design = std::max(references.design, reference);
    wrapsOnPaper(references, reference, texts.narrowestRoom(s, RReference));
    placeOnPaper(columns, 0, width);
    return columns;
}

} // namespace

void printRunningBalance(DrawingSurface& s, const Book& book, const RunningBalanceLedger& ledger,
                         const LedgerHeading& heading, const LocaleInfo& locale, double printScale,
                         const std::function<void(DrawingSurface&)>& printHeader) {
    const double width = s.ScaleWidth();
    DrawnTexts texts;
    eachRunningBalanceRow(book, ledger, locale,
                          [&](const std::vector<DrawnCell>& cells) { texts.add(cells); });
    auto columnsAt = [&](double zoom) { return runningBalanceColumns(s, texts, zoom); };
    const std::string period = heading.from + " To " + heading.to;
    const std::vector<std::string> address = addressLines(book, heading.folio, locale.decimalMark);
    printScale = printoutZoom(s, book, printScale, width, columnsAt,
                              {{address, BodyPoints, false, width - AddressLeft},
                               {{accountHeading(heading)}, AccountPoints, true, width},
                               {{period}, BodyPoints, true, width}});
    const double body = BodyPoints * printScale;

    // The business heading and the account's address on every copy.
    startCopy(s, book, body, false);
    const std::vector<TableColumn> columns = columnsAt(printScale);
    const PageNumbers numbers(s, PageNumberMargin, body);
    if (printHeader) printHeader(s);
    s.CurrentY = std::max(s.CurrentY, 2835.0);
    s.FontBold = false;
    s.FontSize = body;
    for (const std::string& line : address)
        printWithin(s, line, AddressLeft, width, LineAlign::Left);
    for (int blank = 0; blank < 5; ++blank)
        endLine(s);

    s.FontBold = true;
    s.FontSize = AccountPoints * printScale;
    printCentred(s, width, accountHeading(heading));
    s.FontSize = body;
    endLine(s);
    // The period, the rule and the column headings together on a page.
    printPeriod(s, period, s.TextHeight("") + 200);
    s.CurrentY += 100;
    s.Line(0, s.CurrentY, width, s.CurrentY, Black);
    s.CurrentX = 0;
    s.CurrentY += 100;

    // A new page, below its number, where `lines` more would pass the foot.
    auto room = [&](int lines) {
        if (newPageBeforeFoot(s, lines * s.TextHeight(""))) endLine(s);
    };
    // A heading centred over its column, wrapped within it.
    auto centredIn = [&](const TableColumn& column, const std::string& text) {
        return RowText{text, column.left, column.right(), true, LineAlign::Centre};
    };
    const double x1 = columns[RDate].right();
    printWrappedRow(
        s,
        {centredIn(spanned(columns[RReferenceGap], columns[RReferenceRight]), strings::text(174)),
         centredIn(spanned(columns[RName], columns[RNameEnd]), strings::text(176)),
         centredIn(columns[RDebit], strings::text(162)),
         centredIn(columns[RCredit], strings::text(163))},
        room, [&] {
            s.FontBold = true;
            printAt(s, x1 - s.TextWidth(strings::text(175) + "ee/"), strings::text(175));
            printEndingAt(s, columns[RBalance].right(), strings::text(155));
        });

    eachRunningBalanceRow(book, ledger, locale, [&](const std::vector<DrawnCell>& cells) {
        s.FontBold = false;
        std::vector<RowText> texts;
        std::vector<const DrawnCell*> figures;
        for (const DrawnCell& cell : cells) {
            const TableColumn& column = columns[static_cast<std::size_t>(cell.column)];
            if (cell.column == RReference || cell.column == RName)
                texts.push_back(cellText(s, column, cell.text));
            else
                figures.push_back(&cell);
        }
        printWrappedRow(s, texts, room, [&] { // a date or a figure, ending where its column ends
            for (const DrawnCell* cell : figures)
                printEndingAt(s, columns[static_cast<std::size_t>(cell->column)].right(),
                              cell->text);
        });
    });
    s.EndDoc();
}
