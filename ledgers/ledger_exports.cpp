#include "ledgers/ledger_exports.h"

#include "book/account_name_index.h"
#include "book/excel_file.h"
#include "book/html_text.h"
#include "book/mail_draft.h"
#include "book/number_format.h"
#include "book/safe_file.h"
#include "book/tmain.h"
#include "platform/drawing_surface.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

const char* const NothingBuilt = "Choose an account first: no ledger has been built yet.";
constexpr int FontPoints = 9;
constexpr double MarginInches = 0.5;
const std::string Quote = "\"";

std::string trimmedSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string withoutNuls(std::string text) {
    std::erase(text, '\0');
    return text;
}

// One field of a comma-separated line (RFC 4180): quoted, quotes doubled,
// when it holds a comma, a quote, CR or LF.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = Quote;
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + Quote;
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + csvField(fields[i]);
    return line + "\r\n";
}

// A report column of `pixels` screen pixels in spreadsheet characters
// (120 twips each), halves to even.
int sheetColumn(int pixels) {
    return static_cast<int>(std::nearbyint(pixels * TwipsPerScreenPixel / 120.0));
}

// Cell writes that stop at the first failure.
class Sheet {
  public:
    ExcelFile file;
    std::error_code error;

    void check(std::error_code ec) {
        if (!error) error = ec;
    }
    void cell(int font, int alignment, std::int32_t row, int column, const std::string& text,
              int attribute = 0) {
        if (!error)
            check(file.WriteValue(ExcelFile::TextValue, font, alignment, attribute, row, column,
                                  text));
    }
    // File start, grid lines off, half-inch margins, the four fonts, the
    // column widths and the business name as page header and footer.
    void start(const std::filesystem::path& path, const Book& book,
               const std::vector<int>& columnPixels) {
        check(file.CreateFile(path));
        if (!error) check(file.PrintGridLines(false));
        for (int margin : {ExcelFile::TopMargin, ExcelFile::LeftMargin, ExcelFile::RightMargin,
                           ExcelFile::BottomMargin})
            if (!error) check(file.SetMargin(margin, MarginInches));
        for (int bits :
             {0, ExcelFile::Bold, ExcelFile::Underlined, ExcelFile::Bold | ExcelFile::Italic})
            if (!error) check(file.SetFont(book.FontName.str(), FontPoints, bits));
        for (std::size_t c = 0; c < columnPixels.size(); ++c)
            if (!error)
                check(file.SetColumnWidth(static_cast<int>(c + 1), static_cast<int>(c + 1),
                                          sheetColumn(columnPixels[c])));
        if (!error) check(file.SetHeader(book.BusinessName.str()));
        if (!error) check(file.SetFooter(book.BusinessName.str()));
    }
    void finish() {
        if (!error) check(file.CloseFile());
    }
};

LedgerExportResult finished(LedgerExportResult result, std::error_code error,
                            std::int32_t maxRows) {
    if (error) {
        result.message = Tmain::FileErrorText(Tmain::FileErrorNumber(error));
        Tmain::FileErrorMessage(error);
        result.rowsWritten = 0;
        return result;
    }
    result.ok = true;
    if (result.rowsWritten < result.rowsListed) {
        result.notice = "Only the first " + std::to_string(result.rowsWritten) + " of the " +
                        std::to_string(result.rowsListed) +
                        " lines were written: a spreadsheet of this kind holds at most " +
                        std::to_string(maxRows) + " rows.";
        showMessage(result.notice);
    }
    return result;
}

std::string journalNumberText(Currency number, const NumberMarks& marks) {
    return plainNumberText(number, marks.decimal);
}

// The rows of the journal sheet, entry by entry.
std::int32_t writeJournalRows(Sheet& sheet, const Book& book, const JournalList& list,
                              const LocaleInfo& locale) {
    const AccountNameIndex names(book);
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsJournal);
    const std::vector<std::int32_t>& shown = list.ShownLines;
    std::int32_t row = 2;
    std::size_t written = 0;
    bool dateShown = false;
    double lastDate = 0;
    while (written < shown.size() && !sheet.error) {
        // The entry starting at `written`: up to its note line or the list's end.
        std::size_t end = written;
        while (end + 1 < shown.size() &&
               !closesEntry(book.EntryLines[static_cast<std::size_t>(shown[end])].Details))
            ++end;
        const bool closes =
            closesEntry(book.EntryLines[static_cast<std::size_t>(shown[end])].Details);
        const auto needed = static_cast<std::int32_t>(end - written + 1) + (closes ? 2 : 0);
        if (row + needed > ExcelFile::MaxRows) break;

        std::string suffix;
        for (std::size_t p = written; p <= end; ++p) {
            const std::int32_t n = shown[p];
            const EntryLine& line = book.EntryLines[static_cast<std::size_t>(n)];
            const std::string reference =
                trimmedSpaces(withoutNuls(book.EntryIds[static_cast<std::size_t>(n)].raw()));
            ++row;
            // A date shows once, on the first line of that date that is not a
            // credit line (credit lines leave the date column empty).
            const bool showDate = line.Side != Credit && (!dateShown || line.Date != lastDate);
            if (showDate) {
                dateShown = true;
                lastDate = line.Date;
            }
            sheet.cell(ExcelFile::Font0, ExcelFile::AlignLeft, row, 1,
                       showDate ? Tmain::FormatDateStyle(line.Date, book.DateStyle, locale)
                                : std::string());
            if (line.Side == Debit || line.Side == Credit) {
                const bool debit = line.Side == Debit;
                if (debit && suffix.empty() && !reference.empty()) suffix = " / " + reference;
                const std::string amount = formatAmount(line.Amount, decimals, marks, true);
                sheet.cell(ExcelFile::Font0, ExcelFile::AlignLeft, row, 2,
                           (debit ? "" : std::string(14, ' ')) + names.name(line.AccountNumber));
                sheet.cell(ExcelFile::Font0, ExcelFile::AlignRight, row, 3,
                           journalNumberText(line.AccountNumber, marks));
                sheet.cell(ExcelFile::Font0, ExcelFile::AlignRight, row, 4, debit ? amount : "");
                sheet.cell(ExcelFile::Font0, ExcelFile::AlignRight, row, 5, debit ? "" : amount);
            }
            if (!closesEntry(line.Details)) continue;
            // The entry's own reference, also when it has no debit line.
            if (suffix.empty() && !reference.empty()) suffix = " / " + reference;
            ++row;
            for (int c = 1; c <= 5; ++c)
                sheet.cell(ExcelFile::Font3, c == 2 ? ExcelFile::AlignCentre : ExcelFile::AlignLeft,
                           row, c, c == 2 ? trimmedSpaces(line.Details) + suffix : "");
            ++row;
            for (int c = 1; c <= 5; ++c)
                sheet.cell(ExcelFile::Font3, ExcelFile::AlignLeft, row, c, "");
        }
        written = end + 1;
    }
    return static_cast<std::int32_t>(written);
}

std::string shortDate(double date, const LocaleInfo& locale) {
    return Tmain::FormatDateStyle(date, 0, locale);
}

} // namespace

LedgerExportResult exportJournalSheet(const Book& book, const JournalList& list,
                                      const std::filesystem::path& path, const LocaleInfo& locale) {
    LedgerExportResult result;
    result.rowsListed = static_cast<std::int32_t>(list.ShownLines.size());
    Sheet sheet;
    sheet.start(path, book, {100, 500, 100, 100, 100});
    for (std::int32_t row = 1; row <= 2; ++row)
        for (int c = 1; c <= 5; ++c)
            sheet.cell(ExcelFile::Font1, ExcelFile::AlignLeft, row, c,
                       row == 1 && c == 2 ? "General Journal, " + book.BusinessName.str() : "");
    result.rowsWritten = writeJournalRows(sheet, book, list, locale);
    sheet.finish();
    return finished(result, sheet.error, ExcelFile::MaxRows);
}

std::string runningBalanceCsv(const Book& book, const RunningBalanceLedger& ledger,
                              const LedgerHeading& heading, const LocaleInfo& locale) {
    const AccountNameIndex names(book);
    const std::string& mark = locale.decimalMark;
    std::string text =
        csvLine({"Date", "No", heading.account + " Account", "Debit", "Credit", "Balance"});
    for (const RunningBalanceRow& row : ledger.Rows)
        text += csvLine({shortDate(row.Date, locale), withoutNuls(row.Reference),
                         names.name(row.Account), plainNumberText(row.Debit, mark),
                         plainNumberText(row.Credit, mark), plainNumberText(row.Balance, mark)});
    return text;
}

std::string runningBalanceWebPage(const Book& book, const RunningBalanceLedger& ledger,
                                  const LedgerHeading& heading, const LocaleInfo& locale,
                                  double today) {
    if (heading.folio.empty()) return "";
    const AccountNameIndex names(book);
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsLedger);
    auto q = [](const std::string& value) { return Quote + value + Quote; };

    std::string h = "<html><body><br><br><font size=" + q("2") +
                    " face=" + q(htmlEscaped(book.FontName.str())) + "><p align=" + q("right") +
                    ">";
    h += "<b>" + htmlEscaped(book.BusinessName.str()) + "</b><br>";
    if (!book.BusinessAddress.str().empty())
        for (const std::string& line : splitTextLines(book.BusinessAddress.str()))
            h += htmlEscaped(line) + "<br>";
    h += "</p><br><br><p>";
    for (const std::string& line : addressLines(book, heading.folio, locale.decimalMark))
        h += htmlEscaped(line) + "<br>";
    h += "<br><br><b>" + htmlEscaped(strings::text(280)) + " </b>" +
         htmlEscaped(shortDate(today, locale)) + "<br><br>";
    h += "<b><center>" + htmlEscaped(heading.account) + " (" + htmlEscaped(heading.folio) +
         ")<br><br>" + htmlEscaped(heading.from) + " to " + htmlEscaped(heading.to);
    h += "<br>" + std::string(94, '_') + "<br></b>";
    h += "<table style=" + q("border:none; Width:840px; font-size:12px") + "><tr>";
    auto headCell = [&](const char* width, int text) {
        return "<td width=" + q(width) + " style=" + q("border:none") + "><b><center>" +
               htmlEscaped(strings::text(text)) + "</center></b></td>";
    };
    h += headCell("8%", 175) + headCell("12%", 174) + "<td><b><center>" +
         htmlEscaped(strings::text(176)) + "</center></b></td>" + headCell("15%", 162) +
         headCell("15%", 163) + headCell("15%", 155);
    h += "</tr>";
    std::string suffix;
    for (const RunningBalanceRow& row : ledger.Rows) {
        auto amount = [&](Currency value) {
            return value.isZero() ? std::string() : formatAmount(value, decimals, marks, true);
        };
        suffix = balanceSuffix(row.Balance, suffix);
        h += "<tr><td>" + htmlEscaped(Tmain::FormatDateStyle(row.Date, book.DateStyle, locale)) +
             "</td><td>" + htmlEscaped(row.Reference) + "</td><td>" +
             htmlEscaped(names.name(row.Account)) + "</td>";
        for (const std::string& cell : {amount(row.Debit), amount(row.Credit),
                                        balanceText(row.Balance, decimals, marks, suffix)})
            h += "<td align=" + q("right") + ">" + htmlEscaped(cell) + "</td>";
        h += "</tr>";
    }
    h += "</table></p></font></center></body></html>";
    return h;
}

std::string runningBalanceSubject(const Book& book, const LedgerHeading& heading) {
    return book.BusinessName.str() + ", " + heading.account + ", " + heading.from + " to " +
           heading.to;
}

LedgerExportResult exportRunningBalance(const Book& book, const RunningBalanceLedger& ledger,
                                        const LedgerHeading& heading,
                                        const std::filesystem::path& path, const std::string& type,
                                        const LocaleInfo& locale, double today) {
    LedgerExportResult result;
    result.rowsListed = static_cast<std::int32_t>(ledger.Rows.size());
    if (heading.folio.empty()) {
        result.message = NothingBuilt;
        showMessage(result.message);
        return result;
    }
    if (type == "csv" || type == "htm") {
        const std::string text =
            type == "csv" ? runningBalanceCsv(book, ledger, heading, locale)
                          : runningBalanceWebPage(book, ledger, heading, locale, today) + "\r\n";
        result.rowsWritten = result.rowsListed;
        return finished(result, writeFileSafely(path, text), ExcelFile::MaxRows);
    }

    const AccountNameIndex names(book);
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsLedger);
    Sheet sheet;
    sheet.start(path, book, {100, 120, 500, 120, 120, 140});
    const std::array<std::string, 6> headings{strings::text(175), strings::text(174),
                                              strings::text(176), strings::text(162),
                                              strings::text(163), strings::text(155)};
    const std::string period = strings::text(173) + " " + heading.from + " to " + heading.to;
    for (std::int32_t r = 1; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c) {
            std::string text;
            if (c == 3 && r == 1) text = book.BusinessName.str();
            if (c == 3 && r == 3) text = heading.account;
            if (c == 3 && r == 4) text = period;
            if (r == 6) text = headings[static_cast<std::size_t>(c - 1)];
            const int alignment = r <= 2   ? 0
                                  : r == 6 ? ExcelFile::AlignCentre
                                           : ExcelFile::AlignLeft;
            const bool locked = (r <= 2 || r == 5) && c <= 5;
            sheet.cell(ExcelFile::Font1, alignment, r, c, text, locked ? ExcelFile::CellLocked : 0);
        }
    const auto fits = std::min<std::int32_t>(result.rowsListed, ExcelFile::MaxRows - 6);
    std::string suffix;
    for (std::int32_t i = 0; i < fits && !sheet.error; ++i) {
        const RunningBalanceRow& row = ledger.Rows[static_cast<std::size_t>(i)];
        suffix = balanceSuffix(row.Balance, suffix);
        const std::array<std::string, 6> cells{shortDate(row.Date, locale),
                                               withoutNuls(row.Reference),
                                               names.name(row.Account),
                                               formatAmount(row.Debit, decimals, marks, true),
                                               formatAmount(row.Credit, decimals, marks, true),
                                               balanceText(row.Balance, decimals, marks, suffix)};
        for (int c = 1; c <= 6; ++c)
            sheet.cell(ExcelFile::Font0, c <= 3 ? ExcelFile::AlignLeft : ExcelFile::AlignRight,
                       7 + i, c, cells[static_cast<std::size_t>(c - 1)]);
    }
    sheet.finish();
    result.rowsWritten = fits;
    return finished(result, sheet.error, ExcelFile::MaxRows);
}

std::optional<std::filesystem::path> mailRunningBalance(const Book& book,
                                                        const RunningBalanceLedger& ledger,
                                                        const LedgerHeading& heading,
                                                        const LocaleInfo& locale, double today,
                                                        const std::string& caption) {
    if (heading.folio.empty()) {
        showMessage(NothingBuilt);
        return std::nullopt;
    }
    return Tmain::OpenMailDraft("AccountLedger",
                                runningBalanceWebPage(book, ledger, heading, locale, today),
                                runningBalanceSubject(book, heading), caption);
}
