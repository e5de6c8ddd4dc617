#include "pdf_text.h"

#include "test_paths.h"

namespace testing_support {

int readPdfText(const std::string& pdf, std::string* text) {
    std::string raw;
    const int status = runCommand("pdftotext -layout -enc UTF-8 '" + pdf + "' - 2>&1", &raw);
    text->clear();
    for (char c : raw) {
        const bool blank = c == ' ' || c == '\t';
        if (blank && !text->empty() && text->back() == ' ') continue;
        text->push_back(blank ? ' ' : c);
    }
    return status;
}

} // namespace testing_support
