#include "ledgers/ledger_exports.h"

#include "book/account_name_index.h"
#include "book/account_number_text.h"
#include "book/business_heading.h"
#include "book/csv_text.h"
#include "book/day_of_date.h"
#include "book/excel_file.h"
#include "book/html_text.h"
#include "book/letter_html.h"
#include "book/mail_draft.h"
#include "book/number_format.h"
#include "book/plain_text.h"
#include "book/report_sheet.h"
#include "book/safe_file.h"
#include "book/tmain.h"
#include "platform/drawing_surface.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <array>
#include <vector>

namespace {

const char* const NothingBuilt = "Choose an account first: no ledger has been built yet.";
const std::string Quote = "\"";

// A report sheet with the ledgers' column widths (in screen pixels) and the
// business name as page header and footer.
void startSheet(ReportSheet& sheet, const std::filesystem::path& path, const Book& book,
                const std::vector<int>& columnPixels) {
    std::vector<int> widths;
    for (int pixels : columnPixels)
        widths.push_back(sheetColumnCharacters(pixels * TwipsPerScreenPixel));
    sheet.start(path, book.FontName.str(), widths, book.BusinessName.str());
}

// `what` names what was counted: the journal's "lines", the ledger's "rows";
// `textsCut` how many texts were cut to fit a spreadsheet's cells.
LedgerExportResult finished(LedgerExportResult result, const std::filesystem::path& path,
                            std::error_code error, const std::string& what, int textsCut = 0) {
    if (error) {
        result.message = Tmain::WriteFailureText(path, error);
        showMessage(result.message);
        result.rowsWritten = 0;
        return result;
    }
    result.ok = true;
    result.notice = sheetNotice(result.rowsWritten, result.rowsListed, what, textsCut);
    if (!result.notice.empty()) showMessage(result.notice);
    return result;
}

// The rows of the journal sheet, entry by entry.
std::int32_t writeJournalRows(ReportSheet& sheet, const Book& book, const JournalList& list,
                              const LocaleInfo& locale) {
    const AccountNameIndex names(book);
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsJournal);
    const std::vector<std::int32_t>& shown = list.ShownLines;
    std::int32_t row = 2;
    std::size_t written = 0;
    bool dateShown = false;
    double lastDay = 0;
    while (written < shown.size() && !sheet.failed()) {
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
            // A day shows once, on the first line of that day that is not a
            // credit line (credit lines leave the date column empty); the
            // time of day a date holds makes no new day.
            const double lineDay = dayOfDate(line.Date);
            const bool showDate = line.Side != Credit && (!dateShown || lineDay != lastDay);
            if (showDate) {
                dateShown = true;
                lastDay = lineDay;
            }
            sheet.text(ExcelFile::Font0, ExcelFile::AlignLeft, 0, row, 1,
                       showDate ? Tmain::FormatDateStyle(line.Date, book.DateStyle, locale)
                                : std::string());
            if (line.Side == Debit || line.Side == Credit) {
                const bool debit = line.Side == Debit;
                if (debit && suffix.empty() && !reference.empty()) suffix = " / " + reference;
                const std::string amount = formatAmount(line.Amount, decimals, marks, true);
                sheet.text(ExcelFile::Font0, ExcelFile::AlignLeft, 0, row, 2,
                           (debit ? "" : std::string(14, ' ')) + names.name(line.AccountNumber));
                sheet.text(ExcelFile::Font0, ExcelFile::AlignRight, 0, row, 3,
                           folioText(book, line.AccountNumber, marks.decimal));
                sheet.text(ExcelFile::Font0, ExcelFile::AlignRight, 0, row, 4, debit ? amount : "");
                sheet.text(ExcelFile::Font0, ExcelFile::AlignRight, 0, row, 5, debit ? "" : amount);
            }
            if (!closesEntry(line.Details)) continue;
            // The entry's own reference, also when it has no debit line.
            if (suffix.empty() && !reference.empty()) suffix = " / " + reference;
            ++row;
            for (int c = 1; c <= 5; ++c)
                sheet.text(ExcelFile::Font3, c == 2 ? ExcelFile::AlignCentre : ExcelFile::AlignLeft,
                           0, row, c, c == 2 ? trimmedSpaces(line.Details) + suffix : "");
            ++row;
            for (int c = 1; c <= 5; ++c)
                sheet.text(ExcelFile::Font3, ExcelFile::AlignLeft, 0, row, c, "");
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
    ReportSheet sheet;
    startSheet(sheet, path, book, {100, 500, 100, 100, 100});
    for (std::int32_t row = 1; row <= 2; ++row)
        for (int c = 1; c <= 5; ++c)
            sheet.text(ExcelFile::Font1, ExcelFile::AlignLeft, 0, row, c,
                       row == 1 && c == 2
                           ? joinedHeading("General Journal", ", ", book.BusinessName.str())
                           : "");
    result.rowsWritten = writeJournalRows(sheet, book, list, locale);
    return finished(result, path, sheet.finish(), "lines", sheet.textsCut());
}

void writeRunningBalanceCsv(ByteWriter& out, const Book& book, const RunningBalanceLedger& ledger,
                            const LedgerHeading& heading, const LocaleInfo& locale) {
    const AccountNameIndex names(book);
    const std::string& mark = locale.decimalMark;
    out.bytes(csvLine({"Date", "No", heading.account + " Account", "Debit", "Credit", "Balance"}));
    auto plain = [&](Currency value) { return plainNumberText(value, mark); };
    for (const RunningBalanceRow& row : ledger.Rows) {
        const RunningBalanceFigures figures = runningBalanceFigures(row, plain, plain);
        out.bytes(csvLine({shortDate(row.Date, locale), row.reference(), names.name(row.Account),
                           figures.debit, figures.credit, figures.balance}));
    }
}

std::string runningBalanceCsv(const Book& book, const RunningBalanceLedger& ledger,
                              const LedgerHeading& heading, const LocaleInfo& locale) {
    std::string text;
    ByteWriter out(text);
    writeRunningBalanceCsv(out, book, ledger, heading, locale);
    return text;
}

void writeRunningBalanceWebPage(ByteWriter& out, const Book& book,
                                const RunningBalanceLedger& ledger, const LedgerHeading& heading,
                                const LocaleInfo& locale, double today) {
    if (heading.folio.empty()) return;
    const AccountNameIndex names(book);
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsLedger);
    auto q = [](const std::string& value) { return Quote + value + Quote; };

    std::string h = letterHeadHtml(book, addressLines(book, heading.folio, locale.decimalMark));
    h += "<b>" + htmlEscaped(strings::text(280)) + " </b>" + htmlEscaped(shortDate(today, locale)) +
         "<br><br>";
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
    out.bytes(h);
    std::string suffix;
    for (const RunningBalanceRow& row : ledger.Rows) {
        suffix = balanceSuffix(row.Balance, suffix);
        h = "<tr><td>" + htmlEscaped(Tmain::FormatDateStyle(row.Date, book.DateStyle, locale)) +
            "</td><td>" + htmlEscaped(row.reference()) + "</td><td>" +
            htmlEscaped(names.name(row.Account)) + "</td>";
        const RunningBalanceFigures figures = shownFigures(row, decimals, marks, suffix);
        for (const std::string* cell : {&figures.debit, &figures.credit, &figures.balance})
            h += "<td align=" + q("right") + ">" + htmlEscaped(*cell) + "</td>";
        h += "</tr>";
        out.bytes(h);
    }
    out.bytes("</table></p></font></center></body></html>");
}

std::string runningBalanceWebPage(const Book& book, const RunningBalanceLedger& ledger,
                                  const LedgerHeading& heading, const LocaleInfo& locale,
                                  double today) {
    std::string text;
    ByteWriter out(text);
    writeRunningBalanceWebPage(out, book, ledger, heading, locale, today);
    return text;
}

std::string runningBalanceSubject(const Book& book, const LedgerHeading& heading) {
    return businessHeading(book.BusinessName.str(), ", ",
                           heading.account + ", " + heading.from + " to " + heading.to);
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
        // Written as it is made: a long ledger's text never stands whole in memory.
        const std::error_code error = writeFileSafely(path, [&](ByteWriter& out) {
            if (type == "csv") {
                writeRunningBalanceCsv(out, book, ledger, heading, locale);
            } else {
                writeRunningBalanceWebPage(out, book, ledger, heading, locale, today);
                out.bytes("\r\n");
            }
        });
        result.rowsWritten = result.rowsListed;
        return finished(result, path, error, "rows");
    }

    const AccountNameIndex names(book);
    const NumberMarks marks = marksOf(locale);
    const int decimals = Book::clampDecimals(book.DecimalsLedger);
    ReportSheet sheet;
    startSheet(sheet, path, book, {100, 120, 500, 120, 120, 140});
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
            sheet.text(ExcelFile::Font1, alignment, locked ? ExcelFile::CellLocked : 0, r, c, text);
        }
    const auto fits = std::min<std::int32_t>(result.rowsListed, ExcelFile::MaxRows - 6);
    std::string suffix;
    auto amount = [&](Currency value) { return formatAmount(value, decimals, marks, true); };
    auto balance = [&](Currency value) { return balanceText(value, decimals, marks, suffix); };
    for (std::int32_t i = 0; i < fits && !sheet.failed(); ++i) {
        const RunningBalanceRow& row = ledger.Rows[static_cast<std::size_t>(i)];
        suffix = balanceSuffix(row.Balance, suffix);
        RunningBalanceFigures figures = runningBalanceFigures(row, amount, balance);
        const std::array<std::string, 6> cells{
            shortDate(row.Date, locale), row.reference(),           names.name(row.Account),
            std::move(figures.debit),    std::move(figures.credit), std::move(figures.balance)};
        for (int c = 1; c <= 6; ++c)
            sheet.text(ExcelFile::Font0, c <= 3 ? ExcelFile::AlignLeft : ExcelFile::AlignRight, 0,
                       7 + i, c, cells[static_cast<std::size_t>(c - 1)]);
    }
    result.rowsWritten = fits;
    return finished(result, path, sheet.finish(), "rows", sheet.textsCut());
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
    return Tmain::OpenMailDraft(
        "AccountLedger",
        [&](ByteWriter& page) {
            writeRunningBalanceWebPage(page, book, ledger, heading, locale, today);
        },
        runningBalanceSubject(book, heading), caption);
}
