// Books and raw book-file bytes for the book-file tests: random books for
// round trips, a builder for files put together byte by byte, and a
// comparison of everything the book file holds.
#pragma once

#include "book/book.h"
#include "book/book_file.h"
#include "hand_made_books.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace book_file_testing {

// Little-endian bytes, appended field by field.
class FileBuilder {
  public:
    std::string bytes;

    FileBuilder& i16(std::int16_t v) { return raw(&v, 2); }
    FileBuilder& u16(std::uint16_t v) { return raw(&v, 2); }
    FileBuilder& i32(std::int32_t v) { return raw(&v, 4); }
    FileBuilder& i64(std::int64_t v) { return raw(&v, 8); }
    FileBuilder& f64(double v) { return raw(&v, 8); }
    FileBuilder& f32(float v) { return raw(&v, 4); }
    FileBuilder& u8(std::uint8_t v) { return raw(&v, 1); }
    FileBuilder& currency(double units) { return i64(static_cast<std::int64_t>(units * 10000)); }
    FileBuilder& text(const std::string& s) {
        std::uint16_t n = static_cast<std::uint16_t>(s.size());
        raw(&n, 2);
        bytes += s;
        return *this;
    }
    FileBuilder& variantText(const std::string& s) { return i16(8).text(s); }
    FileBuilder& variantEmpty() { return i16(0); }
    FileBuilder& fixed(const std::string& s, std::size_t n, char pad = ' ') {
        std::string f = s.substr(0, n);
        f.resize(n, pad);
        bytes += f;
        return *this;
    }
    // An EntryLine record.
    FileBuilder& line(double date, std::uint8_t side, double account, double amount,
                      const std::string& details, std::uint8_t reconciled = 0) {
        return f64(date).u8(side).currency(account).currency(amount).text(details).u8(reconciled);
    }
    // A version-5 record.
    FileBuilder& oldEntry(double date, double debitAmount, double creditAmount, double debitAccount,
                          double creditAccount, const std::string& details,
                          std::uint8_t reconciled = 0) {
        return f64(date)
            .currency(debitAmount)
            .currency(creditAmount)
            .currency(debitAccount)
            .currency(creditAccount)
            .text(details)
            .u8(reconciled);
    }

  private:
    FileBuilder& raw(const void* p, std::size_t n) {
        bytes.append(static_cast<const char*>(p), n);
        return *this;
    }
};

// A book with texts of every kind the file must carry: ASCII, UTF-8 beyond
// Windows-1252, Empty and "" variants, references never assigned and
// assigned, an account table below or above 14 slots and groups of 1 to 50 lines.
inline Book randomBook(std::uint32_t seed, int journalLines = 200) {
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const std::vector<std::string> words = {
        "Cash", "Bank", "Sales",      "Café",         "Müller & Söhne", "Ωmega",      "Zürich €",
        "",     "_",    "北京办公室", "naïve résumé", "Rent\r\nDue",    "  padded  ", "Œuvre—dash"};
    auto word = [&] { return words[static_cast<std::size_t>(pick(0, int(words.size()) - 1))]; };
    auto variant = [&]() -> VariantText {
        int k = pick(0, 3);
        if (k == 0) return VariantText();
        if (k == 1) return VariantText("");
        return VariantText(word() + " " + word());
    };

    Book b;
    b.resizeAccounts(pick(0, 1) ? pick(0, 12) : pick(13, 60));
    for (std::size_t i = 0; i < b.accountSlots(); ++i) {
        if (pick(0, 4) == 0) continue; // an empty slot
        b.AccountNames[i] = word() + std::to_string(i);
        b.AccountNumbers[i] = Currency::fromRaw(pick(1, 9999) * 10000 + pick(0, 9) * 1000);
        b.AccountTypes[i] = static_cast<std::uint8_t>(pick(0, 8));
        b.AccountNote[i] = word();
        b.AccountNote2[i] = pick(0, 1) ? word() + "\r\n" + word() : "";
        b.AccountExtra[i] = pick(0, 3) == 0 ? word() : "";
    }
    for (int g = 0; g < GroupTotal; ++g) {
        if (pick(0, 2) == 0)
            b.GroupNames[g] = word() + " group";
        else if (pick(0, 3) == 0)
            b.GroupNames[g] = GroupName(); // never assigned: NUL bytes
        else
            b.GroupNames[g] = "Group " + std::to_string(g + 1);
        b.EntryGroups[g].resize(static_cast<std::size_t>(pick(1, 50)));
        for (auto& line : b.EntryGroups[g]) {
            line.Side = static_cast<std::uint8_t>(pick(0, 2));
            line.AccountNumber = Currency::fromRaw(pick(0, 999) * 10000);
            line.Details = pick(0, 2) == 0 ? word() : "";
        }
    }
    b.GroupCount = pick(0, 5);
    b.BusinessName = variant();
    b.BusinessAddress = variant();
    b.FontName = variant();
    b.AdminPassword = variant();
    b.FilePassword = pick(0, 1) ? variant() : VariantText("sécret " + std::to_string(seed));
    b.AutoIncrement = static_cast<std::int16_t>(pick(-1, 1));
    b.FontCharset = static_cast<std::int16_t>(pick(0, 1) ? 0 : 238);
    b.SubAccountDash = static_cast<std::int16_t>(pick(0, 1) ? -1 : 0);
    b.DecimalsJournal = static_cast<std::int16_t>(pick(0, 3));
    b.DecimalsLedger = static_cast<std::int16_t>(pick(0, 3));
    b.DecimalsTrialBalance = static_cast<std::int16_t>(pick(0, 3));
    b.DecimalsIncome = static_cast<std::int16_t>(pick(0, 3));
    b.DecimalsBalanceSheet = static_cast<std::int16_t>(pick(0, 3));
    b.DateStyle = static_cast<std::int16_t>(pick(0, 8));
    b.ReservedInteger = static_cast<std::int16_t>(pick(-5, 5));
    b.ReservedLong = pick(-100000, 100000);
    b.Caption = "Ledgerwick : /home/user/" + word() + ".acc";
    for (int i = pick(0, 20); i > 0; --i)
        b.EntryAccountList.push_back(variant());

    b.resizeJournal(static_cast<std::size_t>(journalLines));
    int ref = 1;
    for (int i = 0; i < journalLines; ++i) {
        EntryLine& line = b.EntryLines[i];
        line.Date = 40000 + i / 3 + (pick(0, 9) == 0 ? 0.25 : 0);
        line.Side = static_cast<std::uint8_t>(i % 2 ? Credit : Debit);
        line.AccountNumber = Currency::fromRaw(pick(1, 9999) * 10000);
        line.Amount = Currency::fromRaw(static_cast<std::int64_t>(pick(-50000, 9000000)) * 7);
        line.Details = i % 2 ? (pick(0, 1) ? word() : "_") : "";
        line.Reconciled = static_cast<std::uint8_t>(pick(0, 1));
        if (pick(0, 9) != 0) b.EntryIds[i] = std::to_string(ref); // else never assigned
        if (i % 2) ++ref;
    }
    return b;
}

// The book file's bytes for a book; a refused save fails the test.
inline std::string serialized(const Book& b) {
    std::string refusal;
    auto bytes = serializeBookFile(b, nullptr, &refusal);
    EXPECT_TRUE(bytes.has_value()) << refusal;
    return bytes.value_or("");
}

// Everything the book file holds, compared field by field (Empty and "" apart).
inline void expectSameStoredBook(const Book& a, const Book& b) {
    handmade::expectSameChartAndJournal(a, b);
    for (int g = 0; g < GroupTotal; ++g) {
        EXPECT_TRUE(a.EntryGroups[g] == b.EntryGroups[g]) << "group " << g;
        EXPECT_EQ(a.GroupNames[g].raw(), b.GroupNames[g].raw()) << "group " << g;
    }
    EXPECT_EQ(a.GroupCount, b.GroupCount);
    EXPECT_TRUE(a.BusinessName.identical(b.BusinessName));
    EXPECT_TRUE(a.BusinessAddress.identical(b.BusinessAddress));
    EXPECT_TRUE(a.FilePassword.identical(b.FilePassword));
    EXPECT_TRUE(a.AdminPassword.identical(b.AdminPassword));
    EXPECT_TRUE(a.FontName.identical(b.FontName));
    EXPECT_EQ(a.AutoIncrement, b.AutoIncrement);
    EXPECT_EQ(a.FontCharset, b.FontCharset);
    EXPECT_EQ(a.SubAccountDash, b.SubAccountDash);
    EXPECT_EQ(a.DecimalsJournal, b.DecimalsJournal);
    EXPECT_EQ(a.DecimalsLedger, b.DecimalsLedger);
    EXPECT_EQ(a.DecimalsTrialBalance, b.DecimalsTrialBalance);
    EXPECT_EQ(a.DecimalsIncome, b.DecimalsIncome);
    EXPECT_EQ(a.DecimalsBalanceSheet, b.DecimalsBalanceSheet);
    EXPECT_EQ(a.DateStyle, b.DateStyle);
    EXPECT_EQ(a.ReservedInteger, b.ReservedInteger);
    EXPECT_EQ(a.ReservedLong, b.ReservedLong);
    EXPECT_EQ(a.Caption, b.Caption);
    ASSERT_EQ(a.EntryAccountList.size(), b.EntryAccountList.size());
    for (std::size_t i = 0; i < a.EntryAccountList.size(); ++i)
        EXPECT_TRUE(a.EntryAccountList[i].identical(b.EntryAccountList[i])) << "item " << i;
}

} // namespace book_file_testing
