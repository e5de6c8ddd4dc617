// The group list: the ten entry-group names as rows, the row under the mouse
// in bold over a highlight bar with the "Include" button riding on it. A click
// raises Click; ClickedIndex tells the row and ClickedType whether the button
// (1) or the name (0) was clicked.
#pragma once

#include "toolkit/group_list_logic.h"

#include <QWidget>

#include <cstdint>
#include <string>

struct Book;
class User_Button;

class New_Menu : public QWidget {
    Q_OBJECT

  public:
    explicit New_Menu(QWidget* parent = nullptr);

    // The book whose group names the rows show.
    void setBook(Book* book) { book_ = book; }
    // Rebuilds the rows from the book's group names (blank ones are named
    // "Group " and their number, in the book too) and sizes the control to
    // its widest name. Returns 0.
    int Name_Refresh();
    int Name_Refresh(Book& book);

    std::int16_t ClickedIndex() const { return logic_.ClickedIndex(); }
    std::int16_t ClickedType() const { return logic_.ClickedType(); }
    std::string FontName() const { return fontName_; }
    void setFontName(const std::string& name) { fontName_ = name; }

    User_Button* editButton() const { return editButton_; }
    const GroupListLogic& logic() const { return logic_; }
    QRect rowRect(int row) const;
    QSize sizeHint() const override { return QSize(logic_.width(), logic_.height()); }

  signals:
    void Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void hover(int row);
    QFont rowFont(bool bold) const;

    GroupListLogic logic_;
    Book* book_ = nullptr;
    User_Button* editButton_;
    std::string fontName_;
    int pressedRow_ = -1;
};
