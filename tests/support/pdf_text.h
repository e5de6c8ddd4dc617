// What pdftotext reads from a printed PDF, for the printing tests.
#pragma once

#include <string>

namespace testing_support {

// Runs pdftotext on `pdf` in its page layout and returns its exit status;
// `text` gets the text read (or pdftotext's complaint), every run of blanks
// squeezed to one space. How many blanks pdftotext puts between two words
// follows the widths of the font and its own version; the words, their order
// and the lines and pages they are on do not.
int readPdfText(const std::string& pdf, std::string* text);

} // namespace testing_support
