#include "toolkit/qt/amount_validator.h"

#include "book/typed_input.h"

#include <QLineEdit>

AmountValidator::AmountValidator(std::function<NumberMarks()> marks, std::function<Currency()> held,
                                 QObject* parent)
    : QValidator(parent), marks_(std::move(marks)), held_(std::move(held)) {}

QValidator::State AmountValidator::validate(QString& input, int&) const {
    const AmountCheck check = checkAmountText(input.toStdString(), marks_(), held_());
    if (check.isAmount()) return Acceptable;
    if (check.kind == AmountTextKind::Incomplete) return Intermediate;
    if (refused) refused(check.problem);
    return Invalid;
}

QString textAfterTyping(const QLineEdit* box, const QString& typed) {
    QString text = box->text();
    if (box->hasSelectedText())
        return text.replace(box->selectionStart(), box->selectionLength(), typed);
    return text.insert(box->cursorPosition(), typed);
}

namespace {

void keyJudged(KeyPressArgs& k, const FigureKey& key,
               const std::function<void(const std::string&)>& tell) {
    k.KeyAscii = static_cast<int>(key.typed);
    if (!key.problem.empty() && tell) tell(key.problem);
}

} // namespace

void amountKeyPress(KeyPressArgs& k, const NumberMarks& marks,
                    const std::function<void(const std::string&)>& tell, const QLineEdit* box,
                    bool minus) {
    const char32_t typed = static_cast<char32_t>(k.KeyAscii);
    FigureKey key = minus && typed == U'-' ? FigureKey{typed, ""} : amountKey(typed, marks);
    if (box && key.typed >= 32) {
        key.problem = typedFigureProblem(
            textAfterTyping(box, QString::fromUcs4(&key.typed, 1)).toStdString(), marks);
        if (!key.problem.empty()) key.typed = 0;
    }
    keyJudged(k, key, tell);
}

void numberKeyPress(KeyPressArgs& k, const std::string& decimalMark,
                    const std::function<void(const std::string&)>& tell) {
    keyJudged(k, numberKey(static_cast<char32_t>(k.KeyAscii), decimalMark), tell);
}
