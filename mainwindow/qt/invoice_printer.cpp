#include "mainwindow/qt/invoice_printer.h"

#include "platform/qt/printer_factory.h"
#include "platform/services.h"
#include "resources/string_table.h"

bool printInvoiceOn(const PrinterChoices& printer, const Book& book, const Invoice& invoice) {
    const bool printed = printCopies(
        printer, 1, [&](DrawingSurface& surface) { PrintInvoice(surface, book, invoice); });
    if (!printed) showMessage(strings::text(292));
    return printed;
}
