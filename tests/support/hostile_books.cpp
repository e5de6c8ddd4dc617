#include "support/hostile_books.h"

#include "book/book_csv_file.h"
#include "book/book_file.h"
#include "book/book_text_file.h"
#include "book/wide_sum.h"
#include "statements/income_statement.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <random>
#include <string_view>
#include <vector>

namespace hostile {

namespace {

using Rng = std::mt19937;

int pick(Rng& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

bool oneIn(Rng& rng, int n) {
    return pick(rng, 1, n) == 1;
}

// Bits of text that trouble one form or another.
const std::vector<std::string>& pieces() {
    static const std::vector<std::string> all = {"Cash",
                                                 "Sales",
                                                 "Rent",
                                                 " ",
                                                 "  ",
                                                 ",",
                                                 std::string(1, '\0'),
                                                 std::string("\0\0", 2),
                                                 "\r\n",
                                                 "\n",
                                                 "\r",
                                                 "\t",
                                                 "\xFF",
                                                 "\xC3",
                                                 "\xE2\x82",
                                                 "\xC3\xA9",
                                                 "\xE2\x82\xAC",
                                                 "\xE4\xB8\xAD",
                                                 "_",
                                                 "-",
                                                 "---",
                                                 "\"",
                                                 "~~",
                                                 "1",
                                                 "9",
                                                 "\xEF\xBB\xBF"};
    return all;
}

std::string text(Rng& rng, int most) {
    std::string s;
    const int n = pick(rng, 0, most);
    for (int i = 0; i < n; ++i)
        s += pieces()[static_cast<std::size_t>(pick(rng, 0, int(pieces().size()) - 1))];
    return s;
}

// A note that closes an entry: it holds more than blanks, though perhaps
// nothing a text file keeps.
std::string closingNote(Rng& rng) {
    static const std::string kept[] = {"_", std::string(1, '\0'), "\r\n", ",", " , ", "Paid"};
    if (oneIn(rng, 3)) return kept[pick(rng, 0, 5)];
    std::string note = text(rng, 4);
    return closesEntry(note) ? note : note + "Note";
}

Currency money(Rng& rng) {
    static const std::int64_t edges[] = {
        INT64_MIN, INT64_MIN + 1, INT64_MAX, INT64_MAX - 1,           0, 1, -1,
        10000,     -10000,        1001000,   99999999999999LL * 10000};
    switch (pick(rng, 0, 3)) {
    case 0:
        return Currency::fromRaw(edges[pick(rng, 0, 10)]);
    case 1:
        return Currency::fromRaw(
            std::uniform_int_distribution<std::int64_t>(INT64_MIN, INT64_MAX)(rng));
    default:
        return Currency::fromRaw(pick(rng, -100000000, 100000000));
    }
}

EntryId reference(Rng& rng) {
    switch (pick(rng, 0, 4)) {
    case 0:
        return EntryId(); // never assigned: NULs
    case 1: {
        EntryId id; // raw bytes of any kind, NULs among them
        for (char& c : id.bytes)
            c = oneIn(rng, 3) ? '\0' : static_cast<char>(pick(rng, 1, 255));
        return id;
    }
    case 2:
        return EntryId(text(rng, 3));
    default:
        return EntryId(std::to_string(pick(rng, 1, 99999)));
    }
}

double date(Rng& rng) {
    static const double edges[] = {-657434, 2958465, 0, -1, 45000, 45291};
    double day = oneIn(rng, 3) ? edges[pick(rng, 0, 5)] : pick(rng, -657434, 2958465);
    if (oneIn(rng, 4)) day += (day < 0 ? -1 : 1) * pick(rng, 1, 99) / 100.0;
    return day;
}

EntryLine line(Rng& rng, std::uint8_t side, double day) {
    EntryLine l;
    l.Date = day;
    l.Side = side;
    if (oneIn(rng, 25)) l.Side = static_cast<std::uint8_t>(oneIn(rng, 2) ? 0 : pick(rng, 3, 255));
    l.AccountNumber = money(rng);
    l.Amount = money(rng);
    l.Reconciled = static_cast<std::uint8_t>(oneIn(rng, 2) ? 0 : oneIn(rng, 2) ? 1 : 255);
    // Blanks on an earlier line leave the entry open.
    l.Details = oneIn(rng, 10) ? "   " : "";
    return l;
}

// One entry: `debits` then `credits` lines (sometimes mixed), the note on
// the last line unless the entry is left open.
void addEntry(Book& book, Rng& rng, int debits, int credits, bool open) {
    const EntryId id = reference(rng);
    const double day = date(rng);
    std::vector<EntryLine> lines;
    for (int i = 0; i < debits; ++i)
        lines.push_back(line(rng, Debit, day));
    for (int i = 0; i < credits; ++i)
        lines.push_back(line(rng, Credit, day));
    if (oneIn(rng, 8)) std::shuffle(lines.begin(), lines.end(), rng);
    if (!open) lines.back().Details = closingNote(rng);
    for (EntryLine& l : lines) {
        book.EntryLines.push_back(std::move(l));
        book.EntryIds.push_back(id);
    }
}

void fillChart(Book& book, Rng& rng, std::uint32_t n) {
    const int shape = pick(rng, 1, 20);
    book.resizeAccounts(shape == 1 ? INT16_MAX : shape == 2 ? pick(rng, 14, 300) : 13);
    const std::size_t slots = book.accountSlots();
    const bool big = slots > 1000;
    for (std::size_t k = 0; k < slots; ++k) {
        // Books 0 to 18 between them hold every class from 0 to 255.
        book.AccountTypes[k] = static_cast<std::uint8_t>((n * 14 + k) % 256);
        const int kind = pick(rng, 0, 9);
        if (kind == 0) continue; // an empty row
        book.AccountNumbers[k] = kind == 1 ? Currency()
                                 : big     ? Currency::fromRaw(std::int64_t(k) * 10000 + 7)
                                           : money(rng);
        book.AccountNames[k] = big ? std::to_string(k) + text(rng, 1) : text(rng, 5);
        if (big) continue;
        book.AccountNote[k] = text(rng, 3);
        book.AccountNote2[k] = text(rng, 3);
        book.AccountExtra[k] = text(rng, 2);
    }
}

void fillJournal(Book& book, Rng& rng) {
    const int entries = pick(rng, 1, 25);
    const int giantAt = oneIn(rng, 10) ? pick(rng, 0, entries - 1) : -1;
    const int edgeAt = oneIn(rng, 5) ? pick(rng, 0, entries - 1) : -1;
    const bool lastOpen = oneIn(rng, 3);
    for (int e = 0; e < entries; ++e) {
        const bool open = lastOpen && e == entries - 1;
        if (e == giantAt)
            addEntry(book, rng, 1000, 1001, open);
        else if (e == edgeAt) // thirty a side is taken, thirty-one is not
            addEntry(book, rng, 30, oneIn(rng, 2) ? 30 : 31, open);
        else
            addEntry(book, rng, pick(rng, 1, 4), pick(rng, 1, 4), open);
    }
}

void fillSettings(Book& book, Rng& rng) {
    static const std::int16_t charsets[] = {0, 0, 161, 204, 238};
    static const std::int16_t styles[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 99, -1};
    book.BusinessName = oneIn(rng, 4) ? "-" + text(rng, 3) : text(rng, 4);
    book.BusinessAddress = text(rng, 4);
    book.AdminPassword = oneIn(rng, 2) ? VariantText() : VariantText(text(rng, 2));
    book.AutoIncrement = static_cast<std::int16_t>(pick(rng, 0, 1));
    book.FontName = text(rng, 2);
    book.FontCharset = charsets[pick(rng, 0, 4)];
    book.SubAccountDash = static_cast<std::int16_t>(-pick(rng, 0, 1));
    book.DecimalsJournal = static_cast<std::int16_t>(pick(rng, -1, 5));
    book.DecimalsLedger = static_cast<std::int16_t>(pick(rng, 0, 3));
    book.DateStyle = styles[pick(rng, 0, 10)];
    book.ReservedInteger = static_cast<std::int16_t>(pick(rng, -32768, 32767));
    book.ReservedLong = pick(rng, INT_MIN, INT_MAX);
    book.GroupCount = pick(rng, 0, 10);
    for (int g = 0; g < GroupTotal; ++g) {
        if (!oneIn(rng, 3)) continue;
        book.GroupNames[static_cast<std::size_t>(g)] = text(rng, 4);
        book.EntryGroups[static_cast<std::size_t>(g)] = {line(rng, Debit, date(rng)),
                                                         line(rng, Credit, date(rng))};
        book.EntryGroups[static_cast<std::size_t>(g)][1].Details = closingNote(rng);
    }
    book.Caption = text(rng, 3);
}

// A text as a line of a text file carries it: NULs dropped, each line end
// one space, commas dropped when asked; `trim` trims spaces.
std::string carried(std::string_view s, bool dropCommas, bool trim) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\0' || (dropCommas && c == ',')) continue;
        if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
        if (c == '\r' || c == '\n') c = ' ';
        out += c;
    }
    if (trim) {
        const std::size_t first = out.find_first_not_of(' ');
        if (first == std::string::npos) return "";
        out = out.substr(first, out.find_last_not_of(' ') - first + 1);
    }
    return out;
}

// A note as the text forms give it back: a note that closed its entry still does.
std::string carriedNote(const std::string& details) {
    std::string note = carried(details, true, true);
    return note.empty() && closesEntry(details) ? "_" : note;
}

std::vector<std::pair<std::size_t, std::size_t>> entriesOf(const std::vector<EntryLine>& lines) {
    std::vector<std::pair<std::size_t, std::size_t>> bounds; // first line, one past the last
    std::size_t start = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (closesEntry(lines[i].Details) || i + 1 == lines.size()) {
            bounds.emplace_back(start, i + 1);
            start = i + 1;
        }
    return bounds;
}

void expectedJournal(Book& e) {
    for (std::size_t i = 0; i < e.EntryLines.size(); ++i) {
        EntryLine& l = e.EntryLines[i];
        l.Date = std::trunc(l.Date);
        l.Reconciled = 0;
        l.Details = carriedNote(l.Details);
        e.EntryIds[i] = EntryId(carried(e.EntryIds[i].raw(), true, true));
    }
    // Read back with the debit lines of each entry first, the closing line
    // last; the references stay where they were.
    for (auto [first, end] : entriesOf(e.EntryLines)) {
        const bool closed = closesEntry(e.EntryLines[end - 1].Details);
        std::stable_sort(e.EntryLines.begin() + std::ptrdiff_t(first),
                         e.EntryLines.begin() + std::ptrdiff_t(closed ? end - 1 : end),
                         [](const EntryLine& a, const EntryLine& b) { return a.Side < b.Side; });
    }
}

// Both text forms keep every slot in use, in table order.
void expectedChart(Book& e, const Book& held, Form form) {
    const int slots = held.slotsInUse();
    e.resizeAccounts(slots == 0 ? MinAccountSlots - 1 : slots - 1);
    for (std::size_t j = 0; j < e.accountSlots(); ++j) {
        const bool kept = j < static_cast<std::size_t>(slots);
        const int k = kept ? static_cast<int>(j) : 0;
        e.AccountNumbers[j] = kept ? held.AccountNumbers[k] : Currency();
        e.AccountNames[j] = kept ? carried(held.AccountNames[k], form == Form::Csv, false) : "";
        e.AccountTypes[j] = kept ? std::min<std::uint8_t>(held.AccountTypes[k], Other) : 0;
        e.AccountNote[j] = e.AccountNote2[j] = e.AccountExtra[j] = "";
    }
}

template <class T, class Same>
std::string firstDifferent(const std::string& what, const std::vector<T>& a,
                           const std::vector<T>& b, Same same) {
    if (a.size() != b.size())
        return what + ": " + std::to_string(a.size()) + " items, not " + std::to_string(b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!same(a[i], b[i])) return what + " " + std::to_string(i);
    return "";
}

template <class T>
std::string firstDifferent(const std::string& what, const std::vector<T>& a,
                           const std::vector<T>& b) {
    return firstDifferent(what, a, b, [](const T& x, const T& y) { return x == y; });
}

std::string lineDifference(const EntryLine& a, const EntryLine& b) {
    if (a.Date != b.Date)
        return "Date " + std::to_string(a.Date) + " not " + std::to_string(b.Date);
    if (a.Side != b.Side)
        return "Side " + std::to_string(a.Side) + " not " + std::to_string(b.Side);
    if (a.AccountNumber != b.AccountNumber)
        return "AccountNumber " + a.AccountNumber.toPlainString() + " not " +
               b.AccountNumber.toPlainString();
    if (a.Amount != b.Amount)
        return "Amount " + a.Amount.toPlainString() + " not " + b.Amount.toPlainString();
    if (a.Details != b.Details) return "Details \"" + a.Details + "\" not \"" + b.Details + "\"";
    if (a.Reconciled != b.Reconciled) return "Reconciled";
    return "";
}

std::string linesDifference(const std::string& what, const std::vector<EntryLine>& a,
                            const std::vector<EntryLine>& b) {
    if (a.size() != b.size())
        return what + ": " + std::to_string(a.size()) + " lines, not " + std::to_string(b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::string d = lineDifference(a[i], b[i]); !d.empty())
            return what + " line " + std::to_string(i) + ": " + d;
    return "";
}

// "number: balance" for every account number whose lines do not cancel, in
// number order: debits less credits, any side but 1 (debit) a credit.
std::vector<std::string> balanceLines(const Book& book) {
    std::map<std::int64_t, WideSum> balances;
    for (const EntryLine& l : book.EntryLines)
        if (l.Side == Debit)
            balances[l.AccountNumber.raw] += l.Amount;
        else
            balances[l.AccountNumber.raw] -= l.Amount;
    std::vector<std::string> lines;
    for (const auto& [number, balance] : balances) {
        const std::optional<Currency> fits = balance.checked();
        if (!balance.isZero())
            lines.push_back(Currency::fromRaw(number).toPlainString() + ": " +
                            (fits ? fits->toPlainString() : "beyond the money range"));
    }
    return lines;
}

} // namespace

std::string incomeStatementText(const Book& book) {
    std::string text;
    for (const bool apart : {false, true}) {
        const IncomeSums sums = computeIncomeSums(book, {true, 0, 0, apart});
        text += sums.ok ? "net " + sums.netProfit.toPlainString() : "refused, " + sums.message;
        for (const auto* rows : {&sums.revenue, &sums.cost, &sums.expenses}) {
            text += ";";
            for (const IncomeRow& row : *rows)
                text += " " + row.number.toPlainString() + "=" + row.amount.toPlainString();
        }
        text += "\n";
    }
    return text;
}

std::string trialBalanceText(const Book& book) {
    std::string text;
    for (const std::string& line : balanceLines(book))
        text += line + "\n";
    return text;
}

Book generatedBook(std::uint32_t n) {
    Rng rng(n * 2654435761u + 17);
    Book book = makeEmptyBook("Balance", 45000);
    book.EntryLines.clear();
    book.EntryIds.clear();
    fillChart(book, rng, n);
    fillJournal(book, rng);
    fillSettings(book, rng);
    fillEntryAccountList(book);
    return book;
}

Book heldBook(const Book& generated, std::string& fault) {
    std::string refusal;
    const std::optional<std::string> bytes = serializeBookFile(generated, nullptr, &refusal);
    if (!bytes) {
        fault = "the book file refused the generated book: " + refusal;
        return generated;
    }
    BookReadResult read = parseBookFile(*bytes, nullptr, nullptr);
    if (!read.ok()) {
        fault = "the book file was not read back: " + read.message;
        return generated;
    }
    // Texts may come back decoded from the book's code page; the rest as
    // written, but every class beyond Other is Other, and every side byte but
    // 1 (debit) is a credit, where the trial balance counts it, unless the
    // line was never filled (side 0, no amount).
    std::vector<std::uint8_t> classes = generated.AccountTypes;
    for (std::uint8_t& c : classes)
        c = std::min<std::uint8_t>(c, Other);
    fault = firstDifferent("AccountTypes", read.book.AccountTypes, classes);
    if (fault.empty())
        fault =
            firstDifferent("AccountNumbers", read.book.AccountNumbers, generated.AccountNumbers);
    if (fault.empty() && read.book.LastAccount != generated.LastAccount) fault = "LastAccount";
    if (fault.empty())
        fault = firstDifferent("journal", read.book.EntryLines, generated.EntryLines,
                               [](const EntryLine& a, const EntryLine& b) {
                                   const bool kept =
                                       b.Side == Debit || (b.Side == 0 && b.Amount.isZero());
                                   return a.Date == b.Date &&
                                          a.Side == (kept ? b.Side : std::uint8_t{Credit}) &&
                                          a.AccountNumber == b.AccountNumber &&
                                          a.Amount == b.Amount && a.Reconciled == b.Reconciled;
                               });
    if (fault.empty())
        fault = firstDifferent("trial balance", balanceLines(read.book), balanceLines(generated));
    return std::move(read.book);
}

const char* formName(Form form) {
    switch (form) {
    case Form::BookFile:
        return "book file";
    case Form::Text:
        return "text";
    case Form::Csv:
        return "CSV";
    }
    return "";
}

bool formRefuses(const Book& held, Form form) {
    if (form == Form::BookFile) return false;
    for (auto [first, end] : entriesOf(held.EntryLines)) {
        int debits = 0, credits = 0; // a line on neither side counts as a credit
        for (std::size_t i = first; i < end; ++i)
            ++(held.EntryLines[i].Side == Debit ? debits : credits);
        if (debits > MaxLinesPerSide || credits > MaxLinesPerSide) return true;
    }
    return false;
}

Book expectedReadBack(const Book& held, Form form) {
    Book e = held;
    if (form == Form::BookFile) return e;
    expectedJournal(e);
    expectedChart(e, held, form);
    if (form == Form::Text) e.BusinessName = carried(held.BusinessName.str(), false, false);
    fillEntryAccountList(e, true);
    return e;
}

std::string firstDifference(const Book& a, const Book& b) {
    std::string d;
    auto check = [&d](std::string found) {
        if (d.empty()) d = std::move(found);
    };
    if (a.LastAccount != b.LastAccount)
        check("LastAccount " + std::to_string(a.LastAccount) + " not " +
              std::to_string(b.LastAccount));
    check(firstDifferent("AccountNames", a.AccountNames, b.AccountNames));
    check(firstDifferent("AccountNumbers", a.AccountNumbers, b.AccountNumbers));
    check(firstDifferent("AccountTypes", a.AccountTypes, b.AccountTypes));
    check(firstDifferent("AccountNote", a.AccountNote, b.AccountNote));
    check(firstDifferent("AccountNote2", a.AccountNote2, b.AccountNote2));
    check(firstDifferent("AccountExtra", a.AccountExtra, b.AccountExtra));
    check(linesDifference("EntryLines", a.EntryLines, b.EntryLines));
    check(firstDifferent("EntryIds", a.EntryIds, b.EntryIds));
    for (std::size_t g = 0; g < a.EntryGroups.size(); ++g)
        check(linesDifference("EntryGroups " + std::to_string(g), a.EntryGroups[g],
                              b.EntryGroups[g]));
    if (a.GroupNames != b.GroupNames) check("GroupNames");
    check(linesDifference("RecurringLines", a.RecurringLines, b.RecurringLines));
    const std::pair<const char*, bool> same[] = {
        {"GroupCount", a.GroupCount == b.GroupCount},
        {"EditedGroup", a.EditedGroup == b.EditedGroup},
        {"BusinessName", a.BusinessName == b.BusinessName},
        {"BusinessAddress", a.BusinessAddress == b.BusinessAddress},
        {"FilePassword", a.FilePassword == b.FilePassword},
        {"AdminPassword", a.AdminPassword == b.AdminPassword},
        {"AutoIncrement", a.AutoIncrement == b.AutoIncrement},
        {"FontName", a.FontName == b.FontName},
        {"FontCharset", a.FontCharset == b.FontCharset},
        {"SubAccountDash", a.SubAccountDash == b.SubAccountDash},
        {"DecimalsJournal", a.DecimalsJournal == b.DecimalsJournal},
        {"DecimalsLedger", a.DecimalsLedger == b.DecimalsLedger},
        {"DecimalsTrialBalance", a.DecimalsTrialBalance == b.DecimalsTrialBalance},
        {"DecimalsIncome", a.DecimalsIncome == b.DecimalsIncome},
        {"DecimalsBalanceSheet", a.DecimalsBalanceSheet == b.DecimalsBalanceSheet},
        {"DateStyle", a.DateStyle == b.DateStyle},
        {"ReservedInteger", a.ReservedInteger == b.ReservedInteger},
        {"ReservedLong", a.ReservedLong == b.ReservedLong},
        {"EntryAccountList", a.EntryAccountList == b.EntryAccountList},
        {"Caption", a.Caption == b.Caption},
    };
    for (const auto& [name, equal] : same)
        if (!equal) check(name);
    return d;
}

std::optional<Book> readBack(const Book& held, Form form, const LocaleInfo& locale,
                             std::string& fault) {
    fault.clear();
    const std::string name = formName(form);
    if (form == Form::BookFile) {
        std::string refusal;
        const std::optional<std::string> bytes = serializeBookFile(held, nullptr, &refusal);
        if (!bytes) {
            fault = "the book file refused: " + refusal;
            return std::nullopt;
        }
        BookReadResult read = parseBookFile(*bytes, nullptr, nullptr);
        if (!read.ok()) fault = "the book file was not read back: " + read.message;
        return read.ok() ? std::optional<Book>(std::move(read.book)) : std::nullopt;
    }
    const std::string refusal = textforms::refusalFor(held, name);
    if (!refusal.empty() != formRefuses(held, form))
        fault = refusal.empty() ? "the " + name + " form did not refuse a book it cannot carry"
                                : "the " + name + " form refused: " + refusal;
    if (!refusal.empty()) return std::nullopt;
    constexpr double today = 46000;
    Book fresh = held; // the dates read by what they are, not by the open book's style
    fresh.DateStyle = 0;
    const textforms::DateOrderQuestion answer = answerAsWritten(held.DateStyle, locale);
    TextFormReadResult read =
        form == Form::Text ? parseBookText(formatBookText(held, locale, nullptr), fresh, locale,
                                           today, nullptr, answer)
                           : parseBookCsv(formatBookCsv(held, locale, nullptr), fresh, locale,
                                          today, nullptr, "hostile.csv", CsvUse::Open, answer);
    if (!read.ok) {
        fault = "the " + name + " form was not read back: " + read.message;
        return std::nullopt;
    }
    const bool lastOpen = !closesEntry(held.EntryLines.back().Details);
    if (read.notice.empty() == lastOpen)
        fault = lastOpen ? "no word of the open last entry" : "a notice without an open entry";
    Book opened = held;
    RunTimeState run;
    adoptTextFormBook(opened, run, std::move(read));
    return opened;
}

std::string roundTripFault(const Book& held, Form form, const LocaleInfo& locale) {
    std::string fault;
    const std::optional<Book> opened = readBack(held, form, locale, fault);
    if (!fault.empty() || !opened) return fault;
    fault = firstDifferent("trial balance", balanceLines(*opened), balanceLines(held));
    if (fault.empty() && incomeStatementText(*opened) != incomeStatementText(held))
        fault = "income statement " + incomeStatementText(*opened) + " not " +
                incomeStatementText(held);
    return fault.empty() ? firstDifference(*opened, expectedReadBack(held, form)) : fault;
}

} // namespace hostile
