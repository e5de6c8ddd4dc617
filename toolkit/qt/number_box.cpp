#include "toolkit/qt/number_box.h"

#include "book/account_number_text.h"
#include "toolkit/qt/amount_fit.h"

#include <QLineEdit>

int fitNumberBoxes(const std::vector<QLineEdit*>& boxes, const Book& book,
                   const std::string& decimalMark) {
    const int most = numberBoxMaxChars(book, decimalMark);
    for (QLineEdit* box : boxes)
        box->setMaxLength(most);
    auto width = [box = boxes.front()](const std::string& text) {
        return lineEditWidthFor(box, QString::fromStdString(text));
    };
    return width(widestNumberBoxText(book, decimalMark, width));
}
