// The question every print command on the PDF printer asks: which file to
// print into (see askPdfOutputFile), shown in a file dialog.
#pragma once

#include "toolkit/pdf_output_file.h"

#include <string>

class QWidget;

// The PDF file to print `copies` copies into, "" when none was named.
// `proposedName` ("" for none) is offered in the folder last used.
std::string askPdfFile(QWidget* parent, const std::string& proposedName, int copies = 1);

// Tests answer the file dialog with `chooser` in place of the window; an
// empty one brings the window back. Returns the chooser it replaces.
PdfFileChooser replacePdfFileDialog(PdfFileChooser chooser);
