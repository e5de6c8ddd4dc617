#include "mainwindow/layout.h"

#include <algorithm>
#include <cmath>

Size snapToMinimum(Size outer) {
    return {std::max(outer.width, MinimumOuterWidth), std::max(outer.height, MinimumOuterHeight)};
}

int startupOuterHeight(int borderAllowance) {
    return design::FrameTop + design::FrameHeight + borderAllowance;
}

WindowLayout layoutFor(int innerWidth, int innerHeight, int outerWidth, int buttonBarInnerPixels,
                       const EntryRowNeeds& needs) {
    using namespace design;
    WindowLayout l;
    l.scrollAcc = {innerWidth - (ScrollWidth + 50), ScrollTop, ScrollWidth, innerHeight - 920};
    // The status line from the frame's left to the buttons, its long notices
    // whole, as tall as its text; the frame ends above it.
    const int statusHeight = std::max(StatusHeight, needs.statusHeight);
    l.status = {FrameLeft, innerHeight - 10 - statusHeight, innerWidth - StatusRightGap - FrameLeft,
                statusHeight};
    l.frame = {FrameLeft, FrameTop, innerWidth - ScrollWidth,
               std::min(innerHeight - 800, l.status.top - StatusGap - FrameTop)};
    l.panel = {0, PanelTop, l.frame.width, l.frame.height - 560};
    l.buttonBarWidth = outerWidth;
    l.positionLabelLeft = innerWidth - 2100;
    l.newEntry = {innerWidth - 1950, innerHeight - 400, NewEntryWidth, NewEntryHeight};
    l.include = {l.newEntry.left - IncludeWidth, l.newEntry.top, IncludeWidth, NewEntryHeight};
    // The add-line buttons stand where they were designed; the amount boxes
    // end at them and the account boxes give up what the amounts and the
    // currency label need beyond their designed room.
    l.debitCompoundLeft = innerWidth - 2460;
    l.creditCompoundLeft = innerWidth - 1700;
    const int designedNameWidth = innerWidth - 5680;
    int room = std::max(0, designedNameWidth - LeastNameWidth);
    const int indent = std::min(
        room, std::max({0, needs.captionWidth + CaptionGap + CaptionMargin - DebitFolioLeft,
                        needs.creditCaptionWidth + CaptionGap + CaptionMargin - CreditFolioLeft}));
    room -= indent;
    l.debitFolioLeft = DebitFolioLeft + indent;
    l.creditFolioLeft = CreditFolioLeft + indent;
    const int folioWider = std::min(room, std::max(0, needs.folioWidth - FolioWidth));
    room -= folioWider;
    l.folioWidth = FolioWidth + folioWider;
    l.debitNameLeft = DebitNameLeft + indent + folioWider;
    l.creditNameLeft = CreditNameLeft + indent + folioWider;
    l.noteLeft = NoteLeft + indent;
    const int labelWider = std::max(0, needs.currencyLabelWidth - CurrencyLabelRoom);
    const int amountWider = std::max(0, needs.amountWidth - AmountWidth);
    const int wider = std::min(labelWider + amountWider, room);
    l.nameWidth = designedNameWidth - indent - folioWider - wider;
    l.amountWidth = AmountWidth + std::max(0, wider - labelWider);
    l.debitAmountLeft = l.debitCompoundLeft - l.amountWidth;
    l.creditAmountLeft = l.creditCompoundLeft - l.amountWidth;
    l.debitCurrencyLeft = l.debitNameLeft + l.nameWidth + CurrencyLabelGap;
    l.creditCurrencyLeft = l.creditNameLeft + l.nameWidth + CurrencyLabelGap;
    l.noteWidth = innerWidth - 2390;
    l.panelScroller = {innerWidth - 840, EScrollTop, ScrollWidth, innerHeight - 1820};
    l.helpButtonLeft = buttonBarInnerPixels - (toPixels(HelpButtonSize) + 20);
    return l;
}

HeadRow headRowFor(int dateWidth, int dateCaptionWidth) {
    using namespace design;
    HeadRow h;
    h.dateLeft = std::max(DateLeft, ReferenceLeft + ReferenceWidth + CaptionMargin +
                                        dateCaptionWidth + CaptionGap);
    h.reconcileLeft = std::max(ReconcileLeft, h.dateLeft + dateWidth + DateTickGap);
    h.reconcileLabelLeft = h.reconcileLeft + ReconcileSize + ReconcileLabelGap;
    return h;
}

namespace {
int nearest(double v) {
    return static_cast<int>(std::nearbyint(v));
} // ties to even
} // namespace

PanelScroller panelScrollerOnResize(int panelHeight, int rowTop, int panelOffset,
                                    bool windowVisible) {
    PanelScroller s;
    if (panelHeight >= rowTop) {
        s.visible = false;
        s.resetValue = windowVisible;
        s.valueMax = std::max(0, nearest(rowTop - 0.75 * panelHeight));
    } else {
        s.visible = true;
        s.valueMax = std::max(0, nearest(panelOffset + rowTop - 0.75 * panelHeight));
    }
    return s;
}

PanelScroller panelScrollerOnLoad(int panelHeight, int rowTop) {
    PanelScroller s;
    if (panelHeight < rowTop) {
        s.visible = true;
        s.valueMax = std::max(0, nearest(rowTop - panelHeight * 0.9));
    }
    return s;
}

AddedLineScroll panelAfterAddedLine(int panelHeight, int rowsHeight, int panelOffset) {
    AddedLineScroll a;
    if (panelHeight >= rowsHeight) return a;
    a.scroller.visible = true;
    a.scroller.valueMax = std::max(0, nearest(rowsHeight - panelHeight * 0.75));
    const int offset = panelOffset > 0 ? panelOffset + AddedLineScrollStep : AddedLineScrollStep;
    a.panelOffset = std::min(offset, a.scroller.valueMax);
    return a;
}

RowArrangement arrangeRows(const std::vector<std::uint8_t>& sides, int panelOffset, int rowHeight) {
    RowArrangement a;
    const int firstTop = 15 - panelOffset;
    const int step = rowHeight + 50;
    int rowTop = firstTop;
    for (std::uint8_t side : sides) {
        if (side == 1)
            a.debitTops.push_back(rowTop);
        else if (side == 2)
            a.creditTops.push_back(rowTop);
        else
            continue;
        rowTop += step;
    }
    // With no line on a side its button sits where the entry's first row would.
    a.debitCompoundTop = a.debitTops.empty() ? firstTop : a.debitTops.back();
    a.creditCompoundTop = a.creditTops.empty() ? firstTop : a.creditTops.back();
    // A side's label stands beside its first row; a side without lines keeps
    // a row of its own for the label under the others. The note comes under
    // all of them, so that it never meets a label.
    auto labelRow = [&](const std::vector<int>& tops) {
        if (!tops.empty()) return tops.front();
        rowTop += step;
        return rowTop - step;
    };
    a.debitLabelTop = labelRow(a.debitTops) + 30;
    a.creditLabelTop = labelRow(a.creditTops) + 30;
    a.rowTop = rowTop;
    a.noteTop = rowTop;
    return a;
}
