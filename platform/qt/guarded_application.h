// The program's application object. Every event is delivered under one guard:
// an exception that a command or a window leaves uncaught stops that command
// only. The user is told what failed, through the message-box service, and
// the program goes on. The windows that show the book are redrawn from it,
// and the message says whether the command had changed the book before it
// failed.
#pragma once

#include <QApplication>
#include <QPointer>

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;

class GuardedApplication : public QApplication {
  public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // What the program undoes when a failure reaches the outermost event,
    // where no command is under way any more (the hourglass it left on).
    // The progress window is closed before it.
    void setFailureCleanup(std::function<void()> cleanup);

    // A window showing the book, known by `window` until removed (before it
    // goes). `generation` grows with every change to the book; `redraw` shows
    // the book as it is, and may fail. After a failed user action, or a
    // failure after the book changed, every such window is redrawn; one that
    // could not be is told (`outOfStep`, which cannot fail) and redrawn again
    // before the next user action reaches it.
    struct BookView {
        std::function<std::uint64_t()> generation;
        std::function<void()> redraw;
        std::function<void()> outOfStep;
    };
    void addBookView(const QObject* window, BookView view);
    void removeBookView(const QObject* window);

  private:
    // The event a command began with: the click, key or menu item that names
    // the command to the user, whichever of its events fails.
    struct CommandStart {
        QPointer<QObject> receiver;
        QEvent::Type type = QEvent::None;
        QPointer<QAction> chosenInMenu;
    };
    // A failure not yet told: the event that failed, and the command it
    // belongs to, which names it, with that command's depth.
    struct Failure {
        std::exception_ptr what;
        QPointer<QObject> receiver;
        QEvent::Type type = QEvent::None;
        CommandStart command;
        int commandDepth = 0;
    };
    void reportFailure(const Failure& failure, bool userAction, bool bookChanged);
    std::uint64_t booksGeneration() const noexcept;
    // True when every view was redrawn.
    bool redrawViews() noexcept;

    std::function<void()> cleanup_;
    std::vector<std::pair<const QObject*, BookView>> views_;
    int depth_ = 0;                       // events being delivered, one inside another
    int commandDepth_ = 0;                // of the command being delivered
    CommandStart commandStart_;           // ...and its first event
    std::uint64_t commandGeneration_ = 0; // the books' when it began
    std::optional<Failure> untold_;
    bool telling_ = false;       // a failure's message is up
    bool redrawing_ = false;     // the views are being redrawn
    bool redrawFailed_ = false;  // ...and an event of that failed
    bool redrawPending_ = false; // a view could not be redrawn after a failure
};

// What a failed command left: whether it had changed the book, and whether
// the windows showing the book were redrawn from it.
struct FailureAftermath {
    bool bookChanged = false;
    bool redrawn = true;
};

// The message of a failed command: `command` names what failed ("" when not
// known), `window` the window it ran in ("" when not known), `reason` why.
std::string commandFailureText(const std::string& command, const std::string& window,
                               const std::string& reason, FailureAftermath after = {});
