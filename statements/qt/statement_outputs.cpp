#include "statements/qt/statement_outputs.h"

#include "book/runtime_state.h"
#include "platform/services.h"
#include "toolkit/qt/LoadSave.h"

#include <QWidget>

void putOnClipboard(const std::string& text, const std::string& rtf) {
    if (rtf.empty())
        services().clipboard->setText(text);
    else
        services().clipboard->setTextAndRtf(text, rtf);
}

bool exportThroughDialog(
    QWidget* owner, RunTimeState& run, const std::vector<std::string>& patterns,
    const std::function<ExportResult(const std::filesystem::path&, const std::string&)>& write) {
    LoadSave dialog(run, owner);
    const auto choice = dialog.ask(LoadSave::saveRequest(patterns), owner);
    if (!choice) return false;
    const std::filesystem::path path = choice->pathWithType();
    run.CurrentFilePath = path.string();
    run.SaveExtension = choice->type;
    const ExportResult result = write(path, choice->type);
    if (!result.ok) {
        showMessage(result.message);
        return false;
    }
    if (!result.notice.empty()) showMessage(result.notice);
    return true;
}
