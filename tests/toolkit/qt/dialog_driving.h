// Driving the shared dialogs in offscreen tests: typing keys, saving a
// picture of a window for a reviewer to look at, finding figures cut short
// and a window's texts as a drawing would record them.
#pragma once

#include "platform/fake/fake_services.h"
#include "platform/fake/recording_surface.h"
#include "toolkit/qt/amount_fit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QStyle>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace dialog_driving {

// One key press and release as the keyboard sends it to the widget.
inline void pressKey(QWidget* w, int key, const QString& text = QString(),
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(w, &release);
}

// `c` pressed with Alt held in the line edit or editable combo `box` (`edit` its text box); a menu
// it opens is closed, the box's focus, caret and selection put back. True when a menu opened.
inline bool pressWithAlt(QWidget* box, QLineEdit* edit, QChar c) {
    const int start = edit->selectionStart(), length = int(edit->selectedText().size()),
              caret = edit->cursorPosition();
    const char16_t key = c.toUpper().unicode(); // "ÿ" and "µ" are keys of their own
    pressKey(box, key <= 0xFF ? key : c.unicode(), QString(c), Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu) {
        menu->close();
        box->setFocus();
    }
    start >= 0 ? edit->setSelection(start, length) : edit->setCursorPosition(caret);
    return menu;
}

inline void typeText(QWidget* w, const std::string& text) {
    for (QChar c : QString::fromStdString(text))
        pressKey(w, c.toUpper().unicode(), QString(c));
}

// Types each Latin-1 character a keyboard types, and "€", alone into the emptied line edit or
// editable combo `box`, first with Alt held (which types none); returns those it took (in either
// case, before a completion's selection) otherwise than `allowed` (empty: any) says.
inline std::string charactersMistaken(QWidget* box, const std::function<bool(QChar)>& allowed) {
    auto* combo = qobject_cast<QComboBox*>(box);
    QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(box);
    QString mistaken;
    for (char16_t code = 0x20; code <= 0x100; ++code) {
        const QChar c = code == 0x100 ? QChar(0x20AC) : QChar(code); // "€" after "ÿ"
        if (code >= 0x7F && code < 0xA0) continue;                   // no key types these
        const auto emptied = [&] {
            box->setFocus();
            combo ? combo->setEditText(QString()) : edit->clear();
        };
        emptied();
        if (pressWithAlt(box, edit, c))
            emptied(); // the menu of that letter opened
        else if (!edit->text().isEmpty())
            mistaken += c;                          // typed with Alt
        const char16_t key = c.toUpper().unicode(); // "ÿ" and "µ" are keys of their own
        pressKey(box, key <= 0xFF ? key : c.unicode(), QString(c));
        const QString took =
            edit->text().left(edit->hasSelectedText() ? edit->selectionStart() : -1);
        if (took.compare(!allowed || allowed(c) ? QString(c) : QString(), Qt::CaseInsensitive) != 0)
            mistaken += c;
    }
    if (combo) combo->hidePopup();
    return mistaken.toStdString();
}

// hu_HU: "," and a no-break space between digit groups; "." in no number.
inline LocaleInfo hungarianMarks() {
    LocaleInfo hungarian = yearFirstLocale();
    hungarian.name = "hu_HU";
    hungarian.shortDatePattern = "yyyy. MM. dd.";
    return hungarian;
}

// The letters (lower case) of the access keys of the menus on `window`'s menu bar, in order; "?"
// for a menu without one.
inline std::string menuAccessKeys(QWidget* window) {
    std::string letters;
    for (const QAction* title : window->findChild<QMenuBar*>()->actions())
        if (title->menu()) {
            const QString key = QKeySequence::mnemonic(title->text()).toString().toLower();
            letters += key.isEmpty() ? "?" : key.right(1).toStdString();
        }
    return letters;
}

// The locales a box is typed in: de_DE, hu_HU and en_US.
inline std::vector<LocaleInfo> typingLocales() {
    return {decimalCommaLocale(), hungarianMarks(), monthFirstLocale()};
}

// What the emptied line edit or editable combo `box` shows once `typed` was typed into it key by
// key (each key first with Alt held, which types nothing), and then once `pasted` was pasted over
// all of it by Ctrl+V.
inline std::pair<std::string, std::string> typedThenPasted(QWidget* box, const std::string& typed,
                                                           const std::string& pasted) {
    auto* combo = qobject_cast<QComboBox*>(box);
    QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(box);
    box->setFocus();
    edit->selectAll();
    pressKey(box, Qt::Key_Backspace);
    for (QChar c : QString::fromStdString(typed)) {
        pressWithAlt(box, edit, c);
        pressKey(box, c.toUpper().unicode(), QString(c));
    }
    const std::string shown = edit->text().toStdString();
    QGuiApplication::clipboard()->setText(QString::fromStdString(pasted));
    edit->selectAll();
    pressKey(box, Qt::Key_V, QString(QChar(22)), Qt::ControlModifier);
    return {shown, edit->text().toStdString()};
}

inline void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Keys as the keyboard sends them, each to the control with the focus then (a list a box has
// opened too), what it set off run before the next; "\t" is Tab, "\r" Enter, "\b" Backspace.
inline void keyed(const std::string& text) {
    for (QChar c : QString::fromStdString(text)) {
        const int key = c == '\t'   ? int(Qt::Key_Tab)
                        : c == '\r' ? int(Qt::Key_Return)
                        : c == '\b' ? int(Qt::Key_Backspace)
                                    : int(c.toUpper().unicode());
        pressKey(QApplication::focusWidget(), key, QString(c));
        settle();
    }
}

// Saves a picture of the window under the build folder's "screenshots".
inline std::filesystem::path saveScreenshot(QWidget* w, const std::string& name) {
    auto dir = std::filesystem::path(LW_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    auto path = dir / (name + ".png");
    w->grab().save(QString::fromStdString(path.string()));
    return path;
}

// Runs `body` in three program fonts, each with fake services in a locale
// of its own: a narrow face, a wider one a size up, a fixed-pitch one larger.
inline void inFigureFonts(const std::function<void(const QFont&, ScopedFakeServices&)>& body) {
    const std::pair<LocaleInfo, QFont> cases[] = {
        {dayFirstLocale(), QFont("DejaVu Sans", 9)},
        {decimalCommaLocale(), QFont("DejaVu Serif", 11)},
        {monthFirstLocale(), QFont("DejaVu Sans Mono", 12)}};
    const QFont before = QApplication::font();
    for (const auto& [locale, font] : cases) {
        SCOPED_TRACE(font.family().toStdString());
        QApplication::setFont(font);
        ScopedFakeServices fakes(locale);
        body(font, fakes);
    }
    QApplication::setFont(before);
}

// A family whose regular face is wider than its bold (fonts-urw-base35): a
// test run in it is skipped where the machine lacks it.
inline const std::string widerRegularFamily = "URW Gothic";

// A test run in each font family a drawing is shown to measure in (GetParam()):
// DejaVu Sans and the narrower Liberation Sans; one drawn in another face fails.
class InBothFamilies : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        const std::string family =
            QFontInfo(QFont(QString::fromStdString(GetParam()))).family().toStdString();
        if (family != GetParam() && GetParam() == widerRegularFamily)
            GTEST_SKIP() << "missing: install fonts-urw-base35";
        ASSERT_EQ(family, GetParam()) << "missing: install fonts-dejavu-core and fonts-liberation";
    }
};
inline const std::vector<std::string> bothFamilies{"DejaVu Sans", "Liberation Sans"};
inline std::string familyName(const ::testing::TestParamInfo<std::string>& info) {
    return QString::fromStdString(info.param).remove(' ').toStdString();
}

// The shown figure boxes of `window` (line edits whose text is not left
// aligned) whose text does not show whole: its advance in the box's font
// passes the room the box gives it. One line each; empty when all are whole.
inline std::vector<std::string> figuresCut(QWidget* window) {
    std::vector<std::string> cut;
    for (const QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (!box->isVisibleTo(window) || box->alignment() & Qt::AlignLeft) continue;
        const int advance = QFontMetrics(box->font()).horizontalAdvance(box->text());
        const int room = lineEditTextRoom(box);
        if (advance > room || room > box->contentsRect().width())
            cut.push_back(box->text().toStdString() + " in " + std::to_string(room) + " pixels");
    }
    return cut;
}

// What an account-number box takes (as many of one typed character) but cuts short.
inline std::vector<std::string> numberTextsCut(const QLineEdit* box) {
    std::vector<std::string> cut;
    for (const QChar c : QString("-./0123456789"))
        if (box->fontMetrics().horizontalAdvance(QString(box->maxLength(), c)) >
            lineEditTextRoom(box))
            cut.push_back(QString(box->maxLength(), c).toStdString());
    return cut;
}

// The shown figure boxes of `window` (with `texts`, its left-aligned text boxes instead) drawn
// below the legible size, or too wide to show whole and scrolled away from their text's start.
inline std::vector<std::string> figuresUnreadable(QWidget* window, bool texts = false) {
    std::vector<std::string> bad;
    for (const QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (!box->isVisibleTo(window) || bool(box->alignment() & Qt::AlignLeft) != texts) continue;
        const bool cut =
            QFontMetrics(box->font()).horizontalAdvance(box->text()) > lineEditTextRoom(box);
        if (box->font().pointSizeF() < LegiblePoints || (cut && box->cursorPosition() != 0))
            bad.push_back(box->text().toStdString() + " at " +
                          std::to_string(box->font().pointSizeF()) + " pt");
    }
    return bad;
}

// The texts a window of controls shows, as a drawing surface would record
// them (twips from its top left): a caption where its alignment puts it, a
// figure (right-aligned in its box) or a button's caption where it stands
// drawn whole (a figure too wide for its box reaches past it), any other
// box's text cut at the box (an account name gives way at its column).
inline std::vector<RecordedCall> shownTexts(QWidget* window) {
    std::vector<RecordedCall> texts;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(w);
        auto* box = qobject_cast<QLineEdit*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        const QString text = label    ? label->text()
                             : box    ? box->text()
                             : button ? button->text().remove('&')
                                      : QString();
        if (!w->isVisibleTo(window) || text.trimmed().isEmpty()) continue;
        const Qt::Alignment align = label ? label->alignment()
                                    : box ? box->alignment()
                                          : Qt::AlignCenter;
        const QRect area = label ? label->contentsRect() : box ? lineEditTextArea(box) : w->rect();
        const QSize size(w->fontMetrics().horizontalAdvance(text), w->fontMetrics().height());
        QRect at = QStyle::alignedRect(w->layoutDirection(), align, size, area);
        if (box && !(align & Qt::AlignRight)) at = at.intersected(area);
        at.moveTopLeft(w->mapTo(window, at.topLeft()));
        RecordedCall call;
        call.text = text.toStdString();
        call.x1 = at.left() * 15.0, call.y1 = at.top() * 15.0;
        call.x2 = (at.right() + 1) * 15.0, call.y2 = (at.bottom() + 1) * 15.0;
        texts.push_back(call);
    }
    return texts;
}

// Each control of `window` under `parent`, named, where it stands: a box, a
// button, the menu bar, a caption that shows a text and a childless widget
// of its own kind; a box's own parts are the box's.
inline void placeControls(QWidget* parent, QWidget* window,
                          std::vector<std::pair<std::string, QRect>>& places) {
    for (QWidget* c : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const auto* label = qobject_cast<QLabel*>(c);
        const QString kind = c->metaObject()->className();
        if (!c->isVisibleTo(window) || c->isWindow() || (label && label->text().isEmpty()))
            continue;
        const QPoint at = c->mapTo(window, QPoint(0, 0));
        if (!label && c->focusPolicy() == Qt::NoFocus && !qobject_cast<QAbstractButton*>(c) &&
            !qobject_cast<QMenuBar*>(c) &&
            (kind == "QWidget" || kind == "QFrame" ||
             !c->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty()))
            placeControls(c, window, places);
        else
            places.emplace_back(kind.toStdString() + " '" +
                                    (label ? label->text().toStdString() : "") + "' at " +
                                    std::to_string(at.x()) + "," + std::to_string(at.y()),
                                QRect(at, c->size()));
    }
}

// Controls of `window` not wholly inside it or covered by another control,
// one line each: empty when every control shows whole and can be reached.
inline std::vector<std::string> controlsCutOrCovered(QWidget* window) {
    std::vector<std::pair<std::string, QRect>> places;
    placeControls(window, window, places);
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (!window->rect().contains(places[i].second))
            faults.push_back(places[i].first + " is cut by the window's edge");
        for (std::size_t j = i + 1; j < places.size(); ++j)
            if (places[i].second.intersects(places[j].second))
                faults.push_back(places[i].first + " covers " + places[j].first);
    }
    return faults;
}

} // namespace dialog_driving
