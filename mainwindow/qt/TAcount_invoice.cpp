// Invoicing the entry on screen. File > Print Invoice sends a single copy to
// the current printer, skipping the print-setup dialog (on the PDF printer
// the file is asked for each time); the mail button on the toolbar passes
// the page to the mail program as a draft.
#include "mainwindow/qt/TAcount.h"

#include "mainwindow/invoice.h"
#include "mainwindow/qt/invoice_printer.h"
#include "platform/printer_choices.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/Printformer.h"
#include "toolkit/qt/pdf_file_dialog.h"

#include <QLineEdit>

void TAcount::PrintHeader(DrawingSurface& surface) const {
    ::PrintHeader(surface, book_);
}

Printformer* TAcount::printSetup() {
    if (!printSetup_) printSetup_ = new Printformer(run_, this);
    return printSetup_;
}

PrinterChoices TAcount::currentPrinter() {
    // The print setup's choices among the printers there are now (before it
    // was first shown, the system's default printer); an outage is told
    // as the print setup tells it, before anything is printed.
    return printSetup()->choicesNow();
}

void TAcount::Invoice_Click() {
    if (showsHelpInstead(Command::Invoice)) return;
    const Invoice invoice = buildInvoice(book_, run_.CurrentFirstLine, run_.CurrentLastLine,
                                         currentLocale(), AccNote->text().toStdString());
    PrinterChoices printer = currentPrinter();
    if (printer.printerName == PdfPrinterName) {
        // Each invoice goes to a file of its own, never to one an earlier print named.
        printer.pdfPath = askPdfFile(this, pdfNameFor("Invoice " + invoice.reference));
        if (printer.pdfPath.empty()) return; // no file named: nothing is printed
    }
    printInvoiceOn(printer, book_, invoice);
}

void TAcount::EmailInvoice_Click() {
    if (helpMode().isOn()) return; // it has no help of its own
    const Invoice invoice = buildInvoice(book_, run_.CurrentFirstLine, run_.CurrentLastLine,
                                         currentLocale(), AccNote->text().toStdString());
    EmailInvoice(book_, invoice, windowTitle().toStdString());
}
