#include "toolkit/group_list_logic.h"

#include "book/book.h"

#include <algorithm>

static_assert(GroupListLogic::Rows == GroupTotal);

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

} // namespace

int GroupListLogic::Name_Refresh(Book& book,
                                 const std::function<int(const std::string&)>& textWidth) {
    int widest = 0;
    for (int i = 0; i < Rows; ++i) {
        GroupName& name = book.GroupNames[i];
        std::string raw = name.raw();
        raw.erase(std::remove(raw.begin(), raw.end(), '\0'), raw.end());
        if (trimmed(raw).empty()) raw = "Group " + std::to_string(i + 1);
        name.assign(raw);
        captions_[i] = trimmed(raw);
        widest = std::max(widest, textWidth ? textWidth(captions_[i]) : 0);
    }
    frameWidth_ = widest + 65;
    barWidth_ = frameWidth_ - 4;
    rowWidth_ = frameWidth_;
    buttonLeft_ = frameWidth_ - 52;
    return 0;
}

int GroupListLogic::rowAt(int x, int y) const {
    if (x < RowLeft || x >= RowLeft + rowWidth_) return -1;
    for (int i = 0; i < Rows; ++i)
        if (y >= RowTops[i] && y < RowTops[i] + RowHeight) return i;
    return -1;
}

void GroupListLogic::hoverRow(int row) {
    if (row < 0 || row >= Rows) return;
    clickedIndex_ = static_cast<std::int16_t>(row);
    bold_.fill(false);
    bold_[row] = true;
    buttonTop_ = RowTops[row] - 2;
    barTop_ = buttonTop_ - 1;
}

void GroupListLogic::nameReleased() {
    clickedType_ = 0;
    click();
}

void GroupListLogic::buttonClicked() {
    clickedType_ = 1;
    click();
}

void GroupListLogic::surfaceClicked() {
    click();
}

void GroupListLogic::click() {
    if (onClick) onClick();
}
