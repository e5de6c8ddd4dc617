// Texts of a fixed number of bytes (entry references of 14, group names of 120).
// Never assigned, a field holds NUL bytes; an assignment cuts at a UTF-8
// character boundary and pads with spaces.
#pragma once

#include "book/text_encoding.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

template <std::size_t N> struct FixedText {
    std::array<char, N> bytes{}; // all NUL until assigned

    FixedText() = default;
    FixedText(std::string_view text) { assign(text); }

    void assign(std::string_view text) {
        std::size_t n = text.size() <= N ? text.size() : cutPoint(text);
        for (std::size_t i = 0; i < n; ++i)
            bytes[i] = text[i];
        for (std::size_t i = n; i < N; ++i)
            bytes[i] = ' ';
    }
    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    // The N bytes as stored (padding and NULs included).
    std::string raw() const { return std::string(bytes.data(), N); }
    // The text without NUL bytes and without trailing blanks: what people see.
    std::string shown() const {
        std::string s;
        for (char c : bytes)
            if (c != '\0') s += c;
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
        return s;
    }
    bool neverAssigned() const {
        for (char c : bytes)
            if (c != '\0') return false;
        return true;
    }
    friend bool operator==(const FixedText&, const FixedText&) = default;

  private:
    static std::size_t cutPoint(std::string_view text) { return encoding::cutUtf8(text, N).size(); }
};

using EntryId = FixedText<14>;
using GroupName = FixedText<120>;

// The largest number a reference holds: as many nines as it holds characters.
inline std::string largestReference() {
    return std::string(EntryId{}.bytes.size(), '9');
}

// A box for a text kept in `maxBytes` bytes takes no character whose bytes
// would not fit, typed or pasted, so that it always shows all that is kept.
// The box held `before` and an edit gives `after`, the characters typed or
// pasted ending at byte `caret`. What the box then holds: `after` without
// the characters typed or pasted that would not fit, and the caret after
// those taken. A text already longer grows no longer.
struct FittedText {
    std::string text;
    std::size_t caret = 0;
};
FittedText fitTypedText(std::string_view before, std::string_view after, std::size_t caret,
                        std::size_t maxBytes);
