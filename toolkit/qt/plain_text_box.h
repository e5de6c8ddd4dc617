// A multi-line box that pastes plain text only, and does the pasting itself:
// the key pastes the clipboard's text as the program's clipboard gives it,
// and the menu, the middle button and a drop insert the plain text of what
// they bring. Nothing is inserted when there is no text. The box never hands
// the data to the text control's own insertion, which ends the program when
// the clipboard has no owner to ask (an X session where nothing was copied).
#pragma once

#include <QPlainTextEdit>

class PlainTextBox : public QPlainTextEdit {
  public:
    explicit PlainTextBox(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void pastePlain(const QString& text);
};
