#include "accounts/qt/Find_Entry.h"

#include "book/book.h"
#include "resources/string_table.h"
#include "toolkit/qt/fixed_text_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace {
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

Find_Entry::Find_Entry(SearchHost host, QWidget* owner)
    : QWidget(owner, Qt::Tool), host_(std::move(host)) {
    setWindowTitle(qs(strings::text(212)));
    Label1 = new QLabel(qs(strings::text(210)), this);
    Text1 = new QComboBox(this);
    Text1->setEditable(true);
    Text1->setInsertPolicy(QComboBox::NoInsert); // Find adds the text itself
    // What was typed is searched: the texts searched before are offered in
    // the box's list, never completed into what is typed, nor put in its
    // place by Enter (a list holding it in another case).
    Text1->setCompleter(nullptr);
    // The box outlives this window's members (it goes with the window's
    // children): its limit holds a copy of the host's question, not this.
    holdToBytes(Text1->lineEdit(), [references = host_.searchesReferences]() -> std::size_t {
        return references && references() ? EntryId{}.bytes.size()
                                          : std::numeric_limits<std::size_t>::max();
    });
    Text1->setDuplicatesEnabled(true);
    Text1->setMinimumWidth(260);
    const std::string font = host_.book ? host_.book->FontName.str() : std::string();
    if (!font.empty()) {
        QFont f = Text1->font();
        f.setFamily(qs(font));
        Text1->setFont(f);
    }
    // Return or keypad Enter in the box searches as Find does. The keys reach
    // the combo box (the focus stays there) and it hands them to its line.
    connect(Text1->lineEdit(), &QLineEdit::returnPressed, this, [this] { Command2_Click(); });
    Command2 = new QPushButton(qs(strings::text(211)), this);
    Command2->setDefault(true);
    Command3 = new QPushButton(qs(strings::text(194)), this);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(Command2, 0, 2);
    grid->addWidget(Command3, 1, 2);
}

QWidget* Find_Entry::Command2_Click() {
    if (!host_.freshResultsWindow) return nullptr;
    const std::string text = Text1->currentText().toStdString(); // as typed, not trimmed
    QWidget* results = host_.freshResultsWindow(text);
    // Every search adds its text to the list; repeats stay.
    Text1->addItem(qs(text));
    Text1->setCurrentIndex(Text1->count() - 1);
    if (!results) return nullptr;
    results->setWindowTitle(results->windowTitle() + "    Find '" + qs(text) + "' in :");
    results->show();
    results->raise();
    return results;
}

void Find_Entry::Command3_Click() {
    hide();
}
