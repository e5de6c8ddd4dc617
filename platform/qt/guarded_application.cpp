#include "platform/qt/guarded_application.h"

#include "platform/services.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPointer>

#include <cstdio>
#include <exception>
#include <new>

namespace {

// A caption as the user reads it: no accelerator marks ("&&" stays one "&").
std::string plainCaption(QString text) {
    text.replace(QStringLiteral("&&"), QChar(0x1));
    text.remove(QChar('&'));
    text.replace(QChar(0x1), QChar('&'));
    return text.trimmed().toStdString();
}

// What the user did to reach the failing code, as far as the event tells.
struct FailedPlace {
    std::string command;
    std::string window;
};

FailedPlace placeOf(QObject* receiver, QAction* chosenInMenu) {
    FailedPlace p;
    if (chosenInMenu) p.command = plainCaption(chosenInMenu->text());
    if (auto* action = qobject_cast<QAction*>(receiver)) p.command = plainCaption(action->text());
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        p.command = plainCaption(button->text());
    if (widget && p.command.empty()) p.command = plainCaption(widget->toolTip());
    // A menu is a window of its own: the window is the one it belongs to.
    while (qobject_cast<QMenu*>(widget) && widget->parentWidget())
        widget = widget->parentWidget();
    if (widget) p.window = plainCaption(widget->window()->windowTitle());
    return p;
}

std::string reasonOf(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return "there was not enough memory";
    } catch (const std::exception& e) {
        if (e.what() && *e.what()) return e.what();
    } catch (...) {
    }
    return "an unexpected error";
}

} // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    // A menu forgets its chosen item while it closes, before the item runs.
    QPointer<QAction> chosenInMenu;
    if (auto* menu = qobject_cast<QMenu*>(receiver)) chosenInMenu = menu->activeAction();
    struct Depth {
        int& n;
        explicit Depth(int& d) : n(d) { ++n; }
        ~Depth() { --n; }
    } depth(depth_);
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        try {
            // Outside every other event no operation is under way: a
            // progress window still up belongs to the one that failed.
            if (depth_ == 1) services().progress->finish();
            const FailedPlace place = placeOf(receiver, chosenInMenu.data());
            showMessage(commandFailureText(place.command, place.window, reasonOf(failure)), "",
                        MessageButtons::Ok, MessageIcon::Critical);
        } catch (...) {
            std::fputs("A command failed and its message could not be shown.\n", stderr);
        }
        return false;
    }
}

std::string commandFailureText(const std::string& command, const std::string& window,
                               const std::string& reason) {
    std::string text;
    if (!command.empty())
        text = "\"" + command + "\" could not be completed";
    else if (!window.empty())
        text = "A command in the window \"" + window + "\" could not be completed";
    else
        text = "A command could not be completed";
    text += ": " + reason + ".\n\n";
    text += "The book was left as it was before the command. You can go on working and save "
            "it as usual.";
    return text;
}
