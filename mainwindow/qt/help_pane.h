// The main window's view of the help-mode window: a title, an explanation and
// an image, shown modeless over the main window. Closing it ends help mode.
// (A small stand-in kept in this folder until the toolkit's help window is
// wired in; the main window speaks to it only through these calls.)
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

class HelpPane : public QWidget {
    Q_OBJECT
  public:
    explicit HelpPane(QWidget* owner);

    void showHelp(const QString& title, const QString& text);
    void showAbout(const QPixmap& icon, const QString& title, const QString& text);
    QString title() const;
    QString text() const;
    // The font of the interface.
    QFont interfaceFont() const { return font(); }

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    QLabel* image_;
    QLabel* title_;
    QPlainTextEdit* text_;
};
