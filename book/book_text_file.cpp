#include "book/book_text_file.h"

#include "book/safe_file.h"
#include "book/tmain.h"

#include <cstdint>

const char* const BookTextClassList[9] = {"1-Current Asset",
                                          "2-Current Liabilitie",
                                          "3-Non Current Asset",
                                          "4-Non Current Liabilitie",
                                          "5-COGS",
                                          "6-Revenue",
                                          "7-Expense",
                                          "8-Capital",
                                          "9-Other"};
const char* const BookTextJournalHeader = "ID,Date,Account,Debit,Credit,Details";

namespace {

using namespace textforms;

const char* const CrLf = "\r\n";

void appendRule(std::string& out) {
    out.append(RuleWidth, '-');
    out += CrLf;
}

bool isRule(std::string_view line) {
    return !line.empty() && line.find_first_not_of('-') == std::string_view::npos;
}

void appendAccountLine(std::string& out, const Book& book, int k) {
    out += std::to_string(classInFile(book.AccountTypes[k]));
    out += '-';
    out += book.AccountNumbers[k].toPlainString(".");
    out += ',';
    out += oneLineText(book.AccountNames[k], false);
    out += CrLf;
}

void appendJournalLine(std::string& out, const Book& book, std::size_t i, DateWriter& dates) {
    const EntryLine& line = book.EntryLines[i];
    out += trimmedField(book.EntryIds[i].raw(), true);
    out += ',';
    out += dates.text(line.Date);
    out += ',';
    out += line.AccountNumber.toPlainString(".");
    out += ',';
    appendAmountsAndNote(out, line);
    out += CrLf;
}

} // namespace

void formatBookText(ByteWriter& to, const Book& book, const LocaleInfo& locale, RunTimeState* run) {
    std::string out; // a part at a time: the whole text never stands in memory
    out += 'm';
    out += oneLineText(book.Caption, false);
    out += CrLf;
    appendRule(out);
    out += oneLineText(book.BusinessName.str(), false);
    out += CrLf;
    appendRule(out);
    for (const char* text : BookTextClassList) {
        out += text;
        out += CrLf;
    }
    appendRule(out);
    to.bytes(out);
    // Every slot in table order, as the CSV form writes them: where a number
    // stands in several slots the first decides the statements' class, and a
    // slot numbered 0 holds the lines of no account, so neither is lost.
    const int slots = book.slotsInUse();
    for (int k = 0; k < slots; ++k) {
        out.clear();
        appendAccountLine(out, book, k);
        to.bytes(out);
    }
    out.clear();
    appendRule(out);
    out += BookTextJournalHeader;
    out += CrLf;
    appendRule(out);
    to.bytes(out);
    DateWriter dates(usableDateStyle(book.DateStyle), locale);
    const std::size_t lines = book.EntryLines.size();
    const std::size_t stride = static_cast<std::size_t>(progressStrideFor(book.LastEntryLine()));
    for (std::size_t i = 0; i < lines; ++i) {
        out.clear();
        appendJournalLine(out, book, i, dates);
        to.bytes(out);
        if (run && i % stride == 0) Tmain::StepProgress(*run);
    }
    out.clear();
    appendRule(out);
    to.bytes(out);
}

std::string formatBookText(const Book& book, const LocaleInfo& locale, RunTimeState* run) {
    return madeWhole([&](ByteWriter& to) { formatBookText(to, book, locale, run); });
}

BookWriteResult writeBookTextFile(const std::filesystem::path& path, const Book& book,
                                  const LocaleInfo& locale, RunTimeState* run) {
    return writeText(path, book, "text",
                     [&](ByteWriter& to) { formatBookText(to, book, locale, run); });
}

namespace {

enum class Section {
    Header,
    FirstRule,
    Name,
    SecondRule,
    Classes,
    Accounts,
    JournalHeader,
    HeaderRule,
    Journal,
    After
};

struct TextReader : FormReader {
    using FormReader::FormReader;

    bool read(const std::string& text, double today) {
        Book& book = result.book;
        journal.reserve(text.size() / 40 + 16);
        LineReader lines(text);
        std::string_view line;
        Section section = Section::Header;
        while (section != Section::After && lines.next(line)) {
            const int number = lines.lineNumber();
            switch (section) {
            case Section::Header:
                section = Section::FirstRule;
                break;
            case Section::FirstRule:
                if (!isRule(line)) return fail(number, "a rule of \"-\" was expected");
                section = Section::Name;
                break;
            case Section::Name:
                // Whatever stands here is the business name, a line of dashes too.
                book.BusinessName = std::string(line);
                section = Section::SecondRule;
                break;
            case Section::SecondRule:
                if (!isRule(line)) return fail(number, "a rule of \"-\" was expected");
                section = Section::Classes;
                break;
            case Section::Classes:
                if (isRule(line)) section = Section::Accounts;
                break;
            case Section::Accounts:
                if (isRule(line))
                    section = Section::JournalHeader;
                else if (!readAccount(line, number))
                    return false;
                break;
            case Section::JournalHeader:
                if (line != BookTextJournalHeader)
                    return fail(number, std::string("the journal header \"") +
                                            BookTextJournalHeader + "\" was expected");
                section = Section::HeaderRule;
                break;
            case Section::HeaderRule:
                if (!isRule(line)) return fail(number, "a rule of \"-\" was expected");
                section = Section::Journal;
                break;
            case Section::Journal:
                if (isRule(line)) {
                    section = Section::After;
                    break;
                }
                showProgress(lines);
                if (!readJournalLine(line, number)) return false;
                break;
            case Section::After:
                break;
            }
        }
        if (section != Section::After) {
            if (lines.lineNumber() == 0) return fail(1, "the file is empty");
            const char* missing = section == Section::Journal ? "the rule that closes the journal"
                                  : section < Section::JournalHeader
                                      ? "the accounts and the journal"
                                      : "the journal";
            return fail(lines.lineNumber() + 1, std::string("the file ends before ") + missing +
                                                    " (it may have been cut short)");
        }
        return finishBook(text, today, true, CancelOpensNothing);
    }

    bool readAccount(std::string_view line, int number) {
        if (isBlank(line)) return fail(number, "a blank line among the accounts");
        const std::size_t dash = line.find('-');
        const std::size_t comma = line.find(',');
        if (dash == std::string_view::npos || (comma != std::string_view::npos && comma < dash))
            return fail(number, "the account line has no class (class-number,name)");
        if (comma == std::string_view::npos)
            return fail(number,
                        "the account line has no name after its number (class-number,name)");
        const std::string classText(trimSpaces(line.substr(0, dash)));
        if (classText.empty() || classText.find_first_not_of("0123456789") != std::string::npos)
            return fail(number, "the class \"" + classText + "\" is not a number");
        const int classCode = classText.size() > 2 ? 99 : std::stoi(classText);
        if (classCode < 1 || classCode > 9)
            return fail(number, "the class " + classText + " is not between 1 and 9");
        auto accountNo = accountNumber(number, line.substr(dash + 1, comma - dash - 1));
        if (!accountNo) return false;
        return addAccount(number, *accountNo, line.substr(comma + 1),
                          static_cast<std::uint8_t>(classCode - 1));
    }

    bool readJournalLine(std::string_view line, int number) {
        if (isBlank(line)) return fail(number, "a blank line in the journal");
        splitFields(line, fields);
        if (fields.size() < 6)
            return fail(number,
                        "the journal line has " + std::to_string(fields.size()) +
                            " fields; ID, Date, Account, Debit, Credit and Details are needed");
        if (fields.size() > 6)
            return fail(number, "the journal line has " + std::to_string(fields.size()) +
                                    " fields, 6 are allowed (a \",\" in a reference or a note)");
        return addJournalLine(number, fields[0], fields[1], fields[2], fields[3], fields[4],
                              fields[5]);
    }
};

} // namespace

TextFormReadResult parseBookText(std::string_view bytes, const Book& open, const LocaleInfo& locale,
                                 double today, RunTimeState* run,
                                 const DateOrderQuestion& askDates) {
    return guardedParse([&] {
        const std::string text = decodeText(bytes, open.FontCharset);
        TextReader reader(locale, run, askDates);
        if (!reader.read(text, today)) return std::move(reader.result);
        reader.result.hasBusinessName = true;
        reader.result.ok = true;
        return std::move(reader.result);
    });
}

TextFormReadResult readBookTextFile(const std::filesystem::path& path, const Book& open,
                                    const LocaleInfo& locale, double today, RunTimeState* run,
                                    const DateOrderQuestion& askDates) {
    return readFile(path, [&](std::string_view bytes) {
        return parseBookText(bytes, open, locale, today, run, askDates);
    });
}

BookReadResult readBookTextForOpening(const std::filesystem::path& path, const Book& open,
                                      const PasswordPrompt& askAdminPassword, RunTimeState* run,
                                      const DateOrderQuestion& askDates) {
    return readForOpening(readBookTextFile, path, open, askAdminPassword, run, askDates);
}
