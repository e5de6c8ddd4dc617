// What an amount box (the entry line's, the entry-group editor's) accepts, judged on the whole text
// after every change, typed or pasted: digits and the locale's two marks forming an amount within
// the currency's range. A text that can still become an amount stays in the box; one that never can
// ("-50", "(50)", letters, five decimals, too large) is refused and the box keeps what it held. The
// box's own text for the amount its line holds is accepted as it stands, "-50" among them.
#pragma once

#include "book/number_format.h"
#include "toolkit/key_codes.h"

#include <QValidator>

class QLineEdit;

#include <functional>
#include <string>

class AmountValidator : public QValidator {
  public:
    // `held`: the amount the box's line holds (checkAmountText).
    AmountValidator(std::function<NumberMarks()> marks, std::function<Currency()> held,
                    QObject* parent);

    // Told why a text was refused (the status line's text).
    std::function<void(const std::string& problem)> refused;

    State validate(QString& input, int& pos) const override;

  private:
    std::function<NumberMarks()> marks_;
    std::function<Currency()> held_;
};

// The text `box` would hold once `typed` is typed at its cursor, over its
// selection: what an amount box's key filter judges.
QString textAfterTyping(const QLineEdit* box, const QString& typed);

// A key pressed in a box that takes an amount, a rate or a figure, judged by
// amountKey and, given the box, by the text it would then hold
// (typedFigureProblem): the key's character becomes what it types there (0
// when the box refuses it), and a refused key is told through `tell` at once.
// A box that takes figures below zero (`minus`) takes "-" as it does a mark.
void amountKeyPress(KeyPressArgs& k, const NumberMarks& marks,
                    const std::function<void(const std::string&)>& tell,
                    const QLineEdit* box = nullptr, bool minus = false);
// The same for a box an account number is typed into (numberKey).
void numberKeyPress(KeyPressArgs& k, const std::string& decimalMark,
                    const std::function<void(const std::string&)>& tell);
