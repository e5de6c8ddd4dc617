// The texts every report writes through: HTML and RTF escaping, comma-separated
// fields, character columns, spreadsheet column widths, and amounts without
// the zero before their decimal mark.
#include "book/csv_text.h"
#include "book/html_text.h"
#include "book/number_format.h"
#include "book/report_sheet.h"
#include "book/rtf_text.h"
#include "book/text_columns.h"

#include <gtest/gtest.h>

TEST(ReportText, EscapedQuotedPaddedAndSized) {
    // HTML: markup characters as entities, non-ASCII as numbers, a stray byte
    // as the replacement character, control characters but line breaks and
    // TAB dropped.
    EXPECT_EQ(htmlEscaped("Smith & Sons' <b>\"caf\xC3\xA9\" \xE2\x82\xAC"),
              "Smith &amp; Sons&#39; &lt;b&gt;&quot;caf&#233;&quot; &#8364;");
    EXPECT_EQ(htmlEscaped(std::string("a\0b\x01\tc\r\nd\x7F\xFF", 11)), "ab\tc\r\nd&#65533;");
    EXPECT_EQ(htmlEscaped("\xF0\x9F\x98\x80"), "&#128512;");

    // RTF: Windows-1252 bytes alone, or Unicode with those bytes beside;
    // a character outside the code page has "?" for its byte.
    const std::string odd =
        "Caf\xC3\xA9 {Till}\\\t\x01\r\n\xE2\x82\xAC\xE4\xB8\xAD\xF0\x9F\x98\x80";
    EXPECT_EQ(rtfEscaped(odd, RtfCharacters::CodePage),
              "Caf\\'e9 \\{Till\\}\\\\\\tab \\line \\'80??");
    EXPECT_EQ(rtfEscaped(odd, RtfCharacters::Unicode),
              "Caf\\u233\\'e9 \\{Till\\}\\\\\\tab \\line \\u8364\\'80\\u20013?"
              "\\u-10179?\\u-8704?");

    EXPECT_EQ(csvField("plain"), "plain");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvLine({"1", "x\ny", ""}), "1,\"x\ny\",\r\n");

    // Columns count characters: "é" is one.
    EXPECT_EQ(padText("caf\xC3\xA9", 6), "caf\xC3\xA9  ");
    EXPECT_EQ(padText("caf\xC3\xA9s", 4), "caf\xC3\xA9");
    EXPECT_EQ(padText("abc", -1), "");
    EXPECT_EQ(rightAlign("1.00", 6), "  1.00");
    EXPECT_EQ(rightAlign("\xC3\xA9", 3), "  \xC3\xA9");
    // A longer amount widens its field, one blank still before it.
    EXPECT_EQ(rightAlign("12,345.00", 5), " 12,345.00");
    EXPECT_EQ(rightAlign("12,345.00", 9), " 12,345.00");
    // Amount columns keep their layout until a figure needs more; a widened
    // column moves the ones after it, and labels go on, whole, in lines
    // within the room before their first column.
    FigureColumns columns({6, 14}, 8);
    columns.fit(1, "(1.00)");
    EXPECT_FALSE(columns.widened());
    EXPECT_EQ(columns.lines("Caf\xC3\xA9 au lait", 0, {"1.00", "2.00"}),
              (std::vector<std::string>{"Caf\xC3\xA9      1.00    2.00", "au", "lait"}));
    columns.fit(0, "123,456.00");
    EXPECT_TRUE(columns.widened());
    EXPECT_EQ(columns.lines("Total", 0, {"123,456.00", "(1.00)"}),
              std::vector<std::string>{"Total  123,456.00  (1.00)"});
    EXPECT_EQ(columns.lines("Creditors for goods", 1, {"1.00"}),
              (std::vector<std::string>{"Creditors for        1.00", "goods"}));
    EXPECT_EQ(wrapText("  Accumulated-Depreciation: Equi", 10),
              (std::vector<std::string>{"  Accumula", "ted-Deprec", "iation:", "Equi"}));

    // 120 twips a character, halves to even, within what a sheet holds.
    EXPECT_EQ(sheetColumnCharacters(500 * 15.0), 62);
    EXPECT_EQ(sheetColumnCharacters(180), 2);
    EXPECT_EQ(sheetColumnCharacters(300), 2);
    EXPECT_EQ(sheetColumnCharacters(-50), 0);
    EXPECT_EQ(sheetColumnCharacters(1e6), 127);

    const NumberMarks english{".", ","};
    const NumberMarks german{",", "."};
    EXPECT_EQ(groupedDigits("1234567", ","), "1,234,567");
    EXPECT_EQ(groupedDigits("123", ","), "123");
    EXPECT_EQ(groupedDigits("1234", ""), "1234");
    EXPECT_EQ(formatAmountWithoutLeadingZero(*Currency::parse("0.5"), 2, english), ".50");
    EXPECT_EQ(formatAmountWithoutLeadingZero(*Currency::parse("-0.5"), 2, german), "(,50)");
    EXPECT_EQ(formatAmountWithoutLeadingZero(*Currency::parse("-1234.5"), 2, english),
              "(1,234.50)");
    EXPECT_EQ(formatAmountWithoutLeadingZero(*Currency::parse("0.4"), 0, english), "0");
}
