// The progress window: a word naming the work under way, a bar filling from
// left to right and the percent done, with the hourglass pointer while it is
// up. It computes nothing: showing it resets ProgressValue and ProgressStride,
// and Tmain.StepProgress moves it through the progress sink that this window
// provides once install() has made it the program's sink.
#pragma once

#include "platform/services.h"

#include <QWidget>

#include <array>
#include <string>

struct Book;
struct RunTimeState;
class QFrame;
class QLabel;

class WaitScreen : public QWidget, public ProgressSink {
    Q_OBJECT
  public:
    WaitScreen(RunTimeState& run, const Book& book, QWidget* parent = nullptr);
    ~WaitScreen() override;

    void setBook(const Book& book) { book_ = &book; }

    // Loads the window afresh (bar empty, "0%", "Processing" unless an
    // activity is given, ProgressValue 0, ProgressStride from LastEntryLine,
    // hourglass) and shows it modeless.
    void start(const std::string& activity = "");
    // Unloads it: hidden, the pointer back to the arrow. Safe to call twice.
    void stop();
    bool isUp() const { return up_; }

    // ProgressSink: what Tmain's progress procedures call.
    void setProgress(int barWidth, const std::string& percentText) override;
    void setActivity(const std::string& word) override; // starts the window when it is not up
    void finish() override { stop(); }
    void processEvents() override;

    // Makes this window the program's progress sink, until uninstall() or its end.
    void install();
    void uninstall();

    // What the window shows.
    int barTwips() const { return barTwips_; }
    std::string percentText() const;
    std::string activity() const;

    QLabel* Label2;
    QFrame* shape1;
    QFrame* Shape2;
    std::array<QLabel*, 2> Label1;

  private:
    void load();

    RunTimeState& run_;
    const Book* book_;
    int barTwips_ = 1;
    bool up_ = false;
    bool installed_ = false;
    ProgressSink* previousSink_ = nullptr;
};
