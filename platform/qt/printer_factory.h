// Printers as the print setup offers them, and a QPrinter made from its choices.
#pragma once

#include "platform/drawing_surface.h"
#include "platform/printer_choices.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPrinter;

// The installed printers, in the system's order, each with the paper codes it
// accepts and its current paper. The PDF printer is not among them.
std::vector<PrinterCapabilities> installedPrinters();
// The PDF printer: every paper code, colour, no duplex.
PrinterCapabilities pdfPrinterCapabilities();

// A printer set up as the choices say (paper, orientation, colour, resolution
// by quality, duplex). The PDF printer writes `outputPath` (the choices' own
// pdfPath when empty). A printer no longer installed gives nullptr.
std::unique_ptr<QPrinter> createPrinter(const PrinterChoices& choices,
                                        const std::string& outputPath = "");

// Prints copy number `copy` (from 1) as a print job of its own by running
// `draw` on a fresh printer surface (on the PDF printer the later copies go to
// files of their own, see pdfPathForCopy). False when the printer could not be
// set up or started.
bool printCopy(const PrinterChoices& choices, int copy,
               const std::function<void(DrawingSurface&)>& draw);
// Prints `copies` copies, each as a print job of its own, by running `draw`
// on a fresh printer surface per copy (on the PDF printer the later copies
// go to files of their own, see pdfPathForCopy). False when a printer could
// not be set up or started; the copies before it were printed.
bool printCopies(const PrinterChoices& choices, int copies,
                 const std::function<void(DrawingSurface&)>& draw);
