// Driving the shared dialogs in offscreen tests: typing keys, saving a
// picture of a window for a reviewer to look at.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <filesystem>
#include <string>

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

} // namespace dialog_driving
