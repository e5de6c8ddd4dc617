#include "mainwindow/qt/invoice_printer.h"

#include "book/business_heading.h"
#include "platform/qt/printer_factory.h"

bool printInvoiceOn(const PrinterChoices& printer, const Book& book, const Invoice& invoice) {
    const PrintOutcome printed =
        printCopies(printer, 1, printJobName("Invoice " + invoice.reference, book.BusinessName.str()),
                    [&](DrawingSurface& surface) { PrintInvoice(surface, book, invoice); });
    if (!printed) tellPrintFailure(printed);
    return printed.printed;
}
