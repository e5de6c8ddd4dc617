#include "toolkit/qt/Printformer.h"

#include "book/number_format.h"
#include "book/runtime_state.h"
#include "platform/qt/printer_factory.h"
#include "platform/services.h"
#include "toolkit/print_setup.h"
#include "toolkit/qt/field_events.h"
#include "toolkit/qt/pdf_file_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int Button = 34; // picture button size in pixels
constexpr int Marker = 4;  // marker frame around it

enum class Picture { Portrait, Landscape, Mono, Colour, Quality };

QIcon drawIcon(Picture kind, int level = 0) {
    QPixmap pm(28, 28);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    switch (kind) {
    case Picture::Portrait:
    case Picture::Landscape: {
        QRectF page = kind == Picture::Portrait ? QRectF(7, 3, 14, 21) : QRectF(3, 7, 22, 14);
        p.setBrush(Qt::white);
        p.drawRect(page);
        for (int i = 1; i <= 3; ++i) {
            double y = page.top() + i * page.height() / 5;
            p.drawLine(QPointF(page.left() + 3, y), QPointF(page.right() - 3, y));
        }
        break;
    }
    case Picture::Mono:
    case Picture::Colour: {
        const QColor colours[3] = {
            kind == Picture::Mono ? QColor(40, 40, 40) : QColor(220, 40, 40),
            kind == Picture::Mono ? QColor(120, 120, 120) : QColor(40, 170, 40),
            kind == Picture::Mono ? QColor(200, 200, 200) : QColor(40, 80, 220)};
        const QPointF centres[3] = {{9, 10}, {19, 10}, {14, 19}};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(colours[i]);
            p.drawEllipse(centres[i], 6, 6);
        }
        break;
    }
    case Picture::Quality: {
        // More and finer dots for a better quality.
        int n = level + 1;
        double step = 22.0 / n;
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c)
                p.drawEllipse(QPointF(3 + step / 2 + c * step, 3 + step / 2 + r * step), step / 3,
                              step / 3);
        break;
    }
    }
    return QIcon(pm);
}

// A picture button with its marker frame behind it, placed in `row`.
QToolButton* pictureButton(QWidget* parent, QHBoxLayout* row, QFrame*& marker, const QIcon& icon,
                           const QString& tip) {
    auto* holder = new QWidget(parent);
    holder->setFixedSize(Button + 2 * Marker, Button + 2 * Marker);
    marker = new QFrame(holder);
    marker->setGeometry(0, 0, Button + 2 * Marker, Button + 2 * Marker);
    marker->setFrameStyle(QFrame::Box | QFrame::Plain);
    marker->setLineWidth(2);
    QPalette pal = marker->palette();
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Highlight));
    marker->setPalette(pal);
    marker->hide();
    auto* button = new QToolButton(holder);
    button->setGeometry(Marker, Marker, Button, Button);
    button->setIcon(icon);
    button->setIconSize(QSize(28, 28));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    row->addWidget(holder);
    return button;
}

struct Pictured {
    QIcon icon;
    const char* tip;
};

// A titled group with a row of picture buttons: the first goes into slot 1 of
// `buttons` and `markers`, slot 0 stays empty.
template <std::size_t N>
QGroupBox* pictureGroup(QWidget* parent, const char* title, std::array<QToolButton*, N>& buttons,
                        std::array<QFrame*, N>& markers,
                        const std::array<Pictured, N - 1>& pictures) {
    auto* box = new QGroupBox(title, parent);
    auto* row = new QHBoxLayout(box);
    buttons[0] = nullptr;
    markers[0] = nullptr;
    for (std::size_t i = 1; i < N; ++i)
        buttons[i] = pictureButton(box, row, markers[i], pictures[i - 1].icon, pictures[i - 1].tip);
    return box;
}

} // namespace

Printformer::Printformer(RunTimeState& run, QWidget* parent) : QDialog(parent), run_(run) {
    setModal(true);
    setWindowTitle("Print Page(s)...");
    auto* outer = new QVBoxLayout(this);

    auto* printerBox = new QGroupBox("Printer :", this);
    auto* printerRow = new QHBoxLayout(printerBox);
    Combo1 = new QComboBox(printerBox); // a list only: typed keys are discarded
    Combo1->setToolTip("Select Printer...");
    Combo1->setMinimumWidth(260);
    printerRow->addWidget(Combo1);
    outer->addWidget(printerBox);

    auto* paperBox = new QGroupBox("Page Type :", this);
    auto* paperRow = new QHBoxLayout(paperBox);
    Combo2 = new QComboBox(paperBox);
    paperRow->addWidget(Combo2);
    outer->addWidget(paperBox);

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(pictureGroup<3>(this, "Landscape :", PorL, ShapL,
                                        {{{drawIcon(Picture::Portrait), "Portrait..."},
                                          {drawIcon(Picture::Landscape), "Landscape..."}}}));
    pictures->addWidget(pictureGroup<3>(this, "Color :", DPIColorIt, DPIcolorFram,
                                        {{{drawIcon(Picture::Mono), "Print in Blank and White..."},
                                          {drawIcon(Picture::Colour), "Print in Color..."}}}));
    outer->addLayout(pictures);

    auto* qualityBox = pictureGroup<5>(this, "Quality :", DPIBox, DPIFram,
                                       {{{drawIcon(Picture::Quality, 1), "Draft..."},
                                         {drawIcon(Picture::Quality, 2), "Low..."},
                                         {drawIcon(Picture::Quality, 3), "Medium..."},
                                         {drawIcon(Picture::Quality, 4), "Best Quality"}}});
    auto* qualityRow = static_cast<QHBoxLayout*>(qualityBox->layout());
    Check1 = new QCheckBox("Duplex", qualityBox);
    Check1->setToolTip("Print on both sides of a page... (Printer must support it)");
    qualityRow->addSpacing(12);
    qualityRow->addWidget(Check1);
    qualityRow->addStretch();
    outer->addWidget(qualityBox);

    auto* bottom = new QHBoxLayout;
    auto* copiesBox = new QGroupBox("Copies", this);
    auto* copiesRow = new QHBoxLayout(copiesBox);
    Copying = new QLineEdit("1", copiesBox);
    Copying->setMaxLength(3);
    Copying->setFixedWidth(48);
    VScroll1 = new QScrollBar(Qt::Vertical, copiesBox);
    VScroll1->setRange(1, 999);
    VScroll1->setValue(1);
    VScroll1->setFixedHeight(Copying->sizeHint().height() + 6);
    copiesRow->addWidget(Copying);
    copiesRow->addWidget(VScroll1);
    bottom->addWidget(copiesBox);

    auto* sizeBox = new QGroupBox("Text Size :", this);
    auto* sizeRow = new QHBoxLayout(sizeBox);
    PxSize = new QComboBox(sizeBox);
    PxSize->setEditable(true);
    PxSize->setInsertPolicy(QComboBox::NoInsert);
    PxSize->addItems({"100%", "90%", "80%", "70%", "60%", "50%"});
    PxSize->setCurrentText("100%");
    PxSize->setToolTip("Print Text Size...");
    PxSize->setCompleter(nullptr); // what is typed is what is read: "7" is no "70%"
    PxSize->installEventFilter(this);
    Copying->installEventFilter(this);
    sizeRow->addWidget(PxSize);
    bottom->addWidget(sizeBox);

    auto* buttons = new QVBoxLayout;
    Command1 = new QPushButton("&Print", this);
    Command1->setDefault(true);
    Command2 = new QPushButton("C&ancel", this);
    Command2->setAutoDefault(false);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    bottom->addLayout(buttons);
    outer->addLayout(bottom);

    connect(Combo1, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { printerChosen(Combo1->itemText(i).toStdString()); });
    connect(Combo2, qOverload<int>(&QComboBox::activated), this, &Printformer::paperChosen);
    for (int i = 1; i <= 2; ++i) {
        connect(PorL[static_cast<std::size_t>(i)], &QToolButton::pressed, this,
                [this, i] { orientationChosen(i); });
        connect(DPIColorIt[static_cast<std::size_t>(i)], &QToolButton::clicked, this,
                [this, i] { colorChosen(i); });
    }
    for (int i = 1; i <= 4; ++i)
        connect(DPIBox[static_cast<std::size_t>(i)], &QToolButton::clicked, this,
                [this, i] { qualityChosen(i); });
    connect(Check1, &QCheckBox::toggled, this, [this](bool on) {
        if (setup_) setup_->setDuplex(on);
    });
    connect(VScroll1, &QScrollBar::valueChanged, this,
            [this](int v) { Copying->setText(QString::number(v)); });
    connect(Command1, &QPushButton::clicked, this, &Printformer::printClicked);
    connect(Command2, &QPushButton::clicked, this, &Printformer::cancelClicked);
}

Printformer::~Printformer() = default;

void Printformer::load() {
    const std::string defaultName = QPrinterInfo::defaultPrinterName().toStdString();
    if (setup_) {
        setup_->listPrinters(installedPrinters(), defaultName);
    } else {
        run_.PrintCopies = 1;
        setup_ = std::make_unique<PrintSetup>(installedPrinters(), pdfPrinterCapabilities(),
                                              defaultName);
        setup_->setOrientation(Portrait);
    }
    Combo1->clear();
    for (const auto& name : setup_->printerNames())
        Combo1->addItem(q(name));
    Combo1->setCurrentText(q(setup_->currentPrinter().name));
    fillPapers();
    showMarkers();
}

void Printformer::tellTrouble(bool afterShowing) {
    const std::string trouble =
        setup_->troubleToTell(setup_->noPrinterInstalled() && !printServiceRunning());
    if (trouble.empty()) return;
    if (!afterShowing) {
        showMessage(trouble);
        return;
    }
    // Said once the dialog is up; printing goes on through the printer chosen in its place.
    QTimer::singleShot(0, this, [trouble] { showMessage(trouble); });
}

void Printformer::fillPapers() {
    Combo2->clear();
    for (const auto& name : setup_->paperNames())
        Combo2->addItem(q(name));
    Combo2->setCurrentIndex(setup_->papers().selected);
}

void Printformer::showMarkers() {
    const auto& c = setup_->choices();
    ShapL[1]->setVisible(c.orientation == Portrait);
    ShapL[2]->setVisible(c.orientation == Landscape);
    DPIcolorFram[1]->setVisible(c.colorMode == Monochrome);
    DPIcolorFram[2]->setVisible(c.colorMode == Color);
    for (int i = 1; i <= 4; ++i)
        DPIFram[static_cast<std::size_t>(i)]->setVisible(c.quality == -i);
}

void Printformer::showEvent(QShowEvent* event) {
    load(); // the printers there are now, with the choices as they were left
    tellTrouble(true);
    QDialog::showEvent(event);
}

void Printformer::printerChosen(const std::string& name) {
    if (!setup_) load();
    if (!setup_->choosePrinter(name)) {
        showMessage("Can not set " + name, "", MessageButtons::Ok, MessageIcon::Warning);
        Combo1->setCurrentText(q(setup_->currentPrinter().name));
        return;
    }
    Combo1->setCurrentText(q(name));
    fillPapers();
    showMarkers();
    tellTrouble(false); // a printer naming no paper
}

void Printformer::paperChosen(int index) {
    if (!setup_) load();
    if (!setup_->choosePaper(index)) {
        showMessage("Printer does not support this paper size");
        return;
    }
    Combo2->setCurrentIndex(index);
}

void Printformer::orientationChosen(int index) {
    if (!setup_) load();
    setup_->setOrientation(index);
    showMarkers();
}

void Printformer::colorChosen(int index) {
    if (!setup_) load();
    setup_->setColorMode(index);
    showMarkers();
}

void Printformer::qualityChosen(int index) {
    if (!setup_) load();
    setup_->setQuality(-index);
    showMarkers();
}

bool Printformer::askPdfPath(int copies) {
    const std::string path = askPdfFile(this, "", copies);
    if (path.empty()) return false;
    setup_->setPdfPath(path);
    return true;
}

LeftBox Printformer::leaveCopies() {
    if (!setup_) load();
    const LeftBox left = setup_->leaveCopiesBox(Copying->text().toStdString(), numberMarks());
    VScroll1->setValue(setup_->copies());
    Copying->setText(q(left.text));
    return left;
}

LeftBox Printformer::leaveZoom() {
    if (!setup_) load();
    const LeftBox left = setup_->leaveZoomBox(PxSize->currentText().toStdString(), numberMarks());
    PxSize->setCurrentText(q(left.text));
    return left;
}

void Printformer::printClicked() {
    if (!setup_) load();
    // A box whose text is not read as typed is told, and nothing prints yet.
    std::string problems;
    for (const LeftBox& left : {leaveCopies(), leaveZoom()})
        if (!left.problem.empty()) problems += (problems.empty() ? "" : "\n") + left.problem;
    if (!problems.empty()) {
        showMessage(problems);
        return;
    }
    if (Combo2->currentIndex() < 0 || !setup_->choosePaper(Combo2->currentIndex()))
        showMessage("Printer Problem, check printer, paper and cables");
    const int copies = setup_->copies();
    if (setup_->choices().printerName == PdfPrinterName && !askPdfPath(copies)) {
        reject(); // no file named: nothing is printed
        return;
    }
    run_.PrintCopies = static_cast<std::int16_t>(copies);
    accept();
}

void Printformer::cancelClicked() {
    reject();
}

void Printformer::reject() {
    run_.PrintCopies = 0;
    QDialog::reject();
}

bool Printformer::eventFilter(QObject* watched, QEvent* event) {
    // A box left for another one is read now; one left for Print or Cancel
    // is read by the button, and switching windows or opening the zoom list
    // leaves none.
    if ((watched == PxSize || watched == Copying) && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            !ownListOpen(PxSize) && next != Command1 && next != Command2) {
            const LeftBox left = watched == PxSize ? leaveZoom() : leaveCopies();
            if (!left.problem.empty()) showMessage(left.problem);
        }
    }
    return QDialog::eventFilter(watched, event);
}

double Printformer::zoom() const {
    return setup_ ? setup_->zoom() : 1.0;
}
std::string Printformer::zoomText() const {
    return PxSize->currentText().toStdString();
}

NumberMarks Printformer::numberMarks() const {
    return marksOf(currentLocale());
}

const PrinterChoices& Printformer::choicesNow() {
    load();
    tellTrouble(false);
    return choices();
}

const PrinterChoices& Printformer::choices() const {
    static const PrinterChoices none;
    return setup_ ? setup_->choices() : none;
}

std::optional<Printformer::Result> Printformer::ask(QWidget* owner) {
    // Shown over the window printing, then given back to the window that
    // keeps it: one shared by many windows outlives each of them.
    QWidget* keeper = parentWidget();
    if (owner && owner != keeper) setParent(owner, windowFlags());
    exec();
    if (parentWidget() != keeper) setParent(keeper, windowFlags());
    if (run_.PrintCopies <= 0) return std::nullopt;
    Result result{run_.PrintCopies, zoom(), choices()};
    setup_->setPdfPath(""); // the file is this print's own: the next one asks for its own
    return result;
}
