// The print-setup dialog shown before every print: printer (the installed
// ones and always "PDF file"), paper, orientation, colour, quality, duplex,
// copies and the text size (zoom). It stays loaded, so every showing finds
// the choices as the user left them, among the printers there are then.
//
// Caller protocol: exec(); PrintCopies 0 = do not print; else PrintScale =
// zoom(), print PrintCopies copies on choices() (printCopies() of
// platform/qt/printer_factory.h does it), PrintScale back to 1. New code
// calls ask().
#pragma once

#include "book/typed_input.h"
#include "platform/printer_choices.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>
#include <string>

struct RunTimeState;
class PrintSetup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

class Printformer : public QDialog {
    Q_OBJECT
  public:
    explicit Printformer(RunTimeState& run, QWidget* parent = nullptr);
    ~Printformer() override;

    // The zoom Print printed with last ("80%" gives 0.8), and the zoom box's text.
    double zoom() const;
    std::string zoomText() const;
    // The printer and its settings for the print jobs that follow.
    const PrinterChoices& choices() const;
    // The same for a print that does not show the dialog, among the printers
    // there are now: while the printer chosen is not there another stands
    // in for it, and the user is told at once.
    const PrinterChoices& choicesNow();

    struct Result {
        int copies;  // at least 1
        double zoom; // the PrintScale to print with
        PrinterChoices printer;
    };
    // Shows the dialog modally (owned by `owner` while shown, when given); nullopt when
    // cancelled or there is nothing to print. On the PDF printer the result
    // names a file asked for this print alone.
    std::optional<Result> ask(QWidget* owner = nullptr);

    // Controls, by the names the callers know. Arrays are indexed as the
    // codes they stand for; item 0 is unused.
    QComboBox* Combo1;                      // printers
    QComboBox* Combo2;                      // paper
    std::array<QToolButton*, 3> PorL;       // 1 portrait, 2 landscape
    std::array<QFrame*, 3> ShapL;           // orientation markers
    std::array<QToolButton*, 3> DPIColorIt; // 1 black and white, 2 colour
    std::array<QFrame*, 3> DPIcolorFram;
    std::array<QToolButton*, 5> DPIBox; // quality: code = minus the index
    std::array<QFrame*, 5> DPIFram;
    QCheckBox* Check1; // duplex: ticked = both sides
    QLineEdit* Copying;
    QScrollBar* VScroll1;
    QComboBox* PxSize;
    QPushButton* Command1; // Print
    QPushButton* Command2; // Cancel

    // What the buttons do, also for tests.
    void printClicked();
    void cancelClicked();
    void printerChosen(const std::string& name);
    void paperChosen(int index);
    void orientationChosen(int index);
    void colorChosen(int index);
    void qualityChosen(int index);

  protected:
    void showEvent(QShowEvent* event) override;
    void reject() override; // Cancel, Escape and the close box: PrintCopies = 0
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void load();
    // Tells an outage met by the last load (see PrintSetup::troubleToTell),
    // once the dialog is up when `afterShowing`, else at once.
    void tellTrouble(bool afterShowing);
    // Reads the box as it is left and shows what is kept (see PrintSetup).
    LeftBox leaveCopies();
    LeftBox leaveZoom();
    NumberMarks numberMarks() const;
    void fillPapers();
    void showMarkers();
    bool askPdfPath(int copies);

    RunTimeState& run_;
    std::unique_ptr<PrintSetup> setup_;
};
