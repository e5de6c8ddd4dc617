#include "toolkit/qt/alt_keys.h"

#include "toolkit/qt/qt_keys.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// The controls a user types text into.
bool takesTypedText(const QObject* control) {
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) return combo->isEditable();
    return qobject_cast<const QLineEdit*>(control) || qobject_cast<const QTextEdit*>(control) ||
           qobject_cast<const QPlainTextEdit*>(control) ||
           qobject_cast<const QAbstractSpinBox*>(control);
}

// The window's shortcuts and the menu bar have had the key before any
// control gets it: what reaches a text box with Alt held is dropped.
class AltKeyFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return event->type() == QEvent::KeyPress &&
               qt_keys::typedWithAlt(static_cast<const QKeyEvent*>(event)) &&
               takesTypedText(watched);
    }
};

} // namespace

void keepAltKeysFromTextBoxes(QCoreApplication& application) {
    application.installEventFilter(new AltKeyFilter(&application));
}
