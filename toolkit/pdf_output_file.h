// Which PDF file a print command on the PDF printer writes into. Every print
// command asks anew, so none writes into a file that another one named; the
// question starts in the folder of the last PDF file named.
#pragma once

#include <functional>
#include <string>

// The file dialog's part of the question: shown `proposed` (a folder, or a
// path in it), it gives the name the user chose, "" when cancelled.
using PdfFileChooser = std::function<std::string(const std::string& proposed)>;

// The file a print command of `copies` copies writes into, "" when none was
// named (then nothing is printed). LW_PDF_OUTPUT, when set, is the answer.
// Otherwise `choose` is shown `proposedName` ("" for none) in the folder
// last used; ".pdf" is added to a name without it, and when that file, or
// the file of a later copy, exists the user is asked whether to replace it:
// "No" asks for another name.
std::string askPdfOutputFile(const std::string& proposedName, int copies,
                             const PdfFileChooser& choose);

// A file name "<title>.pdf" proposed for a printout: the blanks around the
// title dropped, characters no file name may hold replaced by "-".
std::string pdfNameFor(const std::string& title);
