#include "toolkit/qt/plain_text_box.h"

#include "platform/services.h"

#include <QKeyEvent>
#include <QMimeData>

PlainTextBox::PlainTextBox(QWidget* parent) : QPlainTextEdit(parent) {}

void PlainTextBox::keyPressEvent(QKeyEvent* e) {
    if (!e->matches(QKeySequence::Paste)) {
        QPlainTextEdit::keyPressEvent(e);
        return;
    }
    e->accept();
    if (!isReadOnly()) pastePlain(QString::fromStdString(services().clipboard->text()));
}

bool PlainTextBox::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText();
}

void PlainTextBox::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) pastePlain(source->text());
}

void PlainTextBox::pastePlain(const QString& text) {
    if (text.isEmpty()) return;
    insertPlainText(text);
    ensureCursorVisible();
}
