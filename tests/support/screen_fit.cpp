#include "support/screen_fit.h"

#include "book/hand_made_books.h"

#include <algorithm>

namespace {

// A sliver the recording's rounding may leave where two texts just touch.
constexpr double kSliver = 1.0;

std::vector<const RecordedCall*> textCalls(const std::vector<RecordedCall>& calls) {
    std::vector<const RecordedCall*> texts;
    for (const RecordedCall& c : calls) {
        if (c.kind == RecordedCall::Clear || c.kind == RecordedCall::NewPage) texts.clear();
        if (c.kind != RecordedCall::Text || c.text.find_first_not_of(' ') == std::string::npos)
            continue;
        if (std::none_of(texts.begin(), texts.end(), [&](const RecordedCall* t) {
                return t->text == c.text && t->x1 == c.x1 && t->y1 == c.y1;
            }))
            texts.push_back(&c);
    }
    return texts;
}

std::string named(const RecordedCall& c) {
    return RecordingSurface::describe(c) + " to " + std::to_string(static_cast<long>(c.x2)) + "," +
           std::to_string(static_cast<long>(c.y2));
}

// Texts in the corner between the scroll bars that no box filled after them
// paints over.
std::vector<std::string> textsInCorner(const std::vector<RecordedCall>& calls,
                                       const VisibleArea::Box& corner) {
    std::vector<std::string> faults;
    if (corner.x2 <= corner.x1) return faults;
    for (const RecordedCall& c : calls) {
        if (c.kind == RecordedCall::FilledBox && c.x1 <= corner.x1 && c.y1 <= corner.y1 &&
            c.x2 >= corner.x2 && c.y2 >= corner.y2)
            faults.clear();
        if (c.kind == RecordedCall::Text && c.x1 < corner.x2 && c.x2 > corner.x1 + kSliver &&
            c.y1 < corner.y2 && c.y2 > corner.y1 + kSliver &&
            c.text.find_first_not_of(' ') != std::string::npos)
            faults.push_back(named(c) + " shows in the corner between the scroll bars");
    }
    return faults;
}

} // namespace

std::vector<std::string> overlappingTexts(const std::vector<RecordedCall>& calls) {
    std::vector<const RecordedCall*> texts = textCalls(calls);
    // Sorted by top edge, each text meets only those that start above its bottom.
    std::sort(texts.begin(), texts.end(),
              [](const RecordedCall* a, const RecordedCall* b) { return a->y1 < b->y1; });
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const RecordedCall& a = *texts[i];
        for (std::size_t j = i + 1; j < texts.size() && texts[j]->y1 < a.y2 - kSliver; ++j) {
            const RecordedCall& b = *texts[j];
            if (a.x1 < b.x2 - kSliver && b.x1 < a.x2 - kSliver)
                faults.push_back(named(a) + " overlaps " + named(b));
        }
    }
    return faults;
}

std::vector<std::string> textsCutAtEdge(const std::vector<RecordedCall>& calls,
                                        const VisibleArea& area) {
    const double right = area.width + area.reachRight;
    std::vector<std::string> faults;
    for (const RecordedCall* t : textCalls(calls)) {
        // Rows below the window are the vertical scroll bar's; a row it cuts
        // at the bottom is whole one step further down.
        if (t->y1 >= area.height) continue;
        if (t->x1 < -area.reachLeft - kSliver || t->y1 < -area.reachUp - kSliver ||
            t->x2 > right + kSliver)
            faults.push_back(named(*t) + " is cut at the edge");
    }
    const std::vector<std::string> corner = textsInCorner(calls, area.corner);
    faults.insert(faults.end(), corner.begin(), corner.end());
    return faults;
}

Book bigFigureBook(const std::string& font) {
    using namespace handmade;
    Book book = emptyBook();
    book.BusinessName = VariantText("Northern Trading Company");
    book.FontName = VariantText(font);
    book.DecimalsTrialBalance = 2;
    book.DecimalsIncome = 2;
    book.DecimalsBalanceSheet = 2;
    setAccount(book, 1, "100", "Cash at the northern branch of City Bank", CurrentAsset);
    setAccount(book, 2, "110", "Trade debtors of the export division Ltd", CurrentAsset);
    setAccount(book, 3, "200", "Creditors for goods bought, 30 day terms", CurrentLiability);
    setAccount(book, 4, "250", "Long-term loan from the City Bank, Leeds", NonCurrentLiability);
    setAccount(book, 5, "150", "Equipment and machinery, northern plants", NonCurrentAsset);
    setAccount(book, 6, "300", "Capital brought in by the partners, 2025", CapitalEquity);
    setAccount(book, 7, "400", "Sales of goods and services, the counter", Revenue);
    setAccount(book, 8, "500", "Purchases of goods for resale, main shop", CostOfGoodsSold);
    setAccount(book, 9, "600", "Wages and salaries of staff, north plant", Expense);
    int reference = 0;
    auto entry = [&](int month, const char* debit, const char* credit, const char* amount) {
        addEntry(book, std::to_string(++reference), day(2025, month, 10), debit, credit, amount);
    };
    entry(1, "100", "300", "1188085100441.60");
    entry(1, "150", "250", "594042550220.80");
    entry(1, "500", "200", "118808510044.16");
    for (int month = 1; month <= 6; ++month) {
        entry(month, "100", "400", "59404255022.08");
        entry(month, "110", "400", "118808510044.16");
        entry(month, "600", "100", "29702127511.04");
    }
    return book;
}
