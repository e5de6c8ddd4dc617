#include "mainwindow/qt/invoice_printer.h"

#include "platform/qt/printer_factory.h"

bool printInvoiceOn(const PrinterChoices& printer, const Book& book, const Invoice& invoice) {
    const PrintOutcome printed = printCopies(
        printer, 1, [&](DrawingSurface& surface) { PrintInvoice(surface, book, invoice); });
    if (!printed) tellPrintFailure(printed);
    return printed.printed;
}
