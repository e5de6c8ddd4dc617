// Editing in the main window: every field of the entry line hands what it
// holds to the editing core, every entry command runs there, and apply()
// shows what the core left to show. The window adds only what belongs to its
// controls: help mode, the keys swallowed, the panel scrolled after an added
// line and the focus.
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/event_watch.h"

#include "book/typed_input.h"
#include "mainwindow/qt/qt_text.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/amount_validator.h"
#include "toolkit/qt/box_text.h"
#include "toolkit/qt/field_events.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

EntryKey entryKey(int keyCode) {
    switch (keyCode) {
    case keys::Up:
        return EntryKey::Up;
    case keys::Down:
        return EntryKey::Down;
    case keys::PageUp:
        return EntryKey::PageUp;
    case keys::PageDown:
        return EntryKey::PageDown;
    default:
        return EntryKey::Other;
    }
}

} // namespace

// ---------------------------------------------------------------- the fields

bool TAcount::windowShortcut(const QKeyEvent& key) const {
    const QKeySequence typed(key.keyCombination());
    for (const auto& [command, a] : actions_)
        if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == typed) return true;
    return false;
}

void TAcount::showFieldHelp(EntryField field) {
    const HelpText h = entryFieldHelp(field);
    showHelp(h.title, h.text);
}

void TAcount::openSearch(int mode) {
    const Command c = mode == 1 ? Command::SearchNumbers : Command::SearchNotes;
    if (helpMode().isOn() || !commandEnabled(c)) return; // until the search window exists
    runCommand(c);
}

std::function<void()> TAcount::helpOnFocus(EntryField field) {
    return [this, field] {
        if (helpMode().isOn()) showFieldHelp(field);
    };
}

// Keys common to all entry fields (KeyMove): the handler consumes the arrow
// and page keys.
void TAcount::keyMove(KeyArgs& k) {
    const EntryKey key = entryKey(k.KeyCode);
    if (key == EntryKey::Other || quiet()) return;
    commitFocusedField(); // a number typed is left as the keys move on
    if (apply(editor_.keyMove(key))) k.KeyCode = 0;
}

void TAcount::wireEntryLine() {
    const auto shortcuts = [this](const QKeyEvent& k) { return windowShortcut(k); };
    const auto keyMove = [this](KeyArgs& k) { this->keyMove(k); };

    // The date box: committed on leaving it and when a day is picked.
    connect(Datetext->textBox(), &QLineEdit::textEdited, this, [this] {
        if (!quiet()) typedField_ = Datetext;
    });
    connect(Datetext, &CalanderForm::LostFocus, this, [this] {
        if (quiet()) return;
        typedField_ = nullptr;
        apply(editor_.commitDate(Datetext->Text()));
        Datetext->setForeColor(0);
        Datetext->WLoss();
    });
    connect(Datetext, &CalanderForm::KeyDown, this, [this](KeyArgs& k) {
        const EntryKey key = entryKey(k.KeyCode);
        if ((key != EntryKey::Up && key != EntryKey::Down) || quiet()) return;
        k.KeyCode = 0; // the window must not step a second time
        apply(editor_.dateKey(key, Datetext->Text()));
    });
    connect(Datetext, &CalanderForm::KeyPress, this, [this](KeyPressArgs& k) {
        if (!dateKeyAllowed(static_cast<char32_t>(k.KeyAscii), model_.locale())) k.KeyAscii = 0;
    });
    connect(Datetext, &CalanderForm::Click, this, [this] {
        run_.DateChangedFlag = 0;
        if (helpMode().isOn()) {
            showFieldHelp(EntryField::Date);
            return;
        }
        // A day picked without the box ever having the focus is stored too.
        if (quiet()) return;
        typedField_ = nullptr;
        apply(editor_.commitDate(Datetext->Text()));
    });
    connect(Datetext, &CalanderForm::GotFocus, this, helpOnFocus(EntryField::Date));
    FieldEvents::attach(Datetext->textBox())->windowShortcut = shortcuts;

    // The reference.
    FieldEvents* reference = FieldEvents::attach(JournalID);
    reference->windowShortcut = shortcuts;
    reference->keyDown = keyMove;
    reference->gotFocus = helpOnFocus(EntryField::Reference);
    reference->doubleClick = [this] { openSearch(1); };
    connect(JournalID, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!quiet()) apply(editor_.referenceEdited(text.toStdString()));
    });

    // The note.
    FieldEvents* note = FieldEvents::attach(AccNote);
    note->windowShortcut = shortcuts;
    note->keyDown = keyMove;
    note->gotFocus = helpOnFocus(EntryField::Note);
    note->doubleClick = [this] { openSearch(0); };
    connect(AccNote, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!quiet()) apply(editor_.noteChanged(text.toStdString()));
    });

    for (int row = 0; row < EntryRowsPerSide; ++row) {
        wireRow(EntrySide::Debit, row);
        wireRow(EntrySide::Credit, row);
    }

    // The add-line buttons, their hover shadow and the balancing button.
    for (int i = 1; i <= 2; ++i) {
        FieldEvents* add = FieldEvents::attach(CompoundEntry[i]);
        add->click = [this, i] {
            CompShadow->hide();
            CompoundEntry_Click(i);
        };
        add->mouseMove = [this, i] {
            CompShadow->move(CompoundEntry[i]->pos());
            CompShadow->show();
            CompShadow->raise();
        };
        add->mouseLeave = [this] { CompShadow->hide(); };
    }
    FieldEvents* balance = FieldEvents::attach(CalcCompound);
    balance->click = [this] { CalcCompound_Click(); };
    balance->mouseMove = [this] { CompShadow->hide(); };

    // The reconciled mark: the empty box, and the tick over it.
    for (int i = 0; i < 2; ++i)
        FieldEvents::attach(Reconcile[i])->click = [this, i] { Reconcile_Click(i); };

    connect(ScrollAcc, &TuvoVerticalScroll::GotFocus, this, helpOnFocus(EntryField::EntryScroller));
    connect(EScroll, &TuvoVerticalScroll::GotFocus, this, helpOnFocus(EntryField::PanelScroller));
}

void TAcount::wireRow(EntrySide side, int row) {
    const bool debit = side == EntrySide::Debit;
    const EditedRow at{side, row};
    const auto shortcuts = [this](const QKeyEvent& k) { return windowShortcut(k); };
    const auto keyMove = [this](KeyArgs& k) { this->keyMove(k); };

    // The account chosen by name.
    QComboBox* name = (debit ? DebitAccName : CreditAccName)[row];
    FieldEvents* names = FieldEvents::attach(name);
    names->windowShortcut = shortcuts;
    names->keyDown = [](KeyArgs& k) {
        if (k.KeyCode == keys::Left || k.KeyCode == keys::Right) k.KeyCode = 0;
    };
    names->keyUp = [this, side](KeyArgs&) {
        if (!quiet()) apply(editor_.accountNameKeyReleased(side));
    };
    names->lostFocus = [this, name, at] {
        if (quiet()) return;
        if (typedField_ == name) typedField_ = nullptr;
        apply(editor_.accountNameChosen(at.side, at.row, name->currentText().toStdString()), at);
    };
    // Typed, or completed by the type-ahead, in the box or its open list.
    connect(name, &QComboBox::editTextChanged, this, [this, name] {
        if (!quiet() && (name->hasFocus() || ownListOpen(name))) typedField_ = name;
    });
    names->gotFocus = helpOnFocus(EntryField::AccountName);
    connect(name, &QComboBox::activated, this, [this, name, at](int index) {
        if (quiet() || index < 0) return;
        apply(editor_.accountNameClicked(at.side, at.row, name->itemText(index).toStdString()), at);
    });
    showPicksFromStart(name);

    // The account typed by number.
    QLineEdit* folio = (debit ? DebitFolio : CreditFolio)[row];
    FieldEvents* folios = FieldEvents::attach(folio);
    folios->windowShortcut = shortcuts;
    folios->keyDown = keyMove;
    folios->keyPress = [this](KeyPressArgs& k) {
        numberKeyPress(k, model_.locale().decimalMark, [this](const std::string& problem) {
            setStatus(StatusUpdate{problem, StatusColour::Red});
        });
    };
    folios->lostFocus = [this, folio, at] {
        if (quiet()) return;
        if (typedField_ == folio) typedField_ = nullptr;
        apply(editor_.folioLeft(at.side, at.row, folio->text().toStdString()), at);
    };
    folios->gotFocus = helpOnFocus(EntryField::Folio);
    connect(folio, &QLineEdit::textEdited, this, [this, folio, at](const QString& text) {
        if (quiet()) return;
        typedField_ = folio;
        apply(editor_.folioTyped(at.side, at.row, text.toStdString()), at);
    });

    // The amount: judged whole on every change, typed or pasted.
    QLineEdit* amount = (debit ? DebitAmountText : CreditAmountText)[row];
    auto* validator =
        new AmountValidator([this] { return marksOf(model_.locale()); },
                            [this, at] { return editor_.heldAmount(at.side, at.row); }, amount);
    validator->refused = [this](const std::string& problem) {
        if (!quiet()) setStatus(StatusUpdate{problem, StatusColour::Red});
    };
    amount->setValidator(validator);
    FieldEvents* amounts = FieldEvents::attach(amount);
    amounts->windowShortcut = shortcuts;
    amounts->keyDown = keyMove;
    amounts->keyPress = [this](KeyPressArgs& k) {
        amountKeyPress(k, marksOf(model_.locale()), [this](const std::string& problem) {
            setStatus(StatusUpdate{problem, StatusColour::Red});
        });
    };
    amounts->gotFocus = helpOnFocus(EntryField::Amount);
    amounts->lostFocus = [this, amount, at] {
        if (quiet()) return;
        if (typedField_ == amount) typedField_ = nullptr;
        showLeftBox(amount, editor_.amountLeft(at.side, at.row, amount->text().toStdString()),
                    [this](const std::string& problem) {
                        setStatus(StatusUpdate{problem, StatusColour::Red});
                    });
    };
    amounts->mouseMove = [this] { CompShadow->hide(); };
    connect(amount, &QLineEdit::textEdited, this, [this, amount, at](const QString& text) {
        if (quiet()) return;
        typedField_ = amount;
        apply(editor_.amountChanged(at.side, at.row, text.toStdString()), at);
    });
}

// ---------------------------------------------------------------- showing an outcome

bool TAcount::apply(const EntryOutcome& out, EditedRow edited) {
    Quiet quiet(*this);
    // 1. The entry to show: the scroller's range follows the journal.
    if (out.showLine) showJournalLine(*out.showLine);
    // 2. The shown entry's lines changed in place.
    if (out.rearrange) {
        Rec1();
        DrCrArrange();
    }
    // 3. The boxes' texts.
    if (out.dateText) showDateInBookStyle(); // the outcome's text is the shown entry's date
    if (out.referenceText && JournalID->text() != qs(*out.referenceText)) {
        const int caret = JournalID->cursorPosition();
        JournalID->setText(qs(*out.referenceText));
        JournalID->setCursorPosition(std::min(caret, static_cast<int>(JournalID->text().size())));
    }
    const int editedRow = std::clamp(edited.row, 0, EntryRowsPerSide - 1);
    const bool debitRow = edited.side == EntrySide::Debit;
    if (edited.row >= 0 && out.folioText)
        (debitRow ? DebitFolio : CreditFolio)[editedRow]->setText(qs(*out.folioText));
    if (edited.row >= 0 && out.nameText) {
        setBoxText((debitRow ? DebitAccName : CreditAccName)[editedRow], qs(*out.nameText));
    }
    const int focusRow = std::clamp(out.focusRow, 0, EntryRowsPerSide - 1);
    if (out.amountText && out.focus == FocusTarget::DebitAmount)
        DebitAmountText[focusRow]->setText(qs(*out.amountText));
    if (out.amountText && out.focus == FocusTarget::CreditAmount)
        CreditAmountText[focusRow]->setText(qs(*out.amountText));
    if (out.noteText) AccNote->setText(qs(*out.noteText));
    // 4. The status line.
    if (out.status) setStatus(*out.status);
    // 5. The buttons.
    if (out.balancingButton) CalcCompound->setVisible(*out.balancingButton);
    if (out.showAddLineButtons && compound_.canAddLine()) {
        CompoundEntry[1]->show();
        CompoundEntry[2]->show();
    }
    if (out.hideDebitAddLine) CompoundEntry[1]->hide();
    if (out.hideCreditAddLine) CompoundEntry[2]->hide();
    if (out.reconciledTick) Reconcile[1]->setVisible(*out.reconciledTick);
    // 6. The focus.
    focusOn(out.focus, focusRow);
    // 7. The message, once the boxes show what is kept.
    if (out.message) showMessage(*out.message);
    // 8. The key that caused it.
    return out.swallowKey;
}

void TAcount::focusOn(FocusTarget target, int row) {
    QWidget* to = nullptr;
    switch (target) {
    case FocusTarget::None:
        return;
    case FocusTarget::JournalID:
        to = JournalID;
        break;
    case FocusTarget::DebitAmount:
        to = DebitAmountText[std::clamp(row, 0, EntryRowsPerSide - 1)];
        break;
    case FocusTarget::CreditAmount:
        to = CreditAmountText[std::clamp(row, 0, EntryRowsPerSide - 1)];
        break;
    }
    if (to->isEnabled() && !to->isHidden()) to->setFocus(Qt::OtherFocusReason);
}

void TAcount::scrollPanelAfterAddedLine() {
    const AddedLineScroll a =
        panelAfterAddedLine(toTwips(eBox->height()), RowTop + PanelOffset, PanelOffset);
    if (!a.scroller.visible) {
        EScroll->hide();
        if (PanelOffset != 0) EScroll->setValue(0); // lays the rows out from the top
        return;
    }
    EScroll->setValueMax(a.scroller.valueMax);
    EScroll->show();
    EScroll->raise();
    EScroll->Refresh();
    EScroll->setValue(a.panelOffset); // the rows follow through its Change
}

// Commands, the close box, the entry scroller and the keys that move to
// another entry run without the field being typed in losing the focus first:
// what it holds is taken here, as leaving it would; a number box left so is
// told in a message, as the status line goes with the entry. Only a field
// typed in since its entry was shown is taken, so that a stale text never
// reaches another entry or another book.
void TAcount::commitFocusedField() {
    QWidget* typed = typedField_;
    typedField_ = nullptr;
    if (!typed || quiet()) return;
    // What leaving a box tells goes in a message: the status line goes with the entry.
    const auto toldInMessage = [](EntryOutcome left) {
        if (left.status && left.status->text) left.tell(*left.status->text);
        left.status.reset();
        return left;
    };
    if (typed == Datetext) {
        apply(editor_.commitDate(Datetext->Text()));
        return;
    }
    for (int row = 0; row < EntryRowsPerSide; ++row) {
        for (EntrySide side : {EntrySide::Debit, EntrySide::Credit}) {
            const bool debit = side == EntrySide::Debit;
            QComboBox* name = (debit ? DebitAccName : CreditAccName)[row];
            if (typed == name) {
                apply(toldInMessage(
                          editor_.accountNameChosen(side, row, name->currentText().toStdString())),
                      {side, row});
                return;
            }
            QLineEdit* amount = (debit ? DebitAmountText : CreditAmountText)[row];
            if (typed == amount) {
                showLeftBox(amount, editor_.amountLeft(side, row, amount->text().toStdString()));
                return;
            }
            QLineEdit* folio = (debit ? DebitFolio : CreditFolio)[row];
            if (typed == folio) {
                apply(toldInMessage(editor_.folioLeft(side, row, folio->text().toStdString())),
                      {side, row});
                return;
            }
        }
    }
}

// ---------------------------------------------------------------- entry commands

void TAcount::installEntryCommands() {
    setCommandHandler(Command::NewEntryMenu, [this] { Command1_Click(); });
    setCommandHandler(Command::CopyTheEntry, [this] { CopyTheEntry_Click(); });
    setCommandHandler(Command::PageTheEntry, [this] { PageTheEntry_Click(); });
    setCommandHandler(Command::DeleteEntry, [this] { ArUshore_Click(deleteByShortcut_); });
    // The menu item is its own confirmation; its shortcut skips the menu, so
    // Ctrl+D asks first.
    if (QAction* del = action(Command::DeleteEntry)) {
        // Seen before the shortcut triggers the action, which it stands in for.
        new EventWatch(
            del, QEvent::Shortcut,
            [this] {
                deleteByShortcut_ = true;
                runCommand(Command::DeleteEntry);
                deleteByShortcut_ = false;
            },
            true);
    }
}

void TAcount::Command1_Click() {
    Quiet quiet(*this);
    CalcCompound->hide();
    apply(commands_.newEntry(Datetext->Text()));
}

void TAcount::ArUshore_Click(bool askFirst) {
    Quiet quiet(*this);
    apply(commands_.deleteEntry([this] { return adminGate(); }, askFirst));
}

void TAcount::CopyTheEntry_Click() {
    clipboard_.copyEntry();
}

void TAcount::PageTheEntry_Click() {
    Quiet quiet(*this);
    apply(clipboard_.pasteEntries());
}

void TAcount::Reconcile_Click(int index) {
    if (helpMode().isOn()) {
        const HelpText h = reconcileMarkHelp();
        showHelp(h.title, h.text);
        return;
    }
    apply(commands_.setReconciled(index == 0));
}

void TAcount::CompoundEntry_Click(int index) {
    CalcCompound->hide();
    if (helpMode().isOn()) {
        showFieldHelp(EntryField::AddLine);
        return;
    }
    Quiet quiet(*this);
    EntryOutcome out = compound_.addLine(index == 1 ? EntrySide::Debit : EntrySide::Credit);
    const FocusTarget focus = out.focus;
    out.focus = FocusTarget::None; // once the panel shows the new row
    apply(out);
    if (out.changed) scrollPanelAfterAddedLine();
    focusOn(focus, out.focusRow);
}

void TAcount::CalcCompound_Click() {
    if (helpMode().isOn()) {
        showFieldHelp(EntryField::Balancing);
        return;
    }
    Quiet quiet(*this);
    apply(compound_.balance());
}

void TAcount::iSBalance() {
    apply(commands_.iSBalance());
}
