// Driving the shared dialogs in offscreen tests: typing keys, saving a
// picture of a window for a reviewer to look at, finding figures cut short.
#pragma once

#include "toolkit/qt/amount_fit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <filesystem>
#include <string>
#include <vector>

namespace dialog_driving {

// One key press and release as the keyboard sends it to the widget.
inline void pressKey(QWidget* w, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

inline void typeText(QWidget* w, const std::string& text) {
    for (QChar c : QString::fromStdString(text))
        pressKey(w, c.toUpper().unicode(), QString(c));
}

inline void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Saves a picture of the window under the build folder's "screenshots".
inline std::filesystem::path saveScreenshot(QWidget* w, const std::string& name) {
    auto dir = std::filesystem::path(LW_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    auto path = dir / (name + ".png");
    w->grab().save(QString::fromStdString(path.string()));
    return path;
}

// The boxes among `boxes` whose text does not show whole: its advance in the
// box's font passes the room the box gives it (inside its contents rect).
// One line per box cut short, naming its text; empty when all show whole.
inline std::vector<std::string> figuresCut(const std::vector<QLineEdit*>& boxes) {
    std::vector<std::string> cut;
    for (const QLineEdit* box : boxes) {
        const int advance = QFontMetrics(box->font()).horizontalAdvance(box->text());
        const int room = lineEditTextRoom(box);
        if (advance > room || room > box->contentsRect().width())
            cut.push_back("'" + box->text().toStdString() + "' takes " + std::to_string(advance) +
                          " of " + std::to_string(room) + " pixels");
    }
    return cut;
}

} // namespace dialog_driving
