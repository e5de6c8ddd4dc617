// The settings window, covering the business name and address, both passwords
// (file and administrator), automatic references, the font with its character
// set, the date style, and the five decimal-places choices. Changes apply at
// once rather than on an Apply button: every control stores its value in the
// book as soon as it is changed (marking the book changed), so OK merely closes
// the window. Showing the window rebuilds every list from the book and writes
// nothing: a font this machine lacks is substituted for display only, the
// stored name and character set stay.
#pragma once

#ifndef Q_MOC_RUN
#include "mainwindow/settings_logic.h"
#endif

#include <QWidget>

#include <array>
#include <string>

struct Book;
struct RunTimeState;
class HC;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class LWMainsettings : public QWidget {
    Q_OBJECT
  public:
    // `help` is the help-mode window (may be null); `parent` the main window,
    // which owns this modeless window.
    LWMainsettings(Book& book, RunTimeState& run, ::HC* help = nullptr, QWidget* parent = nullptr);
    ~LWMainsettings() override;

    // Shows the name of FontCharset in the character-set box (a number the
    // table lacks leaves the box as it is). Writes nothing.
    void FT();
    // Fills every control from the book again; writes nothing.
    void reload();

    // The screen fonts the font box lists: those that can be set to 9 points
    // and are not symbol fonts, in alphabetical order.
    static QStringList screenFonts();
    // The character sets the font offers under its own face (in table
    // order), probed on the face this machine uses for that name.
    static QStringList charsetsOffered(const QString& fontName);

    // Controls, by the names the program knows them by.
    QLineEdit* Bname;
    QPlainTextEdit* BusAddress;
    QLineEdit* EnterPassWord;
    QLineEdit* AdminPass;
    QCheckBox* Aincress;
    QComboBox* Combo2; // font name
    QComboBox* Combo1; // character set
    QComboBox* DateStyle;
    std::array<std::array<QRadioButton*, 4>, DecimalsGroupCount> DecimalPlacing{};
    QPushButton* OKu;
    QGroupBox* CnameBusiness;
    QGroupBox* Frame7;
    QGroupBox* Dec;
    QGroupBox* Frame3;
    QGroupBox* Frame2;
    QGroupBox* Frame4;
    QGroupBox* Frame1;
    std::array<QGroupBox*, DecimalsGroupCount> Frame5{};
    QMenuBar* menuBar;
    QMenu* HelpSelect;
    QAction* HelpContents;

  signals:
    // The user chose a font or a character set: the main window applies
    // them to its entry line.
    void fontChanged(const QString& fontName, int fontCharset);
    // The user chose another date style: the main window shows its date in it.
    void dateStyleChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void build();
    void setCaptions();
    void fontChosen(const QString& name);
    void charsetChosen(const QString& name);
    void fillCharsets(const QString& fontName);
    void applyDisplayFont();
    bool showControlHelp(QObject* watched);

    Book& book_;
    RunTimeState& run_;
    SettingsEditor editor_;
    ::HC* help_;
    int helpListener_ = 0;
    bool loading_ = false;
};
