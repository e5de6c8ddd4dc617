#include "mainwindow/qt/help_pane.h"

#include "toolkit/help_mode.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

HelpPane::HelpPane(QWidget* owner) : QWidget(owner, Qt::Tool) {
    setWindowTitle("Help");
    image_ = new QLabel(this);
    title_ = new QLabel(this);
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() + 1);
    title_->setFont(bold);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    auto* head = new QHBoxLayout;
    head->addWidget(image_);
    head->addWidget(title_, 1);
    auto* box = new QVBoxLayout(this);
    box->addLayout(head);
    box->addWidget(text_, 1);
    resize(420, 300);
}

void HelpPane::showHelp(const QString& title, const QString& text) {
    setWindowTitle("Help");
    image_->clear();
    image_->hide();
    title_->setText(title);
    text_->setPlainText(QString(text).replace("\r\n", "\n"));
    show();
    raise();
}

void HelpPane::showAbout(const QPixmap& icon, const QString& title, const QString& text) {
    setWindowTitle("About...");
    image_->setPixmap(icon);
    image_->setVisible(!icon.isNull());
    title_->setText(title);
    text_->setPlainText(QString(text).replace("\r\n", "\n"));
    show();
    raise();
}

QString HelpPane::title() const {
    return title_->text();
}
QString HelpPane::text() const {
    return text_->toPlainText();
}

void HelpPane::closeEvent(QCloseEvent* e) {
    helpMode().end();
    QWidget::closeEvent(e);
}
