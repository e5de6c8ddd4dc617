#include "toolkit/qt/New_Menu.h"

#include "book/book.h"
#include "toolkit/qt/User_Button.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

New_Menu::New_Menu(QWidget* parent) : QWidget(parent) {
    QFont own(QStringLiteral("Arial"));
    own.setPointSize(9);
    own.setBold(true);
    setFont(own);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    editButton_ = new User_Button(this);
    // A click on a name posts the group; the button opens it for editing.
    setToolTip(QStringLiteral("Insert this set of batch entries to main journal..."));
    editButton_->setToolTip(QStringLiteral("Edit this Group of Entries..."));
    editButton_->move(logic_.buttonLeft(), logic_.buttonTop());
    connect(editButton_, &User_Button::Click, this, [this] { logic_.buttonClicked(); });
    logic_.onClick = [this] { emit Click(); };
    resize(sizeHint());
}

int New_Menu::Name_Refresh() {
    return book_ ? Name_Refresh(*book_) : 0;
}

int New_Menu::Name_Refresh(Book& book) {
    book_ = &book;
    fontName_ = book.FontName.str();
    const QFontMetrics measure(font());
    logic_.Name_Refresh(book, [&measure](const std::string& caption) {
        return measure.horizontalAdvance(QString::fromStdString(caption));
    });
    editButton_->move(logic_.buttonLeft(), logic_.buttonTop());
    resize(logic_.width(), logic_.height());
    update();
    return 0;
}

QRect New_Menu::rowRect(int row) const {
    return QRect(GroupListLogic::RowLeft, GroupListLogic::RowTops[row], logic_.rowWidth(),
                 GroupListLogic::RowHeight);
}

QFont New_Menu::rowFont(bool bold) const {
    QFont f(QString::fromStdString(fontName_.empty() ? std::string("Arial") : fontName_));
    f.setPointSize(9);
    f.setBold(bold);
    return f;
}

void New_Menu::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xFF, 0xFF, 0xFF));
    // The highlight bar behind the row under the mouse.
    const QRect bar(2, logic_.barTop(), logic_.barWidth(), GroupListLogic::BarHeight);
    QLinearGradient blue(0, bar.top(), 0, bar.bottom());
    blue.setColorAt(0, QColor(0xE8, 0xF2, 0xFE));
    blue.setColorAt(1, QColor(0xB4, 0xD4, 0xF8));
    p.fillRect(bar, blue);
    p.setPen(QColor(0x8C, 0xB4, 0xE6));
    p.drawRect(bar.adjusted(0, 0, -1, -1));
    // The frame.
    p.setPen(QColor(0x69, 0x69, 0x69));
    p.drawRect(QRect(0, 0, logic_.width(), logic_.height()).adjusted(0, 0, -1, -1));
    for (int i = 0; i < GroupListLogic::Rows; ++i) {
        p.setFont(rowFont(logic_.isBold(i)));
        p.setPen(QColor(0, 0, 0));
        p.drawText(rowRect(i), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(logic_.captions()[i]));
    }
}

void New_Menu::hover(int row) {
    if (row < 0) return;
    logic_.hoverRow(row);
    editButton_->move(logic_.buttonLeft(), logic_.buttonTop());
    editButton_->setFontBold(false);
    update();
}

void New_Menu::mousePressEvent(QMouseEvent* event) {
    pressedRow_ = logic_.rowAt(event->position().toPoint().x(), event->position().toPoint().y());
    hover(pressedRow_);
}

void New_Menu::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton) return; // the pressed row keeps the mouse
    hover(logic_.rowAt(event->position().toPoint().x(), event->position().toPoint().y()));
}

void New_Menu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int row = pressedRow_;
    pressedRow_ = -1;
    if (row >= 0)
        logic_.nameReleased();
    else if (rect().contains(event->position().toPoint()))
        logic_.surfaceClicked();
}

void New_Menu::resizeEvent(QResizeEvent*) {
    // The height always follows the frame.
    if (height() != logic_.height()) resize(width(), logic_.height());
}
