// Driving the shared dialogs in offscreen tests: typing keys, saving a
// picture of a window for a reviewer to look at, finding figures cut short.
#pragma once

#include "platform/locale.h"
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

// The fonts amount boxes are tried in, each with a locale (marks and dates
// of its own): a narrow face, a wider one a size up, a fixed pitch one larger.
struct FontAndLocale {
    LocaleInfo locale;
    QFont font;
};
inline std::vector<FontAndLocale> figureFonts() {
    return {{dayFirstLocale(), QFont("DejaVu Sans", 9)},
            {decimalCommaLocale(), QFont("DejaVu Serif", 11)},
            {monthFirstLocale(), QFont("DejaVu Sans Mono", 12)}};
}

// The program's font for as long as it lives, then the one before.
class ProgramFont {
  public:
    explicit ProgramFont(const QFont& font) : before_(QApplication::font()) {
        QApplication::setFont(font);
    }
    ~ProgramFont() { QApplication::setFont(before_); }
    ProgramFont(const ProgramFont&) = delete;
    ProgramFont& operator=(const ProgramFont&) = delete;

  private:
    QFont before_;
};

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
