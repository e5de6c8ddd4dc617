// The program's own date control: a text box for the date over a face that
// opens the month panel. The panel lies over the host window's other controls
// until the face is clicked again, a day is picked, or WLoss closes it.
// Picking a day sets DateChangedFlag to 1, writes the date in the book's date
// style and raises Click once.
#pragma once

#include "toolkit/date_picker_logic.h"
#include "toolkit/key_codes.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

class QLineEdit;
struct RunTimeState;
class CalanderPanel;

class CalanderForm : public QWidget {
    Q_OBJECT

  public:
    explicit CalanderForm(QWidget* parent = nullptr);
    ~CalanderForm() override;

    // --- properties ---
    std::string Text() const;
    // Puts the text into the text box; a new text raises Change.
    void setText(const std::string& text);
    void setText(const QString& text);
    void setText(const char* text) { setText(std::string(text)); }
    // Puts the text the host wrote for `day`: the panel opens on that day
    // while the text stands.
    void setDayText(const std::string& text, double day);
    // The chosen date; a day past the month's end is taken as its last day.
    double TheDate();
    // Chooses a date in the panel; the text box is left as it is.
    void setTheDate(double date);
    std::string FontName() const { return fontName_; }
    void setFontName(const std::string& name);
    void setFontName(const QString& name) { setFontName(name.toStdString()); }
    void setFontName(const char* name) { setFontName(std::string(name)); }
    double FontSize() const { return fontSize_; }
    void setFontSize(double points);
    bool FontBold() const { return fontBold_; }
    void setFontBold(bool on);
    bool FontItalic() const { return fontItalic_; }
    void setFontItalic(bool on);
    std::int16_t FontCharset() const { return fontCharset_; }
    void setFontCharset(std::int16_t charset) { fontCharset_ = charset; }
    // Colours of the text box: 0x00BBGGRR or a system colour.
    std::uint32_t ForeColor() const { return logic_.foreColor(); }
    void setForeColor(std::uint32_t colour);
    std::uint32_t BackColor() const { return backColor_; }
    void setBackColor(std::uint32_t colour);
    std::string DateToolTipText() const { return dateToolTip_; }
    void setDateToolTipText(const std::string& text);
    void setDateToolTipText(const QString& text) { setDateToolTipText(text.toStdString()); }
    void setDateToolTipText(const char* text) { setDateToolTipText(std::string(text)); }
    bool Enabled() const { return isEnabled(); }

    // Closes the panel without raising Click.
    void WLoss();
    void Refresh();

    // --- what the control needs of its host ---
    // Where DateChangedFlag is set when a day is picked.
    void setRunTimeState(RunTimeState* run) { logic_.runTime = run; }
    // The book's date style, fixed or asked for at each use.
    void setDateStyle(int style);
    void setDateStyleSource(std::function<int()> source);

    // --- for the host's layout and for tests ---
    bool isOpen() const { return logic_.isOpen(); }
    QWidget* panel() const;
    QLineEdit* textBox() const { return dateX_; }
    const DatePickerLogic& logic() const { return logic_; }
    // Wide enough for the widest date of the date style in the box's font:
    // the design width, or more where that date needs it. The same width is
    // the control's minimum, so no host can cut a date short; it follows the
    // font and the date style (checked again whenever a date is written).
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void Change();
    void Click();
    void DblClick();
    // Key events of the text box; a handler that sets the code to 0 keeps the
    // key from the text box, and a changed character is typed instead.
    void KeyDown(KeyArgs& args);
    void KeyPress(KeyPressArgs& args);
    void KeyUp(KeyArgs& args);
    // The focus came into the control, or left it and its panel.
    void GotFocus();
    void LostFocus();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class CalanderPanel;

    void showPanel(bool open);
    int widestDateWidth() const;
    void fitDates();
    void placePanel();
    void applyTextLook();
    void syncPanel();
    bool owns(QWidget* w) const;
    void focusChanged(QWidget* old, QWidget* now);
    bool keyEvent(QKeyEvent* event);
    // The keypad's decimal key types the date style's separator: a date is
    // typed on the keypad alone, whatever mark the layout gives that key.
    static bool keypadDecimal(const QKeyEvent* event);
    int separatorKey() const;

    DatePickerLogic logic_;
    QLineEdit* dateX_ = nullptr;
    QPointer<CalanderPanel> panel_;
    std::string fontName_ = "Courier New";
    double fontSize_ = 10;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    std::int16_t fontCharset_ = 0;
    std::uint32_t backColor_ = 0x80000005;
    std::string dateToolTip_;
    bool forwarding_ = false;
    bool hasFocusInside_ = false;
    QMetaObject::Connection focusWatch_; // the application's focus changes
    QSize closedSize_;
};
