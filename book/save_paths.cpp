#include "book/save_paths.h"

#include "book/book_file.h"
#include "book/chart_export.h"

#include "book/tmain.h"

namespace {

bool isKnownType(const std::string& type) {
    return type == "acc" || type == "txt" || type == "csv" || type == "xls" || type == "LWK";
}

std::filesystem::path withoutExtension(const std::filesystem::path& path) {
    return path.parent_path() / Tmain::StripExtension(path.filename().string());
}

} // namespace

std::string folderWithSlash(const std::filesystem::path& folder) {
    std::string s = std::filesystem::absolute(folder).lexically_normal().string();
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}

bool saveShowsDialog(SaveCommand command, const std::string& bookFilePath) {
    return bookFilePath.empty() || command == SaveCommand::SaveAs;
}

SavePlan planSave(SaveCommand command, const std::string& bookFilePath,
                  const std::optional<SaveDialogAnswer>& answer) {
    SavePlan plan;
    if (!saveShowsDialog(command, bookFilePath)) {
        // A plain Save writes the book file where it already is.
        plan.writes = true;
        plan.type = "acc";
        plan.target = std::filesystem::absolute(bookFilePath).lexically_normal();
        plan.baseName = withoutExtension(plan.target);
        plan.setsBookFilePath = true;
        plan.clearsChangedFlag = true;
        return plan;
    }
    if (!answer || answer->fileName.empty()) {
        plan.cancelled = true;
        return plan;
    }
    plan.type = answer->type;
    plan.writes = isKnownType(plan.type);
    // The chosen form replaces whatever extension was typed.
    std::filesystem::path typed(answer->fileName);
    std::filesystem::path named =
        typed.parent_path() / (Tmain::StripExtension(typed.filename().string()) + "." + plan.type);
    std::filesystem::path folder = std::filesystem::absolute(answer->directory);
    plan.target = (named.is_absolute() ? named : folder / named).lexically_normal();
    plan.baseName = withoutExtension(plan.target);
    if (plan.type == "acc") {
        plan.setsBookFilePath = true;
        plan.clearsChangedFlag = true;
    }
    if (plan.type == "acc" || plan.type == "LWK") {
        plan.setsBookDirectory = true;
        plan.bookDirectory = folderWithSlash(plan.target.parent_path());
    }
    return plan;
}

void finishSave(RunTimeState& run, const SavePlan& plan, bool written) {
    if (plan.cancelled || !plan.writes) return;
    run.CurrentFilePath = plan.target.string();
    run.SaveExtension = plan.type;
    if (!written) return;
    if (plan.setsBookFilePath) run.BookFilePath = plan.target.string();
    if (plan.type == "acc") run.BookFileVersion = writtenBookFileVersion();
    if (plan.setsBookDirectory) run.BookDirectory = plan.bookDirectory;
    if (plan.clearsChangedFlag) run.BookChanged = false;
}

std::vector<std::string> filesWrittenBy(const std::filesystem::path& target,
                                        const std::string& type) {
    if (type != "LWK") return {target.string()};
    const ChartExportFiles files = chartExportFiles(target);
    std::vector<std::string> written{files.chart.string(), files.journal.string()};
    for (const auto& group : files.groups)
        written.push_back(group.string());
    return written;
}
