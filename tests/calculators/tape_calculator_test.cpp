// The tape: totals without precedence, the average, middle value and mode,
// the display forms and decimals, the keys that move along the tape, copy,
// paste (plain lines and the main window's entry lines) and sort.
#include "calculators/number_reading.h"
#include "calculators/tape_calculator.h"

#include "book/book.h"
#include "book/entry_clip_text.h"
#include "platform/fake/fake_services.h"

#include <gtest/gtest.h>

namespace {

const NumberMarks Point{".", ","};
const NumberMarks Comma{",", "."};

// A tape from "+5 x3 -4 /2 +-1" (operator, then amount; no amount: never typed).
std::vector<TapeLine> tape(const std::string& spec) {
    std::vector<TapeLine> lines;
    std::size_t i = 0;
    while (i < spec.size()) {
        if (spec[i] == ' ') {
            ++i;
            continue;
        }
        TapeLine line;
        line.op = spec[i++];
        const std::size_t end = spec.find(' ', i);
        const std::string amount = spec.substr(i, end - i);
        if (!amount.empty()) line.amount = readDecimal(amount, Point);
        lines.push_back(line);
        i = end == std::string::npos ? spec.size() : end;
    }
    return lines;
}

TEST(TapeArithmetic, ResultsOfEveryMode) {
    struct Case {
        std::string tape;
        CalcMode mode;
        int decimals;
        std::optional<std::string> result; // nullopt: the result box keeps its text
    } cases[] = {
        {"+5 x3 -4 /2", CalcMode::Total, 2, "5.50"},
        {"+0.1 +0.2", CalcMode::Total, VariableDecimals, "0.3"},
        {"+0.1 +0.2", CalcMode::Total, 2, ".30"},
        {"x7 +2", CalcMode::Total, 2, "2.00"}, // a first "x" leaves 0
        {"+5 /", CalcMode::Total, 2, "Error"},
        {"+5 /0 +1", CalcMode::Total, 2, "Error"},
        {"+79228162514264337593543950335 +1", CalcMode::Total, 2, "Overflow"},
        {"+79228162514264337593543950335 -1", CalcMode::Total, 0,
         "79,228,162,514,264,337,593,543,950,334"},
        {"+1 -4", CalcMode::Total, 2, "(3.00)"},
        {"+0.25", CalcMode::Total, 2, ".25"},
        {"+1 /3", CalcMode::Total, VariableDecimals, "0.3333333333333333333333333333"},
        {"+1 /3", CalcMode::Total, 24, ".333333333333333333333333"},
        {"+1 ?9 +2", CalcMode::Total, 1, "3.0"}, // no operator: no part in the total
        {"+4 +0 +-2", CalcMode::Average, 2, "Average : 1"},
        {"+1 +2", CalcMode::Average, 2, "Average : 1.5"},
        {"+0 +0", CalcMode::Average, 2, std::nullopt},
        // A sum beyond the range: no average, as no total.
        {"+1 +79228162514264337593543950335 +5", CalcMode::Average, 2, "Overflow"},
        {"+79228162514264337593543950335 +1 +2", CalcMode::Average, 2, "Overflow"},
        {"+40000000000000000000000000000 +40000000000000000000000000000", CalcMode::Average, 2,
         "Overflow"},
        {"+5 +1 +3", CalcMode::Middle, 2, "Mean : 3"},
        {"+4 +1 +3 +2", CalcMode::Middle, 2, "Mean : 2.5"},
        {"+4 +-9 +0 +1 +3 +-2 +2", CalcMode::Middle, 2, "Mean : 2.5"},
        {"+0 +-3", CalcMode::Middle, 2, std::nullopt},
        {"+1 +2 +2 +3 +3", CalcMode::Mode, 2, "Mode : 2"},
        {"+7 +5 +9", CalcMode::Mode, 2, "Mode : 5"},
        {"+2.50 +2.5 +1", CalcMode::Mode, 2, "Mode : 2.5"},
        {"+-1 +0", CalcMode::Mode, 2, "Mode : "},
    };
    for (const Case& c : cases) {
        const std::vector<TapeLine> lines = tape(c.tape);
        std::optional<std::string> got;
        switch (c.mode) {
        case CalcMode::Total:
            got = tapeTotalText(lines, c.decimals, Point);
            break;
        case CalcMode::Average:
            got = tapeAverageText(lines, Point);
            break;
        case CalcMode::Middle:
            got = middleValueText(sortedPositiveAmounts(lines), Point);
            break;
        case CalcMode::Mode:
            got = modeText(sortedPositiveAmounts(lines), Point);
            break;
        }
        EXPECT_EQ(got, c.result) << c.tape;
    }
}

TEST(TapeCalculator, KeysScrollingCopyPasteAndSort) {
    TapeCalculator t(30, Point);
    t.layout(3); // rows 0 to 3 visible
    EXPECT_EQ(t.maxFirstLine(), 26);
    t.clear();
    EXPECT_EQ(t.copyText().size(), 30 * 3 - 2); // "0" per line joined by CR LF

    // 5, "*", 3, "-", 4, "/", 2 typed down the column and past its end.
    auto type = [&](int row, const std::string& digits) {
        for (char c : digits)
            EXPECT_FALSE(t.keyPress(row, static_cast<char32_t>(c)).swallowed);
        t.amountTyped(row, digits);
    };
    t.layout(3);
    t.clear();
    t.layout(3);
    type(0, "5");
    EXPECT_EQ(t.keyPress(0, U'*').focusRow, 1);
    type(1, "3");
    EXPECT_EQ(t.keyPress(1, U'-').focusRow, 2);
    type(2, "4");
    EXPECT_EQ(t.keyPress(2, U'/').focusRow, 3);
    type(3, "2");
    EXPECT_EQ(t.result(), "5.50");
    EXPECT_TRUE(t.keyPress(3, U'a').swallowed);
    // Enter in the last row scrolls one line; at the tape's end a line is added.
    while (t.firstLine() < t.maxFirstLine())
        EXPECT_TRUE(t.keyPress(3, U'\r').scrolled);
    const std::size_t before = t.lines().size();
    EXPECT_TRUE(t.keyPress(3, U'+').scrolled);
    EXPECT_EQ(t.lines().size(), before + 1);
    EXPECT_EQ(t.firstLine(), t.maxFirstLine());
    EXPECT_EQ(t.rowOperator(3), '+');
    type(3, "1,000.5");
    EXPECT_EQ(t.rowText(3), "1,000.50");
    EXPECT_EQ(t.result(), "1,006.00");
    // Arrows: up in row 0 scrolls, up elsewhere moves the focus.
    EXPECT_EQ(t.arrowUp(2).focusRow, 1);
    const int first = t.firstLine();
    EXPECT_TRUE(t.arrowUp(0).scrolled);
    EXPECT_EQ(t.firstLine(), first - 1);
    EXPECT_TRUE(t.arrowDown(3).scrolled);
    // An unreadable text keeps the amount; leaving shows the display form.
    t.amountTyped(3, "1" + std::string(29, '0'));
    EXPECT_EQ(t.leaveBox(3, "1" + std::string(29, '0')).text, "1,000.50");
    // The operator button turns + into - ... and back.
    t.scrollTo(0);
    t.operatorClick(0); // "+5" becomes "-5": -5 x3 -4 /2 +... = (-15-4)/2 + 0s + 1000.5
    EXPECT_EQ(t.rowOperator(0), '-');
    EXPECT_EQ(t.result(), "991.00");
    t.setDecimals(VariableDecimals);
    t.MailCalc();
    EXPECT_EQ(t.result(), "991");
    t.setMode(CalcMode::Mode);
    EXPECT_EQ(t.result(), "Mode : 2");

    // Plain lines: "-" subtracts, a text not by the system's rules reads its leading number.
    t.setMode(CalcMode::Total);
    t.setDecimals(2);
    t.paste("10\r\n-3\r\n1,000.50\r\n7,0001abc\t9");
    EXPECT_EQ(t.result(), "1,014.50");
    EXPECT_EQ(t.rowText(1), "(3.00)");
    EXPECT_EQ(t.lines().size(), 30u);
    EXPECT_TRUE(t.copyText().starts_with("10\r\n-3\r\n1000.5\r\n7\r\n0\r\n0\r\n"));
    // Sort: positives to the top in ascending order, the rest 0; no new result.
    t.sort();
    EXPECT_TRUE(t.copyText().starts_with("7\r\n10\r\n1000.5\r\n0\r\n0\r\n"));
    EXPECT_EQ(t.result(), "1,014.50");
    // More lines than rows lengthen the tape and its scroll range.
    std::string many;
    for (int i = 1; i <= 40; ++i)
        many += std::to_string(i) + "\r\n";
    t.paste(many + "x");
    EXPECT_EQ(t.lines().size(), 41u);
    EXPECT_EQ(t.maxFirstLine(), 37);
    EXPECT_EQ(t.result(), "820.00"); // "x" is an unreadable line: "+" 0
    // A paste longer than the tape holds: its first lines, and the user told.
    ScopedFakeServices fakes;
    std::string tooMany;
    for (int i = 0; i < 40000; ++i)
        tooMany += "1\r\n";
    t.paste(tooMany + "1");
    EXPECT_EQ(t.lines().size(), 32005u);
    EXPECT_EQ(t.result(), "32,005.00");
    EXPECT_EQ(fakes.messages.lastText(),
              "The tape holds 32005 lines at most: the first 32005 lines were pasted and the "
              "other 7996 left out. The result is of the pasted lines alone.");
}

TEST(TapeCalculator, PastesEntryLinesWithTheSystemDecimalMark) {
    Book book;
    book.EntryLines.resize(3);
    book.EntryLines[0] =
        EntryLine{45000, Debit, Currency::fromUnits(100), Currency::fromRaw(1205000), "", 0};
    book.EntryLines[1] =
        EntryLine{45000, Credit, Currency::fromUnits(200), Currency::fromRaw(1005000), "", 0};
    book.EntryLines[2] =
        EntryLine{45000, Credit, Currency::fromUnits(300), Currency::fromUnits(20), "rent", 0};
    for (const NumberMarks& marks : {Point, Comma}) {
        TapeCalculator t(10, marks);
        t.layout(9);
        t.paste(EntryClipText(book, 0, 2, marks.decimal));
        EXPECT_EQ(t.rowOperator(0), '+');
        EXPECT_EQ(t.rowOperator(1), '-');
        EXPECT_EQ(t.rowText(0), marks.decimal == "." ? "120.50" : "120,50");
        EXPECT_EQ(t.result(), marks.decimal == "." ? ".00" : ",00");
    }
    // Amounts written with the other decimal mark read their leading number,
    // with "." as its mark; one beyond the range reads 0.
    const std::string foreign = "100\t\tCash\t120,50\t\r\n\t200\tSales\t9E99\t\r\n"
                                "\t200\tSales\t-7.25x\t_\r\nLW";
    struct Case {
        NumberMarks marks;
        std::string text, copied, notRead;
    } cases[] = {
        {Point, foreign, "120\r\n0\r\n-7.25", "1 line"},
        {Comma, EntryClipText(book, 0, 2, "."), "120,5\r\n100,5\r\n20", ""},
        {Comma, "100\t\tCash\t12345678901234.5678\t\r\n\t200\tSales\t922337203685477.5807\t\r\nLW",
         "12345678901234,5678\r\n922337203685477,5807\r\n0", ""},
        {Point, "1\r\n1" + std::string(30, '0') + "\r\n-1e99\r\n2", "1\r\n0\r\n0\r\n2", "2 lines"},
    };
    const std::string notRead = " could not be read (a number beyond the range) and stand as 0 on "
                                "the tape. The result is without them.";
    for (const Case& c : cases) {
        ScopedFakeServices fakes;
        TapeCalculator t(3, c.marks);
        t.layout(2);
        t.paste(c.text);
        EXPECT_EQ(t.copyText(), c.copied) << c.marks.decimal;
        EXPECT_EQ(fakes.messages.lastText(), c.notRead.empty() ? "" : c.notRead + notRead);
    }
}

} // namespace
