#include "platform/fake/recording_surface.h"
#include "support/screen_fit.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordingSurface, TextMovesTheCurrentPositionAsADrawingExpects) {
    RecordingSurface s;
    s.FontSize = 10; // 100 twips a character, 240 a line
    s.CurrentX = 500;
    s.CurrentY = 1000;
    s.PrintInline("Net");
    EXPECT_DOUBLE_EQ(s.CurrentX, 800);
    EXPECT_DOUBLE_EQ(s.CurrentY, 1000);
    s.Print(" Profit");
    EXPECT_DOUBLE_EQ(s.CurrentX, 0);
    EXPECT_DOUBLE_EQ(s.CurrentY, 1240);

    // Several lines: each starts at the same left edge.
    s.CurrentX = 100;
    s.Print("one\r\ntwo\nthree");
    EXPECT_DOUBLE_EQ(s.CurrentY, 1240 + 3 * 240);

    // Widths count characters, not bytes.
    EXPECT_DOUBLE_EQ(s.TextWidth("äöü"), 300);
    EXPECT_DOUBLE_EQ(s.TextWidth("ab\r\nabcdef"), 600);

    ASSERT_EQ(s.calls.size(), 5u);
    EXPECT_EQ(s.describe(s.calls[0]), "Text 500,1000 \"Net\" Arial 10");
    EXPECT_EQ(s.describe(s.calls[1]), "Text 800,1000 \" Profit\" Arial 10");
    EXPECT_EQ(s.describe(s.calls[2]), "Text 100,1240 \"one\" Arial 10");
    EXPECT_EQ(s.describe(s.calls[3]), "Text 100,1480 \"two\" Arial 10");
    EXPECT_EQ(s.describe(s.calls[4]), "Text 100,1720 \"three\" Arial 10");
}

TEST(RecordingSurface, ShapesFontsAndPages) {
    RecordingSurface s(9000, 12000);
    EXPECT_DOUBLE_EQ(s.ScaleWidth(), 9000);
    EXPECT_DOUBLE_EQ(s.ScaleHeight(), 12000);
    s.setFont({"Times", 12, true, true, true});
    s.ForeColor = rgbColor(255, 0, 0);
    s.Print("Title");
    s.Line(0, 300, 9000, 300);
    s.Box(10, 20, 30, 40, rgbColor(0, 0, 255));
    s.FilledBox(10, 20, 30, 40, 0xC0C0C0);
    EXPECT_DOUBLE_EQ(s.CurrentX, 30);
    EXPECT_DOUBLE_EQ(s.CurrentY, 40);
    s.PSet(5, 6, 0);
    s.NewPage();
    EXPECT_DOUBLE_EQ(s.CurrentX, 0);
    EXPECT_DOUBLE_EQ(s.CurrentY, 0);
    s.Cls();
    s.EndDoc();
    EXPECT_EQ(s.describe(), "Text 0,0 \"Title\" Times 12 BIU #FF0000\n"
                            "Line 0,300-9000,300 #FF0000\n"
                            "Box 10,20-30,40 #0000FF\n"
                            "FilledBox 10,20-30,40 #C0C0C0\n"
                            "Pixel 5,6 #000000\n"
                            "NewPage\n"
                            "Clear\n"
                            "EndDoc\n");
    EXPECT_EQ(s.pages(), 2);
    EXPECT_EQ(s.texts(), (std::vector<std::string>{"Title"}));
    // A line taller than the page stays at a page's top, else starts the next.
    EXPECT_FALSE(newPageBeforeFoot(s, 20000));
    s.CurrentY = 1;
    EXPECT_TRUE(newPageBeforeFoot(s, 20000));
    EXPECT_EQ(s.pages(), 3);
}

TEST(DrawingSurface, LineSplitting) {
    EXPECT_EQ(splitTextLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitTextLines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(splitTextLines(""), (std::vector<std::string>{""}));
    EXPECT_EQ(splitTextLines("\n\n"), (std::vector<std::string>{"", ""}));
}

TEST(ScreenFit, OverlapsAndEdgesFromTheTextBoxes) {
    RecordingSurface s(2000, 1000); // 9-point text: 90 twips a character, 216 high
    auto at = [&](double x, double y, const std::string& text) {
        s.CurrentX = x;
        s.CurrentY = y;
        s.PrintInline(text);
    };
    at(0, 0, "Cash");          // 0..360
    at(360, 0, "1,000.00");    // touches Cash: no overlap
    at(1100, 0, "Sales");      // 1100..1550, clear of 1,000.00 (360..1080)
    at(1400, 100, "9,999.00"); // runs into Sales
    at(0, 216, "Cash");        // the next row
    at(0, 216, "Cash");        // drawn twice at one place: one text
    at(1900, 432, "Total");    // past the right edge
    const auto overlaps = overlappingTexts(s.calls);
    ASSERT_EQ(overlaps.size(), 1u);
    EXPECT_NE(overlaps[0].find("\"Sales\""), std::string::npos);
    EXPECT_EQ(textsCutAtEdge(s.calls, {2000, 1000, 0}).size(), 2u); // 9,999.00 and Total
    EXPECT_TRUE(textsCutAtEdge(s.calls, {2000, 1000, 500}).empty());
    EXPECT_TRUE(textsCutAtEdge(s.calls, {2000, 100, 500}).empty()); // rows below: scrolled to

    // Scrolled right and down: texts left of the view and above it are cut
    // unless the scroll bars reach back to them.
    at(-300, -100, "Cash");
    EXPECT_EQ(textsCutAtEdge(s.calls, {2000, 1000, 500}).size(), 1u);
    EXPECT_EQ(textsCutAtEdge(s.calls, {2000, 1000, 500, 300}).size(), 1u);
    EXPECT_TRUE(textsCutAtEdge(s.calls, {2000, 1000, 500, 300, 0, 100}).empty());
}

} // namespace
