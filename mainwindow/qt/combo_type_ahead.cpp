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
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == box_->view() && passedToBox(*key)) return true;
        if (active_ && !active_()) return false;
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        // Keys that type no character (Backspace and Enter among them) are the box's own.
        int code = qt_keys::keyAscii(key);
        if (code < 32) return false;
        Tmain::ComboTypeAhead(box_, code, key->text());
        return code == 0; // swallowed
    }

  private:
    // Keys typed in the open list that it has no use for go on to the box: Tab
    // and Shift+Tab close the list on the name the box shows and move the
    // focus on from the box as from any other, which leaves the box with that
    // name; Backspace and Delete edit the box's text.
    bool passedToBox(const QKeyEvent& key) {
        QWidget* to = nullptr;
        if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) {
            box_->hidePopup();
            to = box_;
        } else if (key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete) {
            to = box_->lineEdit();
        }
        if (!to) return false;
        QKeyEvent again(QEvent::KeyPress, key.key(), key.modifiers(), key.text());
        QApplication::sendEvent(to, &again);
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
    const bool opens = box->view() && !ownListOpen(box) && box->isVisible();
    if (opens) box->showPopup();
    if (!r.matched) return;
    box->setCurrentIndex(r.item);
    if (box->view()) box->view()->setCurrentIndex(box->model()->index(r.item, box->modelColumn()));
    const QString shown = QString::fromStdString(r.text);
    edit->setText(shown);
    const std::u32string all = shown.toStdU32String();
    const int start = QString::fromStdU32String(all.substr(0, r.selectionStart)).size();
    edit->setSelection(start, shown.size() - start);
    // The list's opening has the box drop its selection once the events it
    // posted are handled: the completion is selected again after them.
    if (opens)
        QMetaObject::invokeMethod(
            edit,
            [edit, shown, start] {
                if (edit->text() == shown) edit->setSelection(start, shown.size() - start);
            },
            Qt::QueuedConnection);
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
