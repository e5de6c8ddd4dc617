#include "toolkit/qt/box_text.h"

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
