#include "mainwindow/goto_search.h"

#include "book/text_encoding.h"

#include "mainwindow/entry_input.h"
#include "resources/string_table.h"
#include "toolkit/key_codes.h"

int gotoBoxSelectionOnFocus(const std::string& text) {
    return static_cast<int>(encoding::characterCount(text));
}

std::string gotoBoxTextAfterKey(const std::string& text) {
    return upperCaseReference(text);
}

std::optional<std::int32_t> gotoBoxKeyDown(int& keyCode, const RunTimeState& run) {
    if (keyCode == keys::Up) {
        keyCode = 0;
        return run.CurrentFirstLine - 1;
    }
    if (keyCode == keys::Down) {
        keyCode = 0;
        return run.CurrentLastLine + 1;
    }
    return std::nullopt;
}

std::optional<std::int32_t> findEntryReference(const Book& book, const std::string& typed) {
    if (typed.empty()) return std::nullopt; // 13 spaces: shorter than any reference
    const std::string key = EntryId(typed).raw();
    const std::int32_t last = book.LastEntryLine();
    for (std::int32_t i = 0; i <= last; ++i)
        if (book.EntryIds[static_cast<std::size_t>(i)].raw() == key) return i;
    return std::nullopt;
}

std::string referenceNotFoundText(const std::string& typed) {
    const std::string pattern = strings::text(286);
    std::string out;
    for (char c : pattern) {
        if (c == '?')
            out += typed;
        else
            out += c;
    }
    return out;
}

GotoResult gotoBoxKeyPress(int keyAscii, const std::string& typed, const Book& book,
                           RunTimeState& run) {
    GotoResult result;
    if (keyAscii != keys::Enter) return result;
    result.line = findEntryReference(book, typed);
    if (result.line)
        run.CurrentFirstLine = *result.line;
    else
        result.status = referenceNotFoundText(typed);
    return result;
}

std::int32_t balancePointLine(const Book& book) {
    // Wide sums: no journal can overflow them.
    __int128 debit = 0;
    __int128 credit = 0;
    for (const EntryLine& line : book.EntryLines) {
        if (line.Side == Debit)
            debit += line.Amount.raw;
        else if (line.Side == Credit)
            credit += line.Amount.raw;
    }
    for (std::int32_t i = book.LastEntryLine(); i >= 0; --i) {
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(i)];
        if (line.Side == Debit)
            debit -= line.Amount.raw;
        else if (line.Side == Credit)
            credit -= line.Amount.raw;
        if (debit == credit) return i;
    }
    return 0;
}
