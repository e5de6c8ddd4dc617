#include "toolkit/qt/WaitScreen.h"

#include "book/book.h"
#include "book/runtime_state.h"
#include "toolkit/progress_text.h"
#include "toolkit/qt/BandedBackdrop.h"
#include "toolkit/qt/MousePointer.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <cmath>

namespace {

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QFont boldArial() {
    QFont f("Arial");
    f.setPointSizeF(8.25);
    f.setBold(true);
    return f;
}

} // namespace

WaitScreen::WaitScreen(RunTimeState& run, const Book& book, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), run_(run), book_(&book) {
    setFixedSize(px(3210), px(810));
    setFont(boldArial());

    Label2 = new QLabel("Processing", this);
    Label2->setGeometry(px(120), px(75), px(3060), px(240));

    shape1 = new QFrame(this);
    shape1->setGeometry(px(120), px(360), px(3015), px(375));
    shape1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    shape1->setAutoFillBackground(true);

    Shape2 = new QFrame(shape1);
    Shape2->setGeometry(0, 0, 0, px(315));
    Shape2->setAutoFillBackground(true);
    QPalette bar = Shape2->palette();
    bar.setColor(QPalette::Window, bar.color(QPalette::Dark)); // the button-shadow colour
    Shape2->setPalette(bar);

    // The percent figure drawn twice, offset by 10 twips, centred on the bar.
    for (int i = 0; i < 2; ++i) {
        Label1[static_cast<std::size_t>(i)] = new QLabel("0%", shape1);
        Label1[static_cast<std::size_t>(i)]->setAlignment(Qt::AlignCenter);
    }
    Label1[1]->setGeometry(px(960), px(50) - 1, px(975), px(195) + 2);
    Label1[0]->setGeometry(px(960), px(60), px(975), px(195) + 2);
    QPalette shadow = Label1[1]->palette();
    shadow.setColor(QPalette::WindowText, shadow.color(QPalette::Light));
    Label1[1]->setPalette(shadow);
    Label1[0]->raise();
}

WaitScreen::~WaitScreen() {
    stop();
    uninstall();
}

void WaitScreen::load() {
    applyBandedBackdrop(this, run_.GradientColors, false);
    Label2->setText("Processing");
    QFont f = boldArial();
    if (!book_->FontName.str().empty()) f.setFamily(QString::fromStdString(book_->FontName.str()));
    Label2->setFont(f);
    barTwips_ = 1;
    Shape2->setFixedWidth(0);
    for (auto* l : Label1)
        l->setText("0%");
    run_.ProgressValue = 0;
    run_.ProgressStride = progressStrideFor(book_->LastEntryLine());
}

void WaitScreen::start(const std::string& activity) {
    load();
    if (!activity.empty()) Label2->setText(QString::fromStdString(activity));
    if (!up_) pointer::beginBusy();
    up_ = true;
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area = owner ? owner->geometry()
                       : (QGuiApplication::primaryScreen()
                              ? QGuiApplication::primaryScreen()->availableGeometry()
                              : QRect(0, 0, 800, 600));
    move(area.center() - rect().center());
    show();
    raise();
    processEvents();
}

void WaitScreen::stop() {
    if (!up_) return;
    up_ = false;
    hide();
    pointer::endBusy();
}

void WaitScreen::setProgress(int barWidth, const std::string& percentText) {
    barTwips_ = progressBarTwips(barWidth);
    Shape2->setFixedWidth(static_cast<int>(std::lround(barTwips_ / 15.0)));
    QString text = QString::fromStdString(capPercentText(percentText));
    for (auto* l : Label1)
        if (l->text() != text) l->setText(text);
}

void WaitScreen::setActivity(const std::string& word) {
    if (!up_)
        start(word);
    else
        Label2->setText(QString::fromStdString(word));
}

void WaitScreen::processEvents() {
    // Repaints and timers run; clicks and keys wait, so nothing re-enters the loop.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WaitScreen::install() {
    if (installed_) return;
    Services s = services();
    previousSink_ = s.progress;
    s.progress = this;
    installServices(s);
    installed_ = true;
}

void WaitScreen::uninstall() {
    if (!installed_) return;
    installed_ = false;
    if (services().progress != this) return;
    Services s = services();
    s.progress = previousSink_;
    installServices(s);
}

std::string WaitScreen::percentText() const {
    return Label1[0]->text().toStdString();
}
std::string WaitScreen::activity() const {
    return Label2->text().toStdString();
}
