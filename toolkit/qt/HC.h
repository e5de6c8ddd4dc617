// The help-mode window: shows the title and explanation of the item clicked
// while help mode is on, and the About text. It follows the program's help
// mode: starting help mode shows it with the question-arrow pointer; closing
// it ends help mode everywhere (pointer, Help > Contents tick, help button).
// The main window creates it hidden at start-up and takes interfaceFont().
#pragma once

#include "toolkit/help_mode.h"

#include <QWidget>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPixmap;

class HC : public QWidget {
    Q_OBJECT
  public:
    explicit HC(HelpMode& mode = helpMode(), QWidget* parent = nullptr);
    ~HC() override;

    // Shows an item's help: the title, and the explanation followed by an empty line.
    void showHelp(const std::string& title, const std::string& text);
    // The picture beside the title (the About command's).
    void setImage(const QPixmap& picture);

    // The font of the window, which the program takes as its interface font.
    QFont interfaceFont() const { return font(); }

    // The texts shown, for hosts and tests.
    std::string title() const;
    std::string text() const;

    // The introduction shown when the window is loaded, paragraphs joined by CR LF CR LF.
    static std::string introduction();

    QLabel* HelpLabel1;
    QPlainTextEdit* HelpLabel2;
    QLabel* Im;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void load();
    void placeAtRightEdge();
    void helpModeChanged(bool on);

    HelpMode& mode_;
    int listener_ = 0;
    bool loaded_ = false;
    bool closing_ = false;
    bool placePending_ = false;
};
