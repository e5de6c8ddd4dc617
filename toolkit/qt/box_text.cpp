#include "toolkit/qt/box_text.h"

#include "platform/services.h"

#include <QComboBox>
#include <QLineEdit>

void showFromStart(QComboBox* box) {
    if (QLineEdit* edit = box->lineEdit()) edit->setCursorPosition(0);
}

void setBoxText(QComboBox* box, const QString& text) {
    box->setCurrentIndex(text.isEmpty() ? -1 : box->findText(text, Qt::MatchExactly));
    box->setEditText(text);
    showFromStart(box);
}

void showPicksFromStart(QComboBox* box) {
    // The box has set the picked text (its cursor at the end) when it tells.
    QObject::connect(box, &QComboBox::activated, box, [box] { showFromStart(box); });
}

void showLeftBox(QLineEdit* box, const LeftBox& left,
                 const std::function<void(const std::string&)>& tell) {
    const QString kept = QString::fromStdString(left.text);
    if (box->text() != kept) {
        box->setText(kept);
        box->setCursorPosition(0);
    }
    if (left.problem.empty()) return;
    if (tell)
        tell(left.problem);
    else
        showMessage(left.problem);
}
