// What the statement windows' Copy, Export and Send commands share: the
// clipboard, the file dialog around an export, and the outcome of a mail
// draft. The texts, files and drafts themselves come from the statement
// outputs (statements/*_outputs.h).
#pragma once

#include "statements/report_markup.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;
struct RunTimeState;

// Plain text and, when `rtf` is not empty, RTF together on the clipboard.
void putOnClipboard(const std::string& text, const std::string& rtf = "");

// Asks for a file in the program's file dialog (caption 166, button 165),
// offering `patterns` ("*.xls" ...; the first is the default type), and
// writes it with `write`(path with the chosen type, type). A failure or a
// notice is shown. CurrentFilePath and SaveExtension are left at the file
// written. False when cancelled or the file could not be written.
bool exportThroughDialog(
    QWidget* owner, RunTimeState& run, const std::vector<std::string>& patterns,
    const std::function<ExportResult(const std::filesystem::path&, const std::string&)>& write);
