#include "toolkit/qt/fixed_text_box.h"

#include "book/fixed_text.h"

#include <QLineEdit>
#include <QValidator>

namespace {

// Judges each change of the box's text against the text it held before.
class FixedTextValidator : public QValidator {
  public:
    FixedTextValidator(QLineEdit* box, std::function<std::size_t()> maxBytes)
        : QValidator(box), maxBytes_(std::move(maxBytes)), before_(box->text()) {
        connect(box, &QLineEdit::textChanged, this, [this](const QString& t) { before_ = t; });
    }

    State validate(QString& input, int& pos) const override {
        const std::string after = input.toStdString();
        const FittedText fitted = fitTypedText(before_.toStdString(), after,
                                               input.left(pos).toStdString().size(), maxBytes_());
        if (fitted.text == after) return Acceptable;
        const QString text = QString::fromStdString(fitted.text);
        // Nothing taken: the box stays as it was.
        if (text == before_) return Invalid;
        input = text;
        pos = static_cast<int>(QString::fromStdString(fitted.text.substr(0, fitted.caret)).size());
        return Acceptable;
    }

  private:
    std::function<std::size_t()> maxBytes_;
    QString before_;
};

} // namespace

void holdToBytes(QLineEdit* box, std::function<std::size_t()> maxBytes) {
    box->setMaxLength(32767); // QLineEdit's own default: the validator decides
    box->setValidator(new FixedTextValidator(box, std::move(maxBytes)));
}

void holdToBytes(QLineEdit* box, std::size_t maxBytes) {
    holdToBytes(box, [maxBytes] { return maxBytes; });
}
