// Which file a Save or Save As writes, in which form, whether it asks for a
// name, and what the book's own path and changed mark become afterwards.
// A plain function of the request and the current state: the windows ask the
// questions and run the writers; this decides.
#pragma once

#include "book/runtime_state.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class SaveCommand { Save = 0, SaveAs = 1 };

// What the file dialog handed back.
struct SaveDialogAnswer {
    std::string fileName;            // as typed or picked ("" = cancelled)
    std::filesystem::path directory; // the folder the dialog was showing (absolute)
    std::string type = "acc";        // the form chosen: "acc", "txt", "csv", "xls" or "LWK"
};

// A Save of a book that has its own path writes there without asking; every
// other save asks for a name.
bool saveShowsDialog(SaveCommand command, const std::string& bookFilePath);

struct SavePlan {
    bool cancelled = false;         // no name given: nothing at all happens
    bool writes = false;            // false also for a form no writer handles
    std::string type;               // the form written (SaveExtension)
    std::filesystem::path target;   // the file written: absolute, its extension the form's
    std::filesystem::path baseName; // target without its extension (the chart export's companions)
    // Only a successful write of the book file itself (.acc) makes it the
    // book's own file and clears the changed mark; the other forms are exports.
    bool setsBookFilePath = false;
    bool clearsChangedFlag = false;
    // The book file and the chart export remember the folder they were saved in.
    bool setsBookDirectory = false;
    std::string bookDirectory; // with a closing "/"
};

// `answer` is the dialog's answer when saveShowsDialog said to ask (nullopt or
// an empty name when it was cancelled); it is ignored otherwise.
SavePlan planSave(SaveCommand command, const std::string& bookFilePath,
                  const std::optional<SaveDialogAnswer>& answer);

// After the writer ran: CurrentFilePath names the file written; on success the
// plan's changes to BookFilePath, BookDirectory and BookChanged are made; on
// failure they all stay as they were.
void finishSave(RunTimeState& run, const SavePlan& plan, bool written);

// The files a save or export of `type` into `target` writes over or removes:
// the chart export's whole set of companions, else the target alone.
std::vector<std::string> filesWrittenBy(const std::filesystem::path& target,
                                        const std::string& type);

// A folder as the book remembers it: absolute, with a closing "/".
std::string folderWithSlash(const std::filesystem::path& folder);
