#include "toolkit/qt/box_text.h"

#include "platform/services.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QScreen>

namespace {

// Widens a box's list, as it opens, to its longest item (the box makes it
// only as wide as itself), within the screen the box is on.
class ListWidener : public QObject {
  public:
    explicit ListWidener(QComboBox* box) : QObject(box), box_(box) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) widen(static_cast<QWidget*>(watched));
        return false;
    }

  private:
    void widen(QWidget* list) const {
        const QAbstractItemView* view = box_->view();
        const QFontMetrics metrics(view->font());
        int widest = -1, widestAdvance = -1;
        for (int i = 0; i < box_->count(); ++i) {
            const int advance = metrics.horizontalAdvance(box_->itemText(i));
            if (advance > widestAdvance) widest = i, widestAdvance = advance;
        }
        if (widest < 0) return;
        // The item's own margins, and the list's frames and scroll bar beside it.
        const QModelIndex item =
            view->model()->index(widest, box_->modelColumn(), box_->rootModelIndex());
        const int needed =
            view->sizeHintForIndex(item).width() + list->width() - view->viewport()->width();
        if (needed <= list->width()) return;
        const QRect screen = box_->screen()->availableGeometry();
        QRect at = list->geometry();
        at.setWidth(std::min(needed, screen.width()));
        if (at.right() > screen.right()) at.moveRight(screen.right());
        if (at.left() < screen.left()) at.moveLeft(screen.left());
        list->setGeometry(at);
    }

    QComboBox* box_;
};

} // namespace

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
    box->view()->parentWidget()->installEventFilter(new ListWidener(box));
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
