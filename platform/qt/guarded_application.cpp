#include "platform/qt/guarded_application.h"

#include "platform/services.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QScopedValueRollback>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <new>
#include <utility>

namespace {

// A caption as the user reads it: no accelerator marks ("&&" stays one "&").
std::string plainCaption(QString text) {
    text.replace(QStringLiteral("&&"), QChar(0x1));
    text.remove(QChar('&'));
    text.replace(QChar(0x1), QChar('&'));
    return text.trimmed().toStdString();
}

// A menu item is known by its caption; an item alone in a submenu only
// confirms the submenu's command ("Delete Entry..." > "Are you sure ?"), which
// is known by the submenu's caption.
std::string actionName(const QAction& action) {
    for (QObject* holder : action.associatedObjects()) {
        auto* menu = qobject_cast<QMenu*>(holder);
        if (!menu || menu->actions().size() != 1) continue;
        for (QObject* parent : menu->menuAction()->associatedObjects())
            if (qobject_cast<QMenu*>(parent)) return plainCaption(menu->title());
    }
    return plainCaption(action.text());
}

// What the user did to reach the failing code, as far as the event tells.
struct FailedPlace {
    std::string command;
    std::string window;
};

FailedPlace placeOf(QObject* receiver, QEvent::Type type, QAction* chosenInMenu) {
    FailedPlace p;
    if (chosenInMenu) p.command = actionName(*chosenInMenu);
    if (auto* action = qobject_cast<QAction*>(receiver)) p.command = actionName(*action);
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        p.command = plainCaption(button->text());
    // A picture button is known by its tip.
    const bool clicked = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease;
    if (widget && clicked && p.command.empty()) p.command = plainCaption(widget->toolTip());
    // A menu is a window of its own: the window is the one it belongs to.
    while (qobject_cast<QMenu*>(widget) && widget->parentWidget())
        widget = widget->parentWidget();
    if (widget) p.window = plainCaption(widget->window()->windowTitle());
    return p;
}

// What the user does (a click, a key, a menu item) and a call queued for once
// fail anew each time; what the program repeats by itself (painting, timers,
// activation when a message closes) would repeat the failure.
bool toldEachTime(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::Close:
    case QEvent::ContextMenu:
    case QEvent::MetaCall:
        return true;
    default:
        return false;
    }
}

// Marks the receiver as having failed on events of this type with this
// message; true when that same message was told for it last. A different
// failure replaces the mark and is told. The mark goes with the object.
bool toldBefore(QObject& receiver, QEvent::Type type, const std::string& text) {
    const QByteArray mark = "failureTold" + QByteArray::number(static_cast<int>(type));
    const QString told = QString::fromStdString(text);
    if (receiver.property(mark.constData()).toString() == told) return true;
    receiver.setProperty(mark.constData(), told);
    return false;
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

void GuardedApplication::setFailureCleanup(std::function<void()> cleanup) {
    cleanup_ = std::move(cleanup);
}

void GuardedApplication::addBookView(const QObject* window, BookView view) {
    views_.emplace_back(window, std::move(view));
}

void GuardedApplication::removeBookView(const QObject* window) {
    std::erase_if(views_, [window](const auto& v) { return v.first == window; });
}

std::uint64_t GuardedApplication::booksGeneration() const noexcept {
    std::uint64_t sum = 0;
    for (const auto& [window, view] : views_)
        sum += view.generation();
    return sum;
}

bool GuardedApplication::redrawViews() noexcept {
    if (redrawing_) return false;
    const QScopedValueRollback<bool> redrawing(redrawing_, true);
    bool redrawn = true;
    for (std::size_t i = 0; i < views_.size(); ++i) {
        BookView& view = views_[i].second;
        redrawFailed_ = false;
        try {
            view.redraw();
        } catch (...) {
            redrawFailed_ = true;
        }
        if (redrawFailed_ && view.outOfStep) view.outOfStep();
        redrawn = redrawn && !redrawFailed_;
    }
    return redrawn;
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    // The receiver may go while its handler fails; a menu forgets its chosen
    // item while it closes, before the item runs.
    const QPointer<QObject> target(receiver);
    const QEvent::Type type = event->type();
    QPointer<QAction> chosenInMenu;
    if (auto* menu = qobject_cast<QMenu*>(receiver)) chosenInMenu = menu->activeAction();
    const QScopedValueRollback<int> depth(depth_, depth_ + 1);
    // A window a failure left out of step with the book is redrawn before
    // the user's next action reaches it.
    if (redrawPending_ && depth_ == 1 && toldEachTime(type)) redrawPending_ = !redrawViews();
    // What the user did (or the event loop brought) is one command, whatever
    // events it sends on its way, such as closing a window: a failure of one
    // of those is the command's, told when the command has ended, and says
    // whether the command changed the book.
    const bool command =
        depth_ == 1 || (toldEachTime(type) && (type != QEvent::Close || event->spontaneous()));
    const QScopedValueRollback<std::uint64_t> baseline(commandGeneration_);
    const QScopedValueRollback<int> commandDepth(commandDepth_);
    std::optional<QScopedValueRollback<CommandStart>> start;
    if (command) {
        commandGeneration_ = booksGeneration();
        commandDepth_ = depth_;
        start.emplace(commandStart_, CommandStart{target, type, chosenInMenu});
    }
    bool delivered = false;
    try {
        delivered = QApplication::notify(receiver, event);
    } catch (...) {
        // Qt takes a close event as accepted unless its handler refused it: a
        // window whose closing failed would close (and the program end)
        // without what the handler had still to do, such as asking about an
        // unsaved book. It stays open instead.
        if (type == QEvent::Close) event->ignore();
        // A failure while the windows are redrawn is the redraw's: told with
        // the failure that called for it.
        if (redrawing_) {
            redrawFailed_ = true;
            return false;
        }
        // The command's own failure, else the first of the events it sent
        // (none while a failure's message is up: that one is told). Either is
        // named by the command's first event, not by the one that failed (a
        // window the command closed, a menu under the pointer).
        if (command || (!untold_ && !telling_))
            untold_ = Failure{std::current_exception(), target, type, commandStart_, commandDepth_};
    }
    if (command && untold_ && untold_->commandDepth == depth_) {
        const Failure failure = *untold_;
        untold_.reset();
        reportFailure(failure, toldEachTime(type), booksGeneration() != commandGeneration_);
    }
    return delivered;
}

void GuardedApplication::reportFailure(const Failure& failure, bool userAction, bool bookChanged) {
    // A user action may have left a window showing what the book no longer
    // holds; what painting or a timer repeats has not, unless the book changed.
    FailureAftermath after{bookChanged, true};
    if (userAction || bookChanged) {
        after.redrawn = redrawViews();
        redrawPending_ = !after.redrawn;
    }
    QObject* receiver = failure.receiver.data();
    const QEvent::Type type = failure.type;
    try {
        // Outside every other event no operation is under way: a progress
        // window still up, or an hourglass, belongs to the one that failed.
        if (depth_ == 1) {
            services().progress->finish();
            if (cleanup_) cleanup_();
        }
        // A failure while its message is up (the window behind repainted), or
        // one that painting or a timer repeats, is told once.
        const CommandStart& start = failure.command;
        const FailedPlace place = placeOf(start.receiver, start.type, start.chosenInMenu.data());
        const std::string text =
            commandFailureText(place.command, place.window, reasonOf(failure.what), after);
        if (telling_ || (receiver && !toldEachTime(type) && toldBefore(*receiver, type, text))) {
            std::fputs("A command failed again; its message was shown already.\n", stderr);
            return;
        }
        const QScopedValueRollback<bool> telling(telling_, true);
        showMessage(text, "", MessageButtons::Ok, MessageIcon::Critical);
    } catch (...) {
        std::fputs("A command failed and its message could not be shown.\n", stderr);
    }
}

std::string commandFailureText(const std::string& command, const std::string& window,
                               const std::string& reason, FailureAftermath after) {
    std::string text;
    if (!command.empty())
        text = "\"" + command + "\"";
    else if (!window.empty())
        text = "A command in the window \"" + window + "\"";
    else
        text = "A command";
    // A command that failed after it had changed the book did part of its
    // work: the message says that, not that nothing was done.
    if (!after.bookChanged) {
        text += " could not be completed: " + reason +
                ".\n\nThe book was left as it was before the command. ";
    } else {
        text += " changed the book, then stopped: " + reason + ".\n\nThe book holds that change";
        text += after.redrawn ? ", and the window was redrawn to show it. " : ". ";
    }
    if (!after.redrawn)
        text += "The window could not be redrawn yet: what it shows may be out of date until "
                "it is redrawn at your next click or key. ";
    text += "You can go on working and save it as usual.";
    return text;
}
