// The program's application object. Every event is delivered under one guard:
// an exception that a command or a window leaves uncaught stops that command
// only. The user is told what failed, through the message-box service, and
// the program goes on with the book as the command found it.
#pragma once

#include <QApplication>

#include <exception>
#include <functional>
#include <string>

class QAction;

class GuardedApplication : public QApplication {
  public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // What the program undoes when a failure reaches the outermost event,
    // where no command is under way any more (the hourglass it left on).
    // The progress window is closed before it.
    void setFailureCleanup(std::function<void()> cleanup);

  private:
    void reportFailure(std::exception_ptr failure, QObject* receiver, QEvent::Type type,
                       QAction* chosenInMenu);

    std::function<void()> cleanup_;
    int depth_ = 0;        // events being delivered, one inside another
    bool telling_ = false; // a failure's message is up
};

// The message of a failed command: `command` names what failed ("" when not
// known), `window` the window it ran in ("" when not known), `reason` why.
std::string commandFailureText(const std::string& command, const std::string& window,
                               const std::string& reason);
