#include "book/entry_clip_text.h"

#include "book/account_number_text.h"
#include "book/book_text_forms.h"
#include "book/tmain.h"

#include <algorithm>

namespace {

// Line breaks inside a field become single blanks (CR LF counts as one).
std::string breaksAsBlanks(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string withoutTabs(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\t'), text.end());
    return text;
}

// Every `from` in the text replaced by `to`.
std::string replaced(const std::string& text, const std::string& from, const std::string& to) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(from, start)) != std::string::npos;
         start = at + from.size())
        out += text.substr(start, at - start) + to;
    return out + text.substr(start);
}

// The note field of a copied line; `lastLine` for the last line copied.
std::string noteForCopy(const std::string& details, bool lastLine, ClipForm form) {
    if (form == ClipForm::Group) return withoutTabs(breaksAsBlanks(details));
    if (!lastLine) return {};
    return storedNote(replaced(breaksAsBlanks(details), "\t", "~~"));
}

std::vector<std::string> split(const std::string& text, char at) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(at, start);
        if (end == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// The amount field: empty is 0, anything the locale does not read nullopt.
// The copy writes the plain form: a negative amount leads with "-".
std::optional<Currency> pastedAmount(const std::string& field, const NumberMarks& marks) {
    if (field.empty()) return Currency();
    return parseSignedAmount(field, marks);
}

// An account field of the group form as its copy writes it: digits with at
// most one decimal mark ("." or "-" or the locale's mark).
bool isAccountNumberText(const std::string& field, const std::string& decimalMark) {
    bool digit = false, mark = false;
    for (std::size_t i = 0; i < field.size();) {
        if (field[i] >= '0' && field[i] <= '9') {
            digit = true;
            ++i;
            continue;
        }
        std::size_t markSize = field[i] == '.' || field[i] == '-' ? 1 : 0;
        if (!decimalMark.empty() && field.compare(i, decimalMark.size(), decimalMark) == 0)
            markSize = decimalMark.size();
        if (markSize == 0 || mark) return false;
        mark = true;
        i += markSize;
    }
    return digit;
}

// The account field: empty is 0; beyond the currency's range nullopt, and in
// the group form anything but an account number too.
std::optional<Currency> pastedAccount(const std::string& field, const std::string& decimalMark,
                                      ClipForm form) {
    if (form == ClipForm::Group && !field.empty() && !isAccountNumberText(field, decimalMark))
        return std::nullopt;
    return readAccountNumber(field, decimalMark);
}

} // namespace

std::string EntryClipText(const Book& book, std::int32_t first, std::int32_t last,
                          const std::string& decimalMark) {
    return EntryClipText(book, book.EntryLines, first, last, decimalMark, ClipForm::Journal);
}

std::string EntryClipText(const Book& book, const std::vector<EntryLine>& lines, std::int32_t first,
                          std::int32_t last, const std::string& decimalMark, ClipForm form) {
    std::string text;
    first = std::max(first, 0);
    last = std::min(last, static_cast<std::int32_t>(lines.size()) - 1);
    for (std::int32_t i = first; i <= last; ++i) {
        const EntryLine& line = lines[i];
        const std::string account = line.AccountNumber.toPlainString(decimalMark);
        // A line on neither side goes where it counts, with the credits, so
        // that every copied line pastes back.
        if (countedSide(line.Side) == Debit)
            text += account + "\t\t";
        else
            text += "\t" + account + "\t";
        text += withoutTabs(Tmain::AccountNameByNumber(book, line.AccountNumber));
        text += "\t" + line.Amount.toPlainString(decimalMark) + "\t";
        text += noteForCopy(line.Details, i == last, form) + "\r\n";
    }
    return text + "LW";
}

std::optional<std::vector<ClipLine>> readEntryClipText(const std::string& text,
                                                       const NumberMarks& marks, ClipForm form,
                                                       const ClipAmountReader& readAmount) {
    std::vector<std::string> elements = split(text, '\n');
    for (std::string& e : elements)
        if (!e.empty() && e.back() == '\r') e.pop_back();
    if (elements.back() != "LW") return std::nullopt;
    elements.pop_back();

    std::vector<ClipLine> lines;
    lines.reserve(elements.size());
    for (const std::string& element : elements) {
        std::vector<std::string> fields = split(element, '\t');
        ClipLine line;
        line.whole = fields.size() >= 5;
        fields.resize(std::max<std::size_t>(fields.size(), 5));
        if (form == ClipForm::Group) // blanks around the numbers are passed over
            for (int i : {0, 1, 3})
                fields[i] = std::string(textforms::trimSpaces(fields[i]));
        const bool debit = !fields[0].empty();
        line.side = debit ? Debit : Credit;
        const std::optional<Currency> account =
            pastedAccount(debit ? fields[0] : fields[1], marks.decimal, form);
        const std::optional<Currency> amount = readAmount
                                                   ? std::optional<Currency>(readAmount(fields[3]))
                                                   : pastedAmount(fields[3], marks);
        line.account = account.value_or(Currency());
        line.amount = amount.value_or(Currency());
        line.whole = line.whole && account && amount;
        line.note = breaksAsBlanks(fields[4]);
        if (form == ClipForm::Group) line.note = replaced(line.note, "~~", ",");
        lines.push_back(std::move(line));
    }
    return lines;
}

bool clipEntriesFit(const std::vector<ClipLine>& lines) {
    EntrySideCount sides;
    for (const ClipLine& line : lines) {
        if (!sides.add(line.side)) return false;
        if (closesEntry(line.note)) sides = {};
    }
    return true;
}

std::string clipPasteRefusal(const std::vector<ClipLine>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].whole)
            return "Nothing was pasted: line " + std::to_string(i + 1) +
                   " is not an entry line of five fields with an account number and an amount.";
    if (!clipEntriesFit(lines))
        return "Nothing was pasted: an entry holds more than " + std::to_string(MaxLinesPerSide) +
               " lines on one side.";
    return {};
}
