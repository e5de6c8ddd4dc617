// Printers as the print setup offers them, and a QPrinter made from its choices.
#pragma once

#include "platform/drawing_surface.h"
#include "platform/printer_choices.h"

#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

class QPrinter;

// The installed printers, in the system's order, each with the paper codes it
// accepts and its current paper. The PDF printer is not among them.
std::vector<PrinterCapabilities> installedPrinters();
// The PDF printer: every paper code, colour, no duplex.
PrinterCapabilities pdfPrinterCapabilities();

// A printer set up as the choices say (paper, orientation, colour, resolution
// by quality, duplex), its page the printer's own sheet of the paper's size
// where it has one, within the printer's margins for the chosen
// orientation. The PDF printer writes `outputPath` (the choices' own pdfPath
// when empty). A printer no longer installed gives nullptr.
std::unique_ptr<QPrinter> createPrinter(const PrinterChoices& choices,
                                        const std::string& outputPath = "");

// True when the print service answers (false when it is stopped or absent:
// then no printer can be listed, installed or not).
bool printServiceRunning();

// How a print job ended. A PDF copy that could not be written names its file,
// where known why, and the files of the copies printed before it; a printer
// that could not be set up or started, or refused the job, names none and
// gives the print system's answer.
struct PrintOutcome {
    bool printed = true;
    std::string failedFile;                // the PDF file not written ("" for a printer's fault)
    std::error_code error;                 // why the file could not be written (empty when unknown)
    std::vector<std::string> writtenFiles; // the PDF files of the copies before it
    std::string printerAnswer;             // the print system's answer: why it failed
    bool refused = false;                  // the print system did not take the job
    int copiesPrinted = 0;                 // the copies before the one that failed
    bool serviceStopped = false;           // the print service stopped while printing
    explicit operator bool() const { return printed; }
};

// Prints `copies` copies, each a print job of its own named `jobName` (see
// printJobName), by running `draw` on a fresh printer surface, up to the
// first that fails; the copies before it stay printed. On the PDF printer
// the later copies go to files of their own (see pdfPathForCopy), every
// copy's file is checked before any is written, and each is drawn into a
// temporary file beside its own that replaces it only when written whole.
// A printer's job counts as printed only once the print system took it.
PrintOutcome printCopies(const PrinterChoices& choices, int copies, const std::string& jobName,
                         const std::function<void(DrawingSurface&)>& draw);

// What the user is told of a failed print: text 292 for a printer, with the
// print system's answer (or that the print service stopped) and what was printed; for a
// PDF copy the file and the reason, that the older file stays where there
// was one, and the files of the copies written before it.
std::string printFailureText(const PrintOutcome& failed);
// Shows printFailureText in a message box.
void tellPrintFailure(const PrintOutcome& failed);

// Test hook: the PDF copy `n` copies from now (0 the next) ends cut short, as
// a file does when the disk fills while it is written.
void cutPdfCopyShort(int n);
