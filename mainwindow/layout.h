// Geometry of the main window in twips (15 to a pixel): the designed places
// of its controls, how they follow the window's size, and how the rows of the
// entry line stack inside the entry panel. Pure functions; the window applies
// the results.
#pragma once

#include <cstdint>
#include <vector>

constexpr int TwipsPerPixel = 15;
constexpr int toPixels(int twips) {
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}
constexpr int toTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

// The smallest outer size the user can give the window.
constexpr int MinimumOuterWidth = 9850;
constexpr int MinimumOuterHeight = 3600;

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

// Designed sizes and places of the controls that no resize rule moves.
namespace design {
constexpr int WindowWidth = 11400;   // outer width before any stored size
constexpr int ButtonBarHeight = 540; // 36 pixels
constexpr int ToolButtonSize = 450;  // toolbar buttons are 30 pixels square
constexpr int FrameLeft = 60;
constexpr int FrameTop = 560;
constexpr int FrameHeight = 4600; // decides the start-up height
constexpr int HeadTop = 60;       // reference, date, tick and position label (in the frame)
constexpr int FieldHeight = 315;
constexpr int ReferenceLeft = 700, ReferenceWidth = 1900;
constexpr int DateLeft = 3500, DateWidth = 1500;
constexpr int ReconcileLeft = 5500; // the tick; its label follows it
constexpr int ReconcileSize = 300;
constexpr int ReconcileLabelGap = 60; // between the tick and its label
constexpr int DateTickGap = 60;       // least room between the date box and the tick
constexpr int PanelTop = 420;         // the entry panel's top in the frame
constexpr int DebitFolioLeft = 900, CreditFolioLeft = 1660, FolioWidth = 900;
constexpr int DebitNameLeft = 1850, CreditNameLeft = 2610;
constexpr int AmountWidth = 1100;      // at least; wider for the widest figure
constexpr int CurrencyLabelGap = 20;   // between an account box and its currency label
constexpr int CurrencyLabelRoom = 220; // at least, for the label before the amount box
constexpr int LeastNameWidth = 900;    // account boxes give way to amounts down to this
constexpr int CaptionGap = 40;         // between a caption and its field
constexpr int CaptionMargin = 30;      // least room left of a caption
constexpr int NoteLeft = 900;
constexpr int CompoundSize = 300;        // add-line buttons
constexpr int PositionLabelWidth = 1900; // at least; wider for a long text
constexpr int ScrollWidth = 255;         // both scroll bars
constexpr int ScrollTop = 620;           // the entry scroller's top in the window
constexpr int EScrollTop = 420;          // the panel scroller's top in the frame
constexpr int NewEntryWidth = 1500, NewEntryHeight = 345;
constexpr int IncludeWidth = 1000;
constexpr int StatusRightGap = 3050; // the status line ends this far before the inner right edge
constexpr int StatusHeight = 210;    // at least
constexpr int StatusGap = 20;        // between the frame and the status line
constexpr int GoToLeft = 7450, GoToTop = 105, GoToWidth = 1500; // go-to box (window)
constexpr int HelpButtonSize = 450;
constexpr int RowGap = 50; // between two rows of the entry line
// Shadow lines of the toolbar's five etched separators, from the left.
constexpr int SeparatorLefts[5] = {1500, 2505, 3510, 4050, 5130};
constexpr int SeparatorTop = 45, SeparatorBottom = 465;
} // namespace design

// The outer size clamped to the minimum (what the resize handler enforces).
struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};
Size snapToMinimum(Size outer);

// The outer height at start-up: the entry frame decides it.
int startupOuterHeight(int borderAllowance);

// Places of the controls that follow the window's size.
struct WindowLayout {
    Rect scrollAcc; // entry scroller (window)
    Rect frame;     // xFrame1 (window)
    Rect panel;     // eBox (frame)
    int buttonBarWidth = 0;
    int positionLabelLeft = 0;                   // CELablel (frame)
    Rect newEntry;                               // Command1 (window)
    Rect include;                                // GroupBu (window)
    Rect status;                                 // GL(7) (window)
    int debitFolioLeft = 0, creditFolioLeft = 0; // the rows' first boxes (panel)
    int folioWidth = 0;                          // every row's account-number box
    int debitNameLeft = 0, creditNameLeft = 0;
    int noteLeft = 0;
    int nameWidth = 0;   // every row's account boxes
    int amountWidth = 0; // every row's amount boxes
    int debitAmountLeft = 0, creditAmountLeft = 0;
    int debitCurrencyLeft = 0, creditCurrencyLeft = 0; // GL(8), GL(9) (panel)
    int noteWidth = 0;
    Rect panelScroller; // EScroll (frame)
    int debitCompoundLeft = 0, creditCompoundLeft = 0;
    int helpButtonLeft = 0; // in the toolbar strip (pixels)
};
// What the entry rows' texts ask for: the captions left of the rows ("Debit
// :" and "Notes :" before the first column, "Credit :" before the second),
// the account-number boxes' width for the widest number of the chart, the
// amount boxes' width for their widest figure and the currency label's
// width, and the status line's height for its text. Beyond the designed
// room the account boxes give way to them (the
// captions first, then the numbers, then the label), down to their least
// width; the rows' first boxes move right for a wider caption, the account
// boxes for a wider number box, the add-line buttons keep their places.
struct EntryRowNeeds {
    int captionWidth = 0;
    int creditCaptionWidth = 0;
    int amountWidth = design::AmountWidth;
    int currencyLabelWidth = design::CurrencyLabelRoom;
    int folioWidth = design::FolioWidth;
    int statusHeight = design::StatusHeight; // at least; the status line's text whole
};
WindowLayout layoutFor(int innerWidth, int innerHeight, int outerWidth, int buttonBarInnerPixels,
                       const EntryRowNeeds& needs = {});

// The date box, the reconciled tick and its label in the entry's head row
// (frame twips), given the widths of the date box and of its caption: the
// box keeps its designed place while its caption fits between it and the
// reference box, the tick while the box ends far enough before it; a wider
// caption or box (a date style with month names, a wide font) pushes what
// follows to the right.
struct HeadRow {
    int dateLeft = 0;
    int reconcileLeft = 0;
    int reconcileLabelLeft = 0;
};
HeadRow headRowFor(int dateWidth, int dateCaptionWidth = 0);

// The panel scroller after a resize: shown when the rows are taller than the
// panel, with its maximum; when the rows fit it is hidden and reset to 0.
struct PanelScroller {
    bool visible = false;
    int valueMax = 0;
    bool resetValue = false; // set its Value to 0 (the rows fit)
};
PanelScroller panelScrollerOnResize(int panelHeight, int rowTop, int panelOffset,
                                    bool windowVisible);
// The panel scroller after an entry is loaded.
PanelScroller panelScrollerOnLoad(int panelHeight, int rowTop);

// The panel after a line was added to the shown entry, given the height of
// all its rows (RowTop + PanelOffset once laid out): an offset already above 0
// moves on by 375; rows taller than the panel show the scroller, the offset
// at least 375 and at most the scroller's maximum (the rows' height less
// three quarters of the panel); rows that fit hide it at offset 0.
constexpr int AddedLineScrollStep = 375;
struct AddedLineScroll {
    int panelOffset = 0;
    PanelScroller scroller;
};
AddedLineScroll panelAfterAddedLine(int panelHeight, int rowsHeight, int panelOffset);

// Tops of the rows of the entry line (in the panel), given the side of each
// shown line in journal order (1 debit, 2 credit), the panel's scroll offset
// and the row height (the folio box's height). Each side's labels stand
// beside its first row, or, for a side without lines, on a row kept for them
// under the lines; the note under every row.
struct RowArrangement {
    std::vector<int> debitTops, creditTops;
    int rowTop = 0;         // bottom of the rows (top of the note)
    int debitLabelTop = 0;  // GL(4) and GL(8)
    int creditLabelTop = 0; // GL(5) and GL(9)
    int noteTop = 0;        // AccNote; GL(6) is 20 lower
    int debitCompoundTop = 0, creditCompoundTop = 0;
};
RowArrangement arrangeRows(const std::vector<std::uint8_t>& sides, int panelOffset, int rowHeight);

// A label placed 40 twips to the left of its field.
constexpr int labelLeftFor(int fieldLeft, int labelWidth) {
    return fieldLeft - (labelWidth + 40);
}
