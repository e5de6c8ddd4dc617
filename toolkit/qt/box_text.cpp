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
