#include "mainwindow/qt/combo_type_ahead.h"

#include "mainwindow/type_ahead.h"
#include "toolkit/qt/field_events.h"
#include "toolkit/qt/qt_keys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

std::vector<std::string> itemsOf(const QComboBox* box) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(box->count()));
    for (int i = 0; i < box->count(); ++i)
        items.push_back(box->itemText(i).toStdString());
    return items;
}

class TypeAheadFilter : public QObject {
  public:
    TypeAheadFilter(QComboBox* box, std::function<bool()> active)
        : QObject(box), box_(box), active_(std::move(active)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (leavesOpenList(*key)) return true;
        if (active_ && !active_()) return false;
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        // Keys that type no character (Backspace and Enter among them) are the box's own.
        int code = qt_keys::keyAscii(key);
        if (code < 32) return false;
        Tmain::ComboTypeAhead(box_, code, key->text());
        return code == 0; // swallowed
    }

  private:
    // Tab or Shift+Tab in the open list: the list closes on the name the box
    // shows, and the key moves the focus on from the box as it does from any
    // other, which leaves the box with that name.
    bool leavesOpenList(const QKeyEvent& key) {
        const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
        if (!tab || !ownListOpen(box_)) return false;
        box_->hidePopup();
        QKeyEvent again(QEvent::KeyPress, key.key(), key.modifiers(), key.text());
        QApplication::sendEvent(box_, &again);
        return true;
    }

    QComboBox* box_;
    std::function<bool()> active_;
};

} // namespace

namespace Tmain {

void ComboTypeAhead(QComboBox* box, int& keyAscii, const QString& typed) {
    if (keyAscii == 8 || keyAscii == 13 || !box->isEditable()) return;
    QLineEdit* edit = box->lineEdit();
    const QString text = edit->text();
    const int selStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int selLength = edit->hasSelectedText() ? edit->selectedText().size() : 0;
    // Positions from Qt count UTF-16 units; the text logic counts characters.
    const int startChars = static_cast<int>(text.left(selStart).toStdU32String().size());
    const int lengthChars = static_cast<int>(text.mid(selStart, selLength).toStdU32String().size());
    TypeAheadResult r = typeAhead(itemsOf(box), text.toStdString(), startChars, lengthChars,
                                  keyAscii, typed.toStdString());
    keyAscii = 0;
    if (box->view() && !ownListOpen(box) && box->isVisible()) box->showPopup();
    if (!r.matched) return;
    box->setCurrentIndex(r.item);
    if (box->view()) box->view()->setCurrentIndex(box->model()->index(r.item, box->modelColumn()));
    const QString shown = QString::fromStdString(r.text);
    edit->setText(shown);
    const std::u32string all = shown.toStdU32String();
    const int start = QString::fromStdU32String(all.substr(0, r.selectionStart)).size();
    edit->setSelection(start, shown.size() - start);
}

} // namespace Tmain

void installComboTypeAhead(QComboBox* box, std::function<bool()> active) {
    box->setEditable(true);
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    auto* filter = new TypeAheadFilter(box, std::move(active));
    // The box itself holds the focus and hands keys to its text box directly.
    box->installEventFilter(filter);
    box->lineEdit()->installEventFilter(filter);
    if (box->view()) box->view()->installEventFilter(filter);
}
