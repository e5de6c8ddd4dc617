#include "toolkit/pdf_output_file.h"

#include "platform/printer_choices.h"
#include "platform/services.h"
#include "toolkit/file_dialog_logic.h"
#include "toolkit/replace_question.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The folder of the last PDF file named, for this run of the program.
fs::path& lastFolder() {
    static fs::path folder;
    return folder;
}

std::string withPdfExtension(const std::string& name) {
    return matchesFilePattern(name, "*.pdf") ? name : name + ".pdf";
}

// The files the copies are printed into.
std::vector<std::string> copyFiles(const std::string& path, int copies) {
    std::vector<std::string> files;
    for (int copy = 1; copy <= std::max(copies, 1); ++copy)
        files.push_back(pdfPathForCopy(path, copy));
    return files;
}

} // namespace

std::string askPdfOutputFile(const std::string& proposedName, int copies,
                             const PdfFileChooser& choose) {
    std::string path;
    if (auto given = services().environment->get("LW_PDF_OUTPUT"); given && !given->empty()) {
        path = *given;
    } else {
        std::string proposed = (lastFolder() / proposedName).string();
        while (true) {
            const std::string chosen = choose(proposed);
            if (chosen.empty()) return "";
            path = withPdfExtension(chosen);
            if (replaceAgreed(existingFiles(copyFiles(path, copies)), "Print to PDF File")) break;
            proposed = path;
        }
    }
    std::error_code error;
    const fs::path named = fs::absolute(path, error);
    if (!error) lastFolder() = named.parent_path();
    return path;
}

std::string pdfNameFor(const std::string& title) {
    const std::size_t first = title.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    std::string name = title.substr(first, title.find_last_not_of(" \t") - first + 1);
    for (char& c : name)
        if (isForbiddenNameCharacter(c) || static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '-';
    return name + ".pdf";
}
