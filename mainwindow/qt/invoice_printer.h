// File > Print Invoice on a printer: one copy of the invoice of the entry
// shown, on the printer and settings the print setup last left, without
// showing the print setup.
#pragma once

#include "mainwindow/invoice.h"
#include "platform/printer_choices.h"

// Prints the invoice; when it cannot be printed the user is told as
// tellPrintFailure tells it and false comes back.
bool printInvoiceOn(const PrinterChoices& printer, const Book& book, const Invoice& invoice);
