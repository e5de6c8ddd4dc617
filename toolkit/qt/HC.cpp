#include "toolkit/qt/HC.h"

#include "toolkit/qt/MousePointer.h"
#include "toolkit/qt/plain_text_box.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>

#include <cmath>

namespace {

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QString shownText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

} // namespace

std::string HC::introduction() {
    const char* paragraphs[] = {
        "You are now in help mode. While you are in help mode the mouse pointer will have a "
        "question mark '?' display. By using this pointer you can get help on any of commands and "
        "functions just by clicking on them...",
        "To exit out of help mode unselect the Help / Contents menu item or close this window...",
        "REMEMBER : The first journal entry (Lowest Date) will be start of finacial period and the "
        "last journal entry (Highest Date) will be the end of the finacial period.",
        "OTHER INFORMATION",
        "Other accounting software tends to hide its inconsistencies behind many layers of windows "
        "and menus, so that a mistake can go unnoticed for a long time.",
        "Here every figure is laid out plainly, in the form any accountant or bookkeeper already "
        "knows, so no special training is needed to read it.",
        "Because balances and inconsistent entries show at once, staff who do not know their work "
        "are seen straight away, before small mistakes grow into large ones.",
        "Entries cannot be inserted between older entries. An entry made out of date order "
        "therefore stays in view for the accountant, which serves as a check against fraud.",
    };
    std::string text;
    for (const char* p : paragraphs) {
        if (!text.empty()) text += "\r\n\r\n";
        text += p;
    }
    return text;
}

HC::HC(HelpMode& mode, QWidget* parent) : QWidget(parent, Qt::Window), mode_(mode) {
    setFont(QFont("Arial", 9));
    setFixedSize(px(5415), px(5895));

    HelpLabel1 = new QLabel(this);
    HelpLabel1->setGeometry(px(120), px(120), px(4560), px(360)); // up to the picture
    QFont titleFont("Arial");
    titleFont.setPointSizeF(15.75);
    HelpLabel1->setFont(titleFont);

    HelpLabel2 = new PlainTextBox(this);
    HelpLabel2->setGeometry(px(120), px(480), px(5295), px(5415));
    HelpLabel2->setReadOnly(true);
    QPalette pal = HelpLabel2->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
    HelpLabel2->setPalette(pal);

    Im = new QLabel(this);
    Im->setGeometry(px(4800), px(120), px(435), px(315));
    Im->setScaledContents(true);

    listener_ = mode_.addListener([this](bool on) { helpModeChanged(on); });
    load();
}

HC::~HC() {
    mode_.removeListener(listener_);
}

void HC::load() {
    placeAtRightEdge();
    placePending_ = true; // again once shown, when the frame is known
    setWindowTitle("Help Contents...");
    HelpLabel1->setText("Ledgerwick Help");
    HelpLabel2->setPlainText(shownText(introduction()));
    Im->clear();
    loaded_ = true;
}

void HC::placeAtRightEdge() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect area = screen->availableGeometry();
    int frame = frameGeometry().width() - geometry().width();
    int top = isVisible() ? y() : area.top() + px(900);
    move(area.right() + 1 - (width() + frame + px(50)), top);
}

void HC::showHelp(const std::string& title, const std::string& text) {
    if (!loaded_) load();
    HelpLabel1->setText(QString::fromStdString(title));
    HelpLabel2->setPlainText(shownText(text + "\r\n\r\n"));
    if (!isVisible()) show();
}

void HC::setImage(const QPixmap& picture) {
    if (!loaded_) load(); // like any change to the closed window, this loads it first
    Im->setPixmap(picture);
}

std::string HC::title() const {
    return HelpLabel1->text().toStdString();
}
std::string HC::text() const {
    return HelpLabel2->toPlainText().toStdString();
}

void HC::showEvent(QShowEvent* event) {
    if (!loaded_) load();
    QWidget::showEvent(event);
    if (placePending_) {
        placePending_ = false;
        placeAtRightEdge();
    }
}

void HC::closeEvent(QCloseEvent* event) {
    // Closing unloads the window and ends help mode everywhere.
    closing_ = true;
    loaded_ = false;
    mode_.end();
    closing_ = false;
    QWidget::closeEvent(event);
}

void HC::helpModeChanged(bool on) {
    pointer::setHelp(on);
    if (on) {
        if (!isVisible()) show();
    } else if (isVisible() && !closing_) {
        close();
    }
}
