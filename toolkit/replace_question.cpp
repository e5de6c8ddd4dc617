#include "toolkit/replace_question.h"

#include "book/safe_file.h"
#include "platform/services.h"

#include <filesystem>

std::vector<std::string> existingFiles(const std::vector<std::string>& paths) {
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    for (const auto& path : paths) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(path, error);
        if (error || !fs::exists(status)) continue;
        if (refusalToReplace(path)) continue; // never written over nor removed
        found.push_back(path);
    }
    return found;
}

bool replaceAgreed(const std::vector<std::string>& existing, const std::string& title) {
    if (existing.empty()) return true;
    std::string text;
    if (existing.size() == 1) {
        text = existing[0] + " already exists.\n\nReplace it?";
    } else {
        text = "These files already exist:\n";
        for (const auto& file : existing)
            text += file + "\n";
        text += "\nReplace them?";
    }
    return showMessage(text, title, MessageButtons::YesNo, MessageIcon::Warning) ==
           MessageAnswer::Yes;
}
