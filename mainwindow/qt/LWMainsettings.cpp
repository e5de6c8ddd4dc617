#include "mainwindow/qt/LWMainsettings.h"

#include "book/book.h"
#include "book/runtime_state.h"
#include "mainwindow/qt/qt_text.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/menu_access.h"
#include "toolkit/qt/plain_text_box.h"
#include "toolkit/qt/qt_keys.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

std::string ss(const QString& s) {
    return s.toStdString();
}

// The writing system a Windows character set stands for.
QFontDatabase::WritingSystem writingSystemFor(int charset) {
    switch (charset) {
    case 178:
        return QFontDatabase::Arabic;
    case 204:
        return QFontDatabase::Cyrillic;
    case 134:
        return QFontDatabase::SimplifiedChinese;
    case 136:
        return QFontDatabase::TraditionalChinese;
    case 161:
        return QFontDatabase::Greek;
    case 177:
        return QFontDatabase::Hebrew;
    case 128:
        return QFontDatabase::Japanese;
    case 129:
        return QFontDatabase::Korean;
    case 163:
        return QFontDatabase::Vietnamese;
    case 222:
        return QFontDatabase::Thai;
    default: // Western, Baltic, Central European, Turkish
        return QFontDatabase::Latin;
    }
}

// List-only combo boxes refuse typed characters; the character-set box
// refuses every key.
bool isTypedKey(QEvent* event, bool allKeys) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    if (allKeys) return event->type() == QEvent::KeyPress;
    // A character typed, as every box reads keys (Ctrl combinations type none).
    return qt_keys::keyAscii(static_cast<QKeyEvent*>(event)) >= 32;
}

QString addressForBox(const std::string& stored) {
    QString s = qs(stored);
    s.replace("\r\n", "\n");
    s.replace('\r', '\n');
    return s;
}

} // namespace

LWMainsettings::LWMainsettings(Book& book, RunTimeState& run, ::HC* help, QWidget* parent)
    : QWidget(parent, Qt::Window), book_(book), run_(run), editor_(book, run), help_(help) {
    build();
    setCaptions();
    helpListener_ = helpMode().addListener([this](bool on) {
        QSignalBlocker block(HelpContents);
        HelpContents->setChecked(on);
    });
    reload();
}

LWMainsettings::~LWMainsettings() {
    helpMode().removeListener(helpListener_);
}

void LWMainsettings::build() {
    setWindowTitle("Account File Setting...");
    setObjectName("LWMainsettings");

    auto* outer = new QVBoxLayout(this);
    menuBar = new QMenuBar(this);
    HelpSelect = addMenuWithAccessKey(menuBar, "Help");
    HelpContents = HelpSelect->addAction("Contents...");
    HelpContents->setCheckable(true);
    HelpContents->setChecked(helpMode().isOn());
    connect(HelpContents, &QAction::triggered, this,
            [this](bool) { helpMode().setOn(!helpMode().isOn()); });
    outer->setMenuBar(menuBar);

    auto framed = [this](QWidget* inner) {
        auto* box = new QGroupBox(this);
        auto* l = new QVBoxLayout(box);
        l->addWidget(inner);
        return box;
    };

    Bname = new QLineEdit(this);
    CnameBusiness = framed(Bname);
    BusAddress = new PlainTextBox(this);
    BusAddress->setToolTip("Business Detail...");
    BusAddress->setTabChangesFocus(true);
    BusAddress->setFixedHeight(BusAddress->fontMetrics().lineSpacing() * 5 + 12);
    Frame7 = framed(BusAddress);

    EnterPassWord = new QLineEdit(this);
    EnterPassWord->setMaxLength(PasswordMaxChars);
    Frame4 = framed(EnterPassWord);
    AdminPass = new QLineEdit(this);
    AdminPass->setMaxLength(PasswordMaxChars);
    Frame1 = framed(AdminPass);

    Combo2 = new QComboBox(this);
    Combo2->setEditable(true);
    Combo2->lineEdit()->setReadOnly(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->setToolTip("Select Font...");
    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->lineEdit()->setReadOnly(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setToolTip("Select Font...");
    Frame2 = new QGroupBox(this);
    {
        auto* l = new QVBoxLayout(Frame2);
        l->addWidget(Combo2);
        l->addWidget(Combo1);
    }

    DateStyle = new QComboBox(this);
    DateStyle->setToolTip("Default entry date is always set by the Windows...");
    Frame3 = framed(DateStyle);

    Aincress = new QCheckBox(this);
    Aincress->setToolTip("Entry ID Number will incress by 1 when new entry is added...");

    Dec = new QGroupBox(this);
    auto* decLayout = new QHBoxLayout(Dec);
    for (int g = 0; g < DecimalsGroupCount; ++g) {
        Frame5[g] = new QGroupBox(Dec);
        auto* l = new QVBoxLayout(Frame5[g]);
        for (int i = 0; i < 4; ++i) {
            auto* button = new QRadioButton(Frame5[g]);
            DecimalPlacing[g][i] = button;
            l->addWidget(button);
            connect(button, &QRadioButton::clicked, this, [this, g, i](bool checked) {
                if (checked && !loading_) editor_.chooseDecimals(static_cast<DecimalsGroup>(g), i);
            });
        }
        decLayout->addWidget(Frame5[g]);
    }

    OKu = new QPushButton("OK", this);
    OKu->setDefault(true);

    auto* grid = new QGridLayout();
    grid->addWidget(CnameBusiness, 0, 0, 1, 2);
    grid->addWidget(Frame7, 1, 0, 1, 2);
    grid->addWidget(Frame4, 2, 0);
    grid->addWidget(Frame1, 2, 1);
    grid->addWidget(Frame2, 3, 0);
    grid->addWidget(Frame3, 3, 1, Qt::AlignTop);
    grid->addWidget(Aincress, 4, 0, 1, 2);
    grid->addWidget(Dec, 5, 0, 1, 2);
    outer->addLayout(grid);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(OKu);
    outer->addLayout(buttons);

    connect(Bname, &QLineEdit::textEdited, this,
            [this](const QString& t) { editor_.setBusinessName(ss(t)); });
    connect(BusAddress, &QPlainTextEdit::textChanged, this, [this] {
        if (!loading_) editor_.setBusinessAddress(ss(BusAddress->toPlainText()));
    });
    connect(EnterPassWord, &QLineEdit::textEdited, this,
            [this](const QString& t) { editor_.setFilePassword(ss(t)); });
    connect(AdminPass, &QLineEdit::textEdited, this,
            [this](const QString& t) { editor_.setAdminPassword(ss(t)); });
    connect(Aincress, &QCheckBox::clicked, this,
            [this](bool ticked) { editor_.setAutoIncrement(ticked); });
    connect(Combo2, &QComboBox::activated, this,
            [this](int index) { fontChosen(Combo2->itemText(index)); });
    connect(Combo1, &QComboBox::activated, this,
            [this](int index) { charsetChosen(Combo1->itemText(index)); });
    connect(DateStyle, &QComboBox::activated, this, [this](int index) {
        if (loading_) return;
        const int before = book_.DateStyle;
        editor_.chooseDateStyle(index);
        if (book_.DateStyle != before) emit dateStyleChanged();
    });
    connect(OKu, &QPushButton::clicked, this, &QWidget::close);

    for (QObject* o : {static_cast<QObject*>(Combo1), static_cast<QObject*>(Combo2),
                       static_cast<QObject*>(DateStyle), static_cast<QObject*>(Combo1->lineEdit()),
                       static_cast<QObject*>(Combo2->lineEdit())})
        o->installEventFilter(this);
    for (QObject* o : {static_cast<QObject*>(Bname), static_cast<QObject*>(BusAddress->viewport()),
                       static_cast<QObject*>(EnterPassWord), static_cast<QObject*>(AdminPass),
                       static_cast<QObject*>(Aincress)})
        o->installEventFilter(this);
}

void LWMainsettings::setCaptions() {
    CnameBusiness->setTitle(qs(strings::text(219)));
    Frame7->setTitle(qs(strings::text(222)));
    Dec->setTitle(qs(strings::text(220)));
    Frame3->setTitle(qs(strings::text(221)));
    Frame2->setTitle(qs(strings::text(223)));
    Frame4->setTitle(qs(strings::text(224)));
    Frame1->setTitle(qs(strings::text(225)));
    Aincress->setText(qs(strings::text(227)));
    for (int g = 0; g < DecimalsGroupCount; ++g)
        Frame5[g]->setTitle(qs(strings::text(228 + g)));
}

void LWMainsettings::reload() {
    loading_ = true;
    const QSignalBlocker b1(Combo2), b2(Combo1), b3(DateStyle), b4(BusAddress), b5(Bname),
        b6(EnterPassWord), b7(AdminPass), b8(Aincress);

    Combo2->clear();
    Combo2->addItems(screenFonts());
    // The stored name is shown as it is, also when this machine lacks it.
    const QString fontName = qs(book_.FontName.str());
    Combo2->setEditText(fontName);
    fillCharsets(fontName);
    FT();
    applyDisplayFont();

    BusAddress->setPlainText(addressForBox(book_.BusinessAddress.str()));
    Aincress->setChecked(book_.AutoIncrement == 1);
    Bname->setText(qs(book_.BusinessName.str()));
    AdminPass->setText(qs(book_.AdminPassword.str()));
    EnterPassWord->setText(qs(book_.FilePassword.str()));

    const auto captions = decimalCaptions(run_.DecimalSeparator);
    for (int g = 0; g < DecimalsGroupCount; ++g) {
        const int chosen = editor_.decimals(static_cast<DecimalsGroup>(g));
        for (int i = 0; i < 4; ++i) {
            DecimalPlacing[g][i]->setText(qs(captions[i]));
            DecimalPlacing[g][i]->setChecked(i == chosen);
        }
    }

    DateStyle->clear();
    for (const std::string& item : dateStyleItems(todayNumber(), currentLocale()))
        DateStyle->addItem(qs(item));
    const int style = book_.DateStyle;
    DateStyle->setCurrentIndex(style >= 0 && style <= 8 ? style : -1);
    loading_ = false;
}

void LWMainsettings::showEvent(QShowEvent* event) {
    // Every showing starts from the settings as the book holds them.
    if (!event->spontaneous()) reload();
    QWidget::showEvent(event);
}

void LWMainsettings::FT() {
    if (const auto name = charsetName(book_.FontCharset)) Combo1->setEditText(qs(*name));
}

void LWMainsettings::fillCharsets(const QString& fontName) {
    Combo1->clear();
    Combo1->addItems(charsetsOffered(fontName));
}

void LWMainsettings::applyDisplayFont() {
    // Qt substitutes a face this machine lacks; the book keeps its own name.
    const QString name = qs(book_.FontName.str());
    for (QWidget* w : {static_cast<QWidget*>(Bname), static_cast<QWidget*>(BusAddress),
                       static_cast<QWidget*>(AdminPass), static_cast<QWidget*>(EnterPassWord)}) {
        QFont f = w->font();
        if (name.isEmpty())
            f = QWidget::font();
        else
            f.setFamilies({name});
        w->setFont(f);
    }
}

void LWMainsettings::fontChosen(const QString& name) {
    if (loading_ || name.isEmpty()) return;
    editor_.chooseFont(ss(name));
    const QStringList offered = charsetsOffered(name);
    {
        const QSignalBlocker block(Combo1);
        Combo1->clear();
        Combo1->addItems(offered);
    }
    std::vector<std::string> names;
    for (const QString& s : offered)
        names.push_back(ss(s));
    editor_.setCharset(charsetForChosenFont(book_.FontCharset, names));
    {
        const QSignalBlocker block(Combo1);
        FT();
    }
    applyDisplayFont();
    emit fontChanged(name, book_.FontCharset);
}

void LWMainsettings::charsetChosen(const QString& name) {
    if (loading_) return;
    if (!editor_.chooseCharset(ss(name))) return;
    emit fontChanged(qs(book_.FontName.str()), book_.FontCharset);
}

QStringList LWMainsettings::screenFonts() {
    QStringList fonts;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
        // A symbol font offers symbols only.
        if (systems.contains(QFontDatabase::Symbol) && !systems.contains(QFontDatabase::Latin) &&
            systems.size() == 1)
            continue;
        // A bitmap font without a size below 10 points cannot be set to 9.
        if (!QFontDatabase::isScalable(family)) {
            bool small = false;
            for (int size : QFontDatabase::pointSizes(family))
                small = small || size < 10;
            if (!small) continue;
        }
        fonts << family;
    }
    fonts.sort(Qt::CaseInsensitive);
    fonts.removeDuplicates();
    return fonts;
}

QStringList LWMainsettings::charsetsOffered(const QString& fontName) {
    QFont font;
    if (!fontName.isEmpty()) font.setFamilies({fontName});
    const QString face = QFontInfo(font).family();
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(face);
    const QRawFont raw = QRawFont::fromFont(QFont(face));
    QStringList offered;
    for (const CharsetRow& row : charsetTable()) {
        if (!systems.contains(writingSystemFor(row.number))) continue;
        bool covered = true;
        for (const char32_t* c = row.probe; *c && covered; ++c)
            covered = raw.isValid() && raw.supportsCharacter(static_cast<uint>(*c));
        if (covered) offered << QString::fromLatin1(row.name);
    }
    return offered;
}

bool LWMainsettings::showControlHelp(QObject* watched) {
    struct Item {
        QObject* control;
        QString title;
        const char* text;
    };
    const Item items[] = {
        {Bname, CnameBusiness->title(), "Add bold title to printed invoices and statements..."},
        {BusAddress->viewport(), Frame7->title(),
         "Add extra details like addresses phone number and business numbers to printed invoices "
         "and statements..."},
        {EnterPassWord, Frame4->title(), "Password the account file..."},
        {AdminPass, Frame1->title(),
         "Only the last ten entries can be edited and users cannot Delete or Edit the Chart of "
         "Accounts without the admin password..."},
        {Aincress, Aincress->text(), "Generates a 'Go to' tracking number... "},
    };
    for (const Item& item : items) {
        if (item.control != watched) continue;
        if (help_) {
            help_->showHelp(ss(item.title), item.text);
            help_->show();
        }
        return true;
    }
    return false;
}

bool LWMainsettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Combo1 || watched == Combo1->lineEdit())
        if (isTypedKey(event, true)) return true;
    if (watched == Combo2 || watched == Combo2->lineEdit() || watched == DateStyle)
        if (isTypedKey(event, false)) return true;
    if (event->type() == QEvent::MouseButtonPress && helpMode().isOn() &&
        showControlHelp(watched)) {
        // The tick box still ticks; the text boxes only show their help.
        return watched != Aincress;
    }
    return QWidget::eventFilter(watched, event);
}
