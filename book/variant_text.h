// A text that can also be Empty (never set). Empty compares equal to "",
// but the book file stores the two differently.
#pragma once

#include <optional>
#include <string>

struct VariantText {
    std::optional<std::string> value; // nullopt = Empty

    VariantText() = default;
    VariantText(std::string s) : value(std::move(s)) {}
    VariantText(const char* s) : value(std::string(s)) {}

    bool isEmpty() const { return !value.has_value(); }
    const std::string& str() const {
        static const std::string blank;
        return value ? *value : blank;
    }
    void clear() { value.reset(); }

    friend bool operator==(const VariantText& a, const VariantText& b) { return a.str() == b.str(); }
    friend bool operator==(const VariantText& a, const std::string& b) { return a.str() == b; }
    // Same value and same Empty state: what a byte-exact round trip needs.
    bool identical(const VariantText& o) const { return value == o.value; }
};
