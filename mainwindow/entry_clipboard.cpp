#include "mainwindow/entry_clipboard.h"

#include "book/tmain.h"
#include "mainwindow/entry_commands.h"
#include "mainwindow/entry_input.h"
#include "platform/services.h"

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

std::string noteForCopy(const std::string& details) {
    std::string out;
    for (char c : breaksAsBlanks(details)) {
        if (c == '\t')
            out += "~~";
        else
            out += c;
    }
    return storedNote(out);
}

std::string withoutTabs(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\t'), text.end());
    return text;
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

Currency pastedAmount(const std::string& field, const NumberMarks& marks) {
    // The copy writes the plain form: a negative amount leads with "-".
    const bool negative = !field.empty() && field[0] == '-';
    const std::optional<Currency> v = parseAmount(negative ? field.substr(1) : field, marks);
    if (!v) return {};
    return negative ? Currency::fromRaw(-v->raw) : *v;
}

} // namespace

std::string EntryClipText(const Book& book, std::int32_t first, std::int32_t last,
                          const std::string& decimalMark) {
    std::string text;
    first = std::max(first, 0);
    last = std::min(last, book.LastEntryLine());
    for (std::int32_t i = first; i <= last; ++i) {
        const EntryLine& line = book.EntryLines[i];
        const std::string account = line.AccountNumber.toPlainString(decimalMark);
        if (line.Side == Debit)
            text += account + "\t\t";
        else if (line.Side == Credit)
            text += "\t" + account + "\t";
        text += withoutTabs(Tmain::AccountNameByNumber(book, line.AccountNumber));
        text += "\t" + line.Amount.toPlainString(decimalMark) + "\t";
        if (i == last) text += noteForCopy(line.Details);
        text += "\r\n";
    }
    return text + "LW";
}

std::optional<std::vector<ClipLine>> readEntryClipText(const std::string& text,
                                                       const NumberMarks& marks) {
    std::vector<std::string> elements = split(text, '\n');
    for (std::string& e : elements)
        if (!e.empty() && e.back() == '\r') e.pop_back();
    if (elements.back() != "LW") return std::nullopt;
    elements.pop_back();

    std::vector<ClipLine> lines;
    lines.reserve(elements.size());
    for (const std::string& element : elements) {
        std::vector<std::string> fields = split(element, '\t');
        fields.resize(std::max<std::size_t>(fields.size(), 5));
        ClipLine line;
        const bool debit = !fields[0].empty();
        line.side = debit ? Debit : Credit;
        line.account =
            readAccountNumber(debit ? fields[0] : fields[1], marks.decimal).value_or(Currency());
        line.amount = pastedAmount(fields[3], marks);
        line.note = breaksAsBlanks(fields[4]);
        lines.push_back(std::move(line));
    }
    return lines;
}

EntryClipboard::EntryClipboard(Book& book, RunTimeState& run, EntryModel& model)
    : book_(book), run_(run), model_(model) {}

void EntryClipboard::copyEntry() {
    if (model_.journalEmpty()) return;
    services().clipboard->setText(EntryClipText(book_, run_.CurrentFirstLine, run_.CurrentLastLine,
                                                model_.locale().decimalMark));
}

EntryOutcome EntryClipboard::pasteEntries() {
    return pasteText(services().clipboard->text());
}

EntryOutcome EntryClipboard::pasteText(const std::string& text) {
    EntryOutcome out;
    const NumberMarks marks = marksOf(model_.locale());
    std::optional<std::vector<ClipLine>> lines = readEntryClipText(text, marks);
    if (!lines || lines->empty()) return out;
    lines->back().note = storedNote(lines->back().note);

    // Every entry is checked before anything is appended.
    int debits = 0, credits = 0;
    for (const ClipLine& line : *lines) {
        ++(line.side == Debit ? debits : credits);
        if (debits > MaxLinesPerSide || credits > MaxLinesPerSide) {
            showMessage("Nothing was pasted: an entry holds more than " +
                        std::to_string(MaxLinesPerSide) + " lines on one side.");
            return out;
        }
        if (closesEntry(line.note)) debits = credits = 0;
    }

    closeJournalEnd(book_);
    const std::int32_t firstPasted = book_.LastEntryLine() + 1;
    const double today = todayNumber();
    book_.EntryLines.reserve(book_.EntryLines.size() + lines->size());
    book_.EntryIds.reserve(book_.EntryIds.size() + lines->size());
    bool startsEntry = true;
    EntryId id;
    for (ClipLine& clip : *lines) {
        EntryLine line;
        line.Date = today;
        line.Side = clip.side;
        line.AccountNumber = clip.account;
        line.Amount = clip.amount;
        line.Details = std::move(clip.note);
        const bool endsEntry = closesEntry(line.Details);
        book_.EntryLines.push_back(std::move(line));
        book_.EntryIds.emplace_back();
        if (startsEntry && book_.autoIncrementOn())
            id = EntryId(Tmain::NextEntryId(book_, model_.locale().decimalMark));
        if (book_.autoIncrementOn()) book_.EntryIds.back() = id;
        startsEntry = endsEntry;
    }
    run_.BookChanged = true;
    out.changed = true;
    model_.showEntryHolding(firstPasted);
    out.showLine = firstPasted;
    return out;
}
