#include "toolkit/qt/LoadSave.h"

#include "book/runtime_state.h"
#include "book/save_paths.h"
#include "platform/services.h"
#include "resources/string_table.h"
#include "toolkit/file_dialog_logic.h"
#include "toolkit/qt/BandedBackdrop.h"
#include "toolkit/qt/qt_keys.h"
#include "toolkit/replace_question.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cmath>
#include <system_error>

namespace fs = std::filesystem;

namespace {

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int PathRole = Qt::UserRole + 1;

const char* ForbiddenNameMessage =
    "A file name cannot hold any of these characters:  \" * / : < > ? \\ |";

} // namespace

LoadSave::LoadSave(RunTimeState& run, QWidget* parent) : QDialog(parent), run_(run) {
    setModal(true);
    setFixedSize(px(7560), px(3495));
    std::error_code ec;
    folder_ = fs::current_path(ec);
    if (ec) folder_ = "/";

    for (auto& label : Label1) {
        label = new QLabel(this);
        label->installEventFilter(this);
    }
    Label1[2]->setGeometry(px(135), px(90), px(3000), px(225));
    Label1[3]->setGeometry(px(4005), px(90), px(3000), px(225));
    Label1[0]->setGeometry(px(120), px(2820), px(2055), px(225));
    Label1[1]->setGeometry(px(2280), px(2820), px(1740), px(225));

    txtSearchSpec = new QLineEdit(this);
    txtSearchSpec->setGeometry(px(120), px(315), px(3510), px(315));
    txtSearchSpec->setMaxLength(256);
    txtSearchSpec->installEventFilter(this);

    filList = new QListWidget(this);
    filList->setGeometry(px(120), px(675), px(3795), px(2055));

    dirList = new QListWidget(this);
    dirList->setGeometry(px(4005), px(360), px(3465), px(2385));

    Combo1 = new QComboBox(this);
    Combo1->setGeometry(px(135), px(3060), px(2055), px(315));

    drvList = new QComboBox(this);
    drvList->setGeometry(px(2280), px(3060), px(1740), px(315));

    Command1[0] = nullptr;
    Command1[2] = new QPushButton(this);
    Command1[2]->setGeometry(px(4725), px(3015), px(1335), px(375));
    Command1[1] = new QPushButton(this);
    Command1[1]->setGeometry(px(6135), px(3015), px(1335), px(375));
    for (int i = 1; i <= 2; ++i) {
        Command1[static_cast<std::size_t>(i)]->setAutoDefault(true);
        Command1[static_cast<std::size_t>(i)]->setDefault(false);
    }

    connect(Command1[1], &QPushButton::clicked, this, &LoadSave::acceptClicked);
    connect(Command1[2], &QPushButton::clicked, this, &LoadSave::cancelClicked);
    connect(Combo1, qOverload<int>(&QComboBox::activated), this, &LoadSave::typeChosen);
    connect(drvList, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { driveChosen(drvList->itemText(i).toStdString()); });
    connect(filList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { fileClicked(item->text().toStdString()); });
    for (QListWidget* list : {filList, dirList}) {
        connect(list, &QListWidget::itemActivated, this,
                [this, list](QListWidgetItem* item) { listItemTaken(list, item); });
        list->installEventFilter(this);
    }
    load();
}

void LoadSave::load() {
    applyBandedBackdrop(this, run_.GradientColors, true);
    Label1[0]->setText(q(strings::text(192)));
    Label1[1]->setText(q(strings::text(193)));
    Label1[2]->setText(q(strings::text(190)));
    Label1[3]->setText(q(strings::text(191)));
    Command1[2]->setText(q(strings::text(194)));
    loaded_ = true;
}

void LoadSave::resizeEvent(QResizeEvent* event) {
    applyBandedBackdrop(this, run_.GradientColors, true);
    QDialog::resizeEvent(event);
}

void LoadSave::setPatterns(const std::vector<std::string>& patterns) {
    Combo1->clear();
    for (const auto& p : patterns)
        Combo1->addItem(q(p));
    if (!patterns.empty()) {
        Combo1->setCurrentIndex(0);
        setFilePattern(patterns.front());
    }
}

void LoadSave::setFilePattern(const std::string& pattern) {
    pattern_ = pattern;
    refreshLists();
}

bool LoadSave::setFolder(const fs::path& folder) {
    std::error_code ec;
    fs::path full = fs::absolute(folder, ec).lexically_normal();
    if (ec || !listFolder(full, pattern_).readable) return false;
    if (full.has_relative_path() && full.filename().empty()) full = full.parent_path();
    folder_ = full;
    refreshLists();
    return true;
}

void LoadSave::setFileName(const std::string& name) {
    txtSearchSpec->setText(q(name));
}
std::string LoadSave::fileName() const {
    return txtSearchSpec->text().toStdString();
}

void LoadSave::refreshDrives() {
    volumes_ = mountedVolumes();
    drvList->clear();
    for (const auto& v : volumes_)
        drvList->addItem(q(v));
    drvList->setCurrentText(q(volumeOf(folder_, volumes_)));
}

void LoadSave::refreshLists() {
    FolderContents contents = listFolder(folder_, pattern_);
    filList->clear();
    for (const auto& f : contents.files)
        filList->addItem(q(f));

    dirList->clear();
    auto chain = folderChain(folder_);
    int depth = 0;
    for (const auto& f : chain) {
        QString name = f == f.root_path() ? q(f.string()) : q(f.filename().string());
        auto* item = new QListWidgetItem(QString(depth * 2, ' ') + name, dirList);
        item->setData(PathRole, q(f.string()));
        ++depth;
    }
    if (dirList->count() > 0) dirList->setCurrentRow(dirList->count() - 1);
    for (const auto& sub : contents.subfolders) {
        auto* item = new QListWidgetItem(QString(depth * 2, ' ') + q(sub), dirList);
        item->setData(PathRole, q((folder_ / sub).string()));
    }
    if (!volumes_.empty()) drvList->setCurrentText(q(volumeOf(folder_, volumes_)));
}

void LoadSave::showEvent(QShowEvent* event) {
    if (!loaded_) load();
    // A folder removed since the last showing: the nearest one that remains.
    std::error_code ec;
    while (!fs::is_directory(folder_, ec) && folder_.has_relative_path())
        folder_ = folder_.parent_path();
    refreshDrives();
    refreshLists();
    txtSearchSpec->setFocus();
    QDialog::showEvent(event);
}

void LoadSave::closeEvent(QCloseEvent* event) {
    // The close box cancels and unloads: the next showing loads the captions again.
    run_.CurrentFilePath.clear();
    loaded_ = false;
    QDialog::closeEvent(event);
}

void LoadSave::acceptClicked() {
    std::string text = txtSearchSpec->text().toStdString();
    if (text.empty()) return;
    if (nameHasForbiddenCharacters(text)) {
        showMessage(ForbiddenNameMessage);
        txtSearchSpec->setFocus();
        return;
    }
    std::vector<std::string> patterns;
    for (int i = 0; i < Combo1->count(); ++i)
        patterns.push_back(Combo1->itemText(i).toStdString());
    const TypedFile typed = readTypedName(folder_, text, patterns, asksBeforeReplacing_);
    if (typed.folder) { // a folder typed: the dialog shows it
        if (setFolder(typed.path)) setFileName("");
        return;
    }
    if (!typed.refusal.empty()) {
        showMessage(typed.refusal);
        txtSearchSpec->setFocus();
        return;
    }
    if (typed.typeIndex >= 0 && typed.typeIndex != Combo1->currentIndex())
        typeChosen(typed.typeIndex);
    fs::path chosen = typed.path;
    if (!typed.unoffered.empty()) { // the name keeps what was typed; the type's own goes after
        chosen += "." + run_.SaveExtension;
        if (showMessage(typed.unoffered + "\n\nSave it as \"" + chosen.filename().string() + "\"?",
                        windowTitle().toStdString(), MessageButtons::YesNo,
                        MessageIcon::Question) != MessageAnswer::Yes) {
            txtSearchSpec->setFocus();
            return;
        }
    }
    if (asksBeforeReplacing_) {
        const std::string target = nameWithType(chosen.string(), run_.SaveExtension);
        if (!replaceAgreed(existingFiles(filesWrittenBy(target, run_.SaveExtension)),
                           windowTitle().toStdString())) {
            txtSearchSpec->setFocus();
            return;
        }
    }
    run_.CurrentFilePath = chosen.string();
    accept();
}

void LoadSave::cancelClicked() {
    reject();
}

void LoadSave::reject() {
    run_.CurrentFilePath.clear();
    QDialog::reject();
}

void LoadSave::typeChosen(int index) {
    if (index < 0 || index >= Combo1->count()) return;
    Combo1->setCurrentIndex(index);
    std::string pattern = Combo1->itemText(index).toStdString();
    setFilePattern(pattern);
    std::string type = typeOfPattern(pattern);
    run_.SaveExtension = type;
    run_.EnteredPassword.clear();
    if (auto caption = captionForType(type)) setWindowTitle(q(*caption));
    setFileName(nameWithType(fileName(), type));
    txtSearchSpec->setFocus();
}

void LoadSave::fileClicked(const std::string& name) {
    drvList->setCurrentText(q(volumeOf(folder_, volumes_)));
    setFileName(name);
}

void LoadSave::fileDoubleClicked(const std::string& name) {
    setFileName(name);
    acceptClicked();
}

void LoadSave::listItemTaken(const QListWidget* list, const QListWidgetItem* item) {
    if (!item) return;
    if (list == filList)
        fileDoubleClicked(item->text().toStdString());
    else
        folderChosen(fs::path(item->data(PathRole).toString().toStdString()));
}

void LoadSave::folderChosen(const fs::path& folder) {
    if (!setFolder(folder)) refreshLists();
}

void LoadSave::driveChosen(const std::string& drive) {
    // A drive that cannot be read: back to the drive of the folder shown, no message.
    if (!setFolder(drive)) drvList->setCurrentText(q(volumeOf(folder_, volumes_)));
}

bool LoadSave::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtSearchSpec && event->type() == QEvent::KeyPress) {
        const int typed = qt_keys::keyAscii(static_cast<QKeyEvent*>(event));
        if (typed == keys::Enter) {
            Command1[1]->setFocus();
            return true;
        }
        // "/" passes: a name may go into a folder.
        if (typed > 0 && typed < 128 && typed != '/' && isForbiddenNameCharacter(char(typed)))
            return true;
    }
    // Enter in a list takes its item there, and goes no further: not to the
    // dialog's default button, Cancel.
    auto* list = qobject_cast<QListWidget*>(watched);
    if (list && event->type() == QEvent::KeyPress &&
        qt_keys::keyAscii(static_cast<QKeyEvent*>(event)) == keys::Enter) {
        listItemTaken(list, list->currentItem());
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        for (auto* label : Label1) {
            if (watched == label) {
                Combo1->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::filesystem::path LoadSave::Choice::pathWithType() const {
    return fs::path(nameWithType(path.string(), type));
}

LoadSave::Request LoadSave::saveRequest(const std::vector<std::string>& patterns) {
    Request request;
    request.caption = strings::text(166);
    request.acceptCaption = strings::text(165);
    request.patterns = patterns;
    request.asksBeforeReplacing = true;
    return request;
}

std::optional<LoadSave::Choice> LoadSave::ask(const Request& request, QWidget* owner) {
    if (owner && owner != parentWidget()) setParent(owner, windowFlags());
    if (!request.patterns.empty()) run_.SaveExtension = typeOfPattern(request.patterns.front());
    if (!request.folder.empty()) setFolder(request.folder);
    setPatterns(request.patterns);
    setFileName(request.startName);
    setWindowTitle(q(request.caption));
    Command1[1]->setText(q(request.acceptCaption));
    asksBeforeReplacing_ = request.asksBeforeReplacing;
    run_.CurrentFilePath.clear();
    exec();
    asksBeforeReplacing_ = false;
    if (run_.CurrentFilePath.empty()) return std::nullopt;
    return Choice{fs::path(run_.CurrentFilePath), run_.SaveExtension};
}
