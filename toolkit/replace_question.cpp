#include "toolkit/replace_question.h"

#include "book/book_file_identity.h"
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

namespace {

// Asked before a file that is another name of the open book's file is
// replaced: true when the user agrees to write over the book's file.
bool bookFileReplaceAgreed(const std::string& file, const std::string& title) {
    const std::filesystem::path book = openBookFileBehind(file);
    if (book.empty()) return true;
    const std::string what =
        file + " is another name of this book's own file " + book.string() + ".";
    // Only a book file holds the whole book.
    const std::string text =
        std::filesystem::path(file).extension() == ".acc"
            ? what + "\n\nSave the book over its own file?"
            : what + " Writing there puts this file in the book file's place: until the "
                     "book is saved again, no file holds the whole book (its groups, settings, "
                     "reconciled marks and account notes are in none).\n\nReplace the book's own "
                     "file?";
    return showMessage(text, title, MessageButtons::YesNo, MessageIcon::Warning) ==
           MessageAnswer::Yes;
}

} // namespace

bool replaceAgreed(const std::vector<std::string>& existing, const std::string& title) {
    if (existing.empty()) return true;
    for (const auto& file : existing)
        if (!bookFileReplaceAgreed(file, title)) return false;
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
