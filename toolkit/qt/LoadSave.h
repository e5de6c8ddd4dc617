// The program's own modal file dialog for opening, saving, inserting and
// exporting: a name box, the files of the shown folder that match the chosen
// type, the folders, the drives (the root and the mounted volumes) and the
// types offered. It hands back an absolute path in CurrentFilePath ("" when
// cancelled) and the chosen type in SaveExtension, and never changes the
// program's current directory.
//
// Caller protocol: SaveExtension = the first type; setPatterns(); the name
// box text, the caption and Command1[1]'s caption; exec(); then read
// CurrentFilePath and SaveExtension. New code calls ask().
#pragma once

#include <QDialog>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct RunTimeState;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class LoadSave : public QDialog {
    Q_OBJECT
  public:
    explicit LoadSave(RunTimeState& run, QWidget* parent = nullptr);

    // The types offered, as patterns ("*.acc", "*.xls", ...): the list is
    // refilled, the first is shown and filters the file list. No caption changes.
    void setPatterns(const std::vector<std::string>& patterns);
    // The file list's pattern alone.
    void setFilePattern(const std::string& pattern);
    std::string filePattern() const { return pattern_; }
    // The folder shown (made absolute); a folder that cannot be read is refused.
    bool setFolder(const std::filesystem::path& folder);
    const std::filesystem::path& folder() const { return folder_; }
    void setFileName(const std::string& name);
    std::string fileName() const;

    struct Request {
        std::string caption;               // window caption
        std::string acceptCaption;         // Command1[1]'s caption
        std::vector<std::string> patterns; // the first is the default type
        std::string startName;             // the name box's text
        std::filesystem::path folder;      // "" keeps the folder last shown
        // Saving: a name whose files are there already is taken only once
        // the user agrees to replace them.
        bool asksBeforeReplacing = false;
    };
    // A request to save or export into a file the user names.
    static Request saveRequest(const std::vector<std::string>& patterns);
    struct Choice {
        std::filesystem::path path; // absolute, as the name box held it
        std::string type;           // the type chosen, e.g. "xls"
        // The path with its extension replaced by the type, as the callers use it.
        std::filesystem::path pathWithType() const;
    };
    // Fills the dialog, shows it modally (owned by `owner` when given) and
    // returns the choice, or nullopt when cancelled.
    std::optional<Choice> ask(const Request& request, QWidget* owner = nullptr);

    // Controls, by the names the callers know.
    QLineEdit* txtSearchSpec;
    QListWidget* filList;
    QListWidget* dirList;
    QComboBox* drvList;
    QComboBox* Combo1;
    std::array<QLabel*, 4> Label1;
    std::array<QPushButton*, 3> Command1; // [1] accept, [2] Cancel; [0] unused

    // What the buttons and lists do, also for tests.
    void acceptClicked();
    void cancelClicked();
    void typeChosen(int index);
    void fileClicked(const std::string& name);
    void fileDoubleClicked(const std::string& name);
    void folderChosen(const std::filesystem::path& folder);
    void driveChosen(const std::string& drive);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Cancel, Escape and the close box: CurrentFilePath = ""
    void resizeEvent(QResizeEvent* event) override;

  private:
    // An item of the file list (chosen as by the accept button) or of the
    // folder list (shown) taken by a double click or Enter.
    void listItemTaken(const QListWidget* list, const QListWidgetItem* item);
    void load();
    void refreshLists();
    void refreshDrives();

    RunTimeState& run_;
    std::filesystem::path folder_;
    std::string pattern_ = "*.acc";
    std::vector<std::string> volumes_;
    bool loaded_ = false;
    bool asksBeforeReplacing_ = false;
};
