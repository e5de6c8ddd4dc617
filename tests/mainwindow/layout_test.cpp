#include "mainwindow/layout.h"

#include <gtest/gtest.h>

TEST(Layout, MinimumSizeAndStartUpHeight) {
    EXPECT_EQ(snapToMinimum({5000, 2000}), (Size{MinimumOuterWidth, MinimumOuterHeight}));
    EXPECT_EQ(snapToMinimum({12000, 2000}), (Size{12000, MinimumOuterHeight}));
    EXPECT_EQ(snapToMinimum({12000, 8000}), (Size{12000, 8000}));
    EXPECT_EQ(startupOuterHeight(200), design::FrameTop + design::FrameHeight + 200);
}

TEST(Layout, ControlsFollowTheWindowSize) {
    // At the minimum width with a 120-twip border the account boxes are 9850 - 120 - 5680.
    WindowLayout l = layoutFor(9850 - 120, 3600 - 700, 9850, 657);
    EXPECT_EQ(l.nameWidth, 9850 - 120 - 5680);
    WindowLayout w = layoutFor(12000, 6000, 12120, 808);
    EXPECT_EQ(w.nameWidth, 12000 - 5680);
    EXPECT_EQ(w.creditAmountLeft - w.debitAmountLeft, 760);
    EXPECT_EQ(w.scrollAcc.left, 12000 - (design::ScrollWidth + 50));
    EXPECT_EQ(w.scrollAcc.height, 6000 - 920);
    EXPECT_EQ(w.frame.width, 12000 - design::ScrollWidth);
    EXPECT_EQ(w.frame.height, 6000 - 800);
    EXPECT_EQ(w.panel.height, w.frame.height - 560);
    EXPECT_EQ(w.panel.width, w.frame.width);
    EXPECT_EQ(w.newEntry.left, 12000 - 1950);
    EXPECT_EQ(w.newEntry.top, 6000 - 400);
    EXPECT_EQ(w.include.top, w.newEntry.top);
    EXPECT_EQ(w.include.right(), w.newEntry.left); // the two buttons meet
    EXPECT_EQ(w.status.top, 6000 - 220);
    EXPECT_EQ(w.status.right(), 12000 - 3050);
    EXPECT_EQ(w.debitCurrencyLeft, design::DebitNameLeft + w.nameWidth + 20);
    EXPECT_EQ(w.noteWidth, 12000 - 2390);
    EXPECT_EQ(w.panelScroller.left, 12000 - 840);
    EXPECT_EQ(w.panelScroller.height, 6000 - 1820);
    EXPECT_EQ(w.creditCompoundLeft, w.creditAmountLeft + design::AmountWidth);
    EXPECT_EQ(w.buttonBarWidth, 12120);
    EXPECT_EQ(w.helpButtonLeft, 808 - (30 + 20));
    // Growing the window by 1000 twips moves the right-hand controls by as much.
    WindowLayout wider = layoutFor(13000, 6000, 13120, 875);
    EXPECT_EQ(wider.nameWidth - w.nameWidth, 1000);
    EXPECT_EQ(wider.creditAmountLeft - w.creditAmountLeft, 1000);
    EXPECT_EQ(wider.newEntry.left - w.newEntry.left, 1000);
}

TEST(Layout, AccountBoxesGiveWayToCaptionsAmountsAndTheCurrencyLabel) {
    using namespace design;
    // Inner width; what "Debit :" (or "Notes :"), "Credit :", the amount boxes
    // and the currency label ask for; how far the rows move right, and the
    // account and amount boxes' widths; what the account-number boxes ask for.
    const struct {
        int inner, caption, credit, amount, label, indent, nameWidth, amountWidth;
        int folio = FolioWidth;
    } cases[] = {
        {12000, 800, 1200, 600, 100, 0, 6320, AmountWidth}, // as designed, never narrower
        {12000, 0, 0, 2200, 400, 0, 5040, 2200},
        {12000, 1020, 1700, AmountWidth, 0, 190, 6130, AmountWidth},
        {9730, 0, 0, 6000, 0, 0, 900, 4250},                       // the account boxes' least width
        {9730, 1020, 0, 6000, 520, 190, 900, 3760},                // captions first, then the label
        {12000, 0, 0, AmountWidth, 0, 0, 5920, AmountWidth, 1300}, // a wider number box
        {9730, 0, 0, 6000, 0, 0, 900, 3850, 1300},                 // the numbers before amounts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.inner) + " " + std::to_string(c.amount));
        const WindowLayout l = layoutFor(c.inner, 6000, c.inner + 120, 800,
                                         {c.caption, c.credit, c.amount, c.label, c.folio});
        EXPECT_EQ(l.nameWidth, c.nameWidth);
        EXPECT_EQ(l.amountWidth, c.amountWidth);
        EXPECT_EQ(l.creditFolioLeft, CreditFolioLeft + c.indent);
        EXPECT_EQ(l.noteLeft, NoteLeft + c.indent);
        EXPECT_EQ(l.folioWidth, std::max(FolioWidth, c.folio));
        EXPECT_EQ(l.creditNameLeft - l.creditFolioLeft, l.folioWidth + 50);
        // The add-line buttons stay put; the amounts end at them, 760 apart.
        EXPECT_EQ(l.debitAmountLeft + l.amountWidth, c.inner - 2460);
        EXPECT_EQ(l.creditAmountLeft - l.debitAmountLeft, 760);
        EXPECT_EQ(l.debitCurrencyLeft, l.debitNameLeft + l.nameWidth + CurrencyLabelGap);
        EXPECT_LE(l.debitCurrencyLeft + std::max(c.label, CurrencyLabelRoom), l.debitAmountLeft);
    }
}

TEST(Layout, TheReconciledTickMakesRoomForTheDateBox) {
    using namespace design;
    // Date box widths: as designed, the control's own 103 pixels, the widest
    // that leaves the tick in place, one twip more, and month-name dates of
    // 147 and 150 pixels; then with a "Date :" of 58 pixels (a large font).
    const struct {
        int dateWidth, caption, dateLeft, reconcileLeft;
    } cases[] = {{DateWidth, 830, DateLeft, ReconcileLeft},
                 {1545, 0, DateLeft, ReconcileLeft},
                 {1940, 0, DateLeft, ReconcileLeft},
                 {1941, 0, DateLeft, 5501},
                 {2205, 0, DateLeft, 5765},
                 {2250, 0, DateLeft, 5810},
                 {2250, 870, 3540, 5850}};
    // At the minimum width (a 120-twip border) the position label starts here.
    const int positionLabelLeft =
        layoutFor(MinimumOuterWidth - 120, 2900, MinimumOuterWidth, 657).positionLabelLeft -
        FrameLeft;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dateWidth);
        const HeadRow h = headRowFor(c.dateWidth, c.caption);
        EXPECT_EQ(h.dateLeft, c.dateLeft);
        EXPECT_EQ(h.reconcileLeft, c.reconcileLeft);
        // The caption stands between the reference box and the date box.
        EXPECT_GE(labelLeftFor(h.dateLeft, c.caption), ReferenceLeft + ReferenceWidth);
        EXPECT_EQ(h.reconcileLabelLeft, h.reconcileLeft + ReconcileSize + 60);
        // "Reconcile" (about 60 pixels) still ends before the position label.
        EXPECT_LT(h.reconcileLabelLeft + 900, positionLabelLeft);
    }
}

TEST(Layout, PanelScrollerShowsOnlyWhenRowsAreTaller) {
    PanelScroller fits = panelScrollerOnResize(3000, 800, 0, true);
    EXPECT_FALSE(fits.visible);
    EXPECT_TRUE(fits.resetValue);
    EXPECT_FALSE(panelScrollerOnResize(3000, 800, 0, false).resetValue);
    PanelScroller tall = panelScrollerOnResize(3000, 5000, 200, true);
    EXPECT_TRUE(tall.visible);
    EXPECT_EQ(tall.valueMax, 200 + 5000 - 2250);
    EXPECT_FALSE(panelScrollerOnLoad(3000, 800).visible);
    PanelScroller load = panelScrollerOnLoad(3000, 5000);
    EXPECT_TRUE(load.visible);
    EXPECT_EQ(load.valueMax, 5000 - 2700);
    EXPECT_EQ(panelScrollerOnLoad(1001, 1000 + 901).valueMax, 1000); // 1901 - 900.9 -> 1000
}

TEST(Layout, RowsStackInJournalOrderWithTheirLabels) {
    // Debit, debit, blank, credit at 315-twip rows.
    RowArrangement a = arrangeRows({1, 1, 0, 2}, 0, 315);
    EXPECT_EQ(a.debitTops, (std::vector<int>{15, 380}));
    EXPECT_EQ(a.creditTops, (std::vector<int>{745}));
    EXPECT_EQ(a.rowTop, 1110);
    EXPECT_EQ(a.noteTop, 1110);
    EXPECT_EQ(a.debitLabelTop, 45);
    EXPECT_EQ(a.creditLabelTop, 380 + 315 + 80);
    EXPECT_EQ(a.debitCompoundTop, 380);
    EXPECT_EQ(a.creditCompoundTop, 745);
    // A credit written first sits above the debit; the panel offset shifts everything.
    RowArrangement b = arrangeRows({2, 1}, 100, 315);
    EXPECT_EQ(b.creditTops, (std::vector<int>{-85}));
    EXPECT_EQ(b.debitTops, (std::vector<int>{280}));
    EXPECT_EQ(std::tuple(b.creditLabelTop, b.debitLabelTop, b.noteTop), std::tuple(-55, 310, 645));
    RowArrangement d = arrangeRows({1, 1}, 0, 315); // debits only: "Credit :" keeps a row
    EXPECT_EQ(std::tuple(d.creditLabelTop, d.noteTop, d.rowTop), std::tuple(745 + 30, 1110, 1110));
    // A side without lines places its button where its first row would be.
    RowArrangement c = arrangeRows({2}, 0, 315);
    EXPECT_EQ(c.debitCompoundTop, 15);
    EXPECT_EQ(labelLeftFor(700, 300), 360);
}
