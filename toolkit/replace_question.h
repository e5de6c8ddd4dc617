// Asking before a file that is already there is written over. Every command
// that writes into a file the user names (saving, exporting, printing to a
// PDF file) asks this one question of the files it would write.
#pragma once

#include <string>
#include <vector>

// Those of `paths` that are there already, each a name the command may
// write over or remove (refusalToReplace finds nothing against it): a
// command names the others in its own message.
std::vector<std::string> existingFiles(const std::vector<std::string>& paths);

// True when `existing` is empty or the user agrees to replace them all
// ("No" gives false). `title` is the question's window caption. A file that
// is another name of the open book's file is asked about as the book first.
bool replaceAgreed(const std::vector<std::string>& existing, const std::string& title);
