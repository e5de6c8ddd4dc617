// bookbench step: the book file opened and saved as the main window does it
// (the file commands: the stamp of the file read, the check that nobody
// changed it before it is written over, the stamp of the file written), on a
// copy of the book in the output folder; and the digest of the file alone.
#include "bench/bookbench.h"

#include "book/file_stamp.h"
#include "mainwindow/file_commands.h"

#include <cstdio>
#include <iostream>

namespace {

// No one at the window: nothing is chosen or typed.
class NoOneThere : public FileCommandHost {
  public:
    std::optional<FileChoice> chooseFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> askPassword(PasswordKind) override { return {}; }
};

void windowFile(BenchContext& ctx) {
    const auto copy = ctx.outDir / "window.acc";
    std::error_code failed;
    std::filesystem::copy_file(ctx.source, copy, std::filesystem::copy_options::overwrite_existing,
                               failed);
    if (!reportStep(!failed, failed.message())) return;

    Book book;
    RunTimeState run;
    NoOneThere host;
    FileCommands commands(book, run, host);
    CommandOutcome opened = CommandOutcome::Failed;
    timeIt("open (.acc, as the window does)",
           [&] { opened = commands.openFromCommandLine(copy.string()); });
    if (!reportStep(opened == CommandOutcome::Done, "")) return;

    run.BookChanged = true;
    CommandOutcome saved = CommandOutcome::Failed;
    timeIt("save (.acc, as the window does)", [&] { saved = commands.SaveFile_Click(0); });
    if (!reportStep(saved == CommandOutcome::Done, "")) return;

    std::optional<FileStamp> stamp;
    const double seconds = timeIt("digest of the book file", [&] { stamp = fileStampOf(copy); });
    if (!reportStep(stamp && stamp->digest, "the file could not be read")) return;
    std::printf("  %.0f MB/s\n", static_cast<double>(stamp->size) / seconds / 1e6);
}

} // namespace

LW_BOOKBENCH_STEP("05-window-book-file", windowFile);
