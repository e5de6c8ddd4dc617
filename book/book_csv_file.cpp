#include "book/book_csv_file.h"

#include "book/account_name_index.h"
#include "book/safe_file.h"
#include "book/tmain.h"

#include <cstdint>

const char* const BookCsvAccountHeader = "Folio,Account,Type";
const char* const BookCsvJournalHeader = "Date,ID,AccNumber,Account,Debit,Credit,Details";

namespace {

using namespace textforms;

const char* const CrLf = "\r\n";

} // namespace

void formatBookCsv(ByteWriter& to, const Book& book, const LocaleInfo& locale, RunTimeState* run) {
    std::string out; // a line at a time: the whole file never stands in memory
    out += BookCsvAccountHeader;
    out += CrLf;
    to.bytes(out);
    const int slots = book.slotsInUse();
    for (int k = 0; k < slots; ++k) {
        out.clear();
        out += book.AccountNumbers[k].toPlainString(".");
        out += ',';
        out += oneLineText(book.AccountNames[k], true);
        out += ',';
        out += std::to_string(classInFile(book.AccountTypes[k]));
        out += CrLf;
        to.bytes(out);
    }
    out.clear();
    out += BookCsvJournalHeader;
    out += CrLf;
    to.bytes(out);

    const AccountNameIndex names(book);
    std::int64_t lastNumber = 0;
    std::string lastName;
    DateWriter dates(usableDateStyle(book.DateStyle), locale);
    const std::size_t lines = book.EntryLines.size();
    const std::size_t stride = static_cast<std::size_t>(progressStrideFor(book.LastEntryLine()));
    for (std::size_t i = 0; i < lines; ++i) {
        const EntryLine& line = book.EntryLines[i];
        out.clear();
        out += dates.text(line.Date);
        out += ',';
        out += trimmedField(book.EntryIds[i].raw(), true);
        out += ',';
        out += line.AccountNumber.toPlainString(".");
        out += ',';
        if (i == 0 || line.AccountNumber.raw != lastNumber) {
            lastNumber = line.AccountNumber.raw;
            lastName = oneLineText(names.name(line.AccountNumber), true);
        }
        out += lastName;
        out += ',';
        appendAmountsAndNote(out, line);
        out += CrLf;
        to.bytes(out);
        if (run && i % stride == 0) Tmain::StepProgress(*run);
    }
}

std::string formatBookCsv(const Book& book, const LocaleInfo& locale, RunTimeState* run) {
    return madeWhole([&](ByteWriter& to) { formatBookCsv(to, book, locale, run); });
}

BookWriteResult writeBookCsvFile(const std::filesystem::path& path, const Book& book,
                                 const LocaleInfo& locale, RunTimeState* run) {
    return writeText(path, book, "CSV",
                     [&](ByteWriter& to) { formatBookCsv(to, book, locale, run); });
}

namespace {

struct CsvReader : FormReader {
    CsvReader(const LocaleInfo& locale, RunTimeState* run, const DateOrderQuestion& askDates,
              CsvUse use)
        : FormReader(locale, run, askDates), use(use) {}

    CsvUse use;

    bool readClass(std::string_view field, int number, std::uint8_t& type) {
        const std::string text(trimSpaces(field));
        if (text.empty() || text.size() > 2 ||
            text.find_first_not_of("0123456789") != std::string::npos)
            return fail(number, "the class \"" + text + "\" is not a number between 1 and 9");
        const int code = std::stoi(text);
        if (code < 1 || code > 9)
            return fail(number, "the class " + text + " is not between 1 and 9");
        type = static_cast<std::uint8_t>(code - 1);
        return true;
    }

    bool readAccount(std::string_view line, int number) {
        if (isBlank(line)) return fail(number, "a blank line among the accounts");
        splitFields(line, fields);
        if (fields.size() > 3 && use == CsvUse::Open)
            return fail(number, "Stopping Too many comers in the imported csv ACCOUNT line");
        if (fields.size() < 3)
            return fail(number, "the account line has " + std::to_string(fields.size()) +
                                    (fields.size() == 1 ? " field" : " fields") +
                                    "; Folio, Account and Type are needed");
        auto folio = accountNumber(number, fields[0]);
        if (!folio) return false;
        std::uint8_t type = 0;
        if (!readClass(fields[2], number, type)) return false;
        return addAccount(number, *folio, fields[1], type);
    }

    bool readJournalLine(std::string_view line, int number) {
        if (isBlank(line)) return fail(number, "a blank line in the journal");
        splitFields(line, fields);
        if (fields.size() > 7)
            return fail(number, use == CsvUse::Open
                                    ? "Stopping, Too many comers in imported csv ENTRY line"
                                    : "Stopping, Too many comers in imported csv entry line");
        if (fields.size() < 7)
            return fail(number, "the journal line has " + std::to_string(fields.size()) +
                                    " fields; Date, ID, AccNumber, Account, Debit, Credit and "
                                    "Details are needed");
        return addJournalLine(number, fields[1], fields[0], fields[2], fields[4], fields[5],
                              fields[6]);
    }

    bool read(const std::string& text, const std::string& sourceName, double today) {
        LineReader lines(text);
        std::string_view line;
        if (!lines.next(line) || line != BookCsvAccountHeader)
            return fail(1, sourceName + (use == CsvUse::Open
                                             ? " is not a Ledgerwick 6 CSV file"
                                             : " is not a standard Ledgerwick CSV file"));
        journal.reserve(text.size() / 48 + 16);
        bool inJournal = false;
        int blankAt = 0; // a run of blank lines is a fault only when more lines follow
        while (lines.next(line)) {
            const int number = lines.lineNumber();
            if (inJournal && isBlank(line)) {
                if (blankAt == 0) blankAt = number;
                continue;
            }
            if (blankAt != 0) return fail(blankAt, "a blank line in the journal");
            if (!inJournal) {
                if (line == BookCsvJournalHeader)
                    inJournal = true;
                else if (!readAccount(line, number))
                    return false;
                continue;
            }
            showProgress(lines);
            if (!readJournalLine(line, number)) return false;
        }
        if (!inJournal)
            return fail(lines.lineNumber() + 1,
                        std::string("the file ends without the journal header \"") +
                            BookCsvJournalHeader + "\"");
        // The form has no end mark: a book cut short shows in its last line,
        // cut without its line end or (above) with too few fields, whether it
        // is opened or inserted (a note cut short would still close its
        // entry). A last entry without a closing note is the program's own
        // (one being typed).
        if (!(text.ends_with('\n') || text.ends_with('\r')))
            return fail(lines.lineNumber(), "the file ends inside this line, without a line end "
                                            "(it may have been cut short)");
        return finishBook(text, today, use == CsvUse::Open,
                          use == CsvUse::Open ? CancelOpensNothing : CancelInsertsNothing);
    }
};

} // namespace

TextFormReadResult parseBookCsv(std::string_view bytes, const Book& open, const LocaleInfo& locale,
                                double today, RunTimeState* run, const std::string& sourceName,
                                CsvUse use, const DateOrderQuestion& askDates) {
    return guardedParse([&] {
        const std::string text = decodeText(bytes, open.FontCharset);
        CsvReader reader(locale, run, askDates, use);
        if (!reader.read(text, sourceName, today)) return std::move(reader.result);
        reader.result.ok = true;
        return std::move(reader.result);
    });
}

TextFormReadResult readBookCsvFile(const std::filesystem::path& path, const Book& open,
                                   const LocaleInfo& locale, double today, RunTimeState* run,
                                   const DateOrderQuestion& askDates) {
    return readFile(path, [&](std::string_view bytes) {
        return parseBookCsv(bytes, open, locale, today, run, path.string(), CsvUse::Open, askDates);
    });
}

BookReadResult readBookCsvForOpening(const std::filesystem::path& path, const Book& open,
                                     const PasswordPrompt& askAdminPassword, RunTimeState* run,
                                     const DateOrderQuestion& askDates) {
    return readForOpening(readBookCsvFile, path, open, askAdminPassword, run, askDates);
}
