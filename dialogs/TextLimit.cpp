#include "dialogs/TextLimit.h"

#include "model/Profile.h"

#include <QLineEdit>
#include <QValidator>

namespace pad {
namespace {

// QLineEdit's own maximum length would cut between the halves of a pair; this cuts
// the text just entered (it ends at the cursor) to fit, at a character boundary.
class LabelLengthValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& text, int& pos) const override {
        const qsizetype excess = text.size() - qsizetype(MaxTextUnits);
        if (excess <= 0)
            return Acceptable;
        qsizetype cut = pos - excess;
        if (cut < 0)
            return Invalid;
        if (cut > 0 && text.at(cut - 1).isHighSurrogate() && text.at(cut).isLowSurrogate())
            --cut;
        text.remove(cut, pos - cut);
        pos = int(cut);
        return Acceptable;
    }
};

} // namespace

void LimitToLabelLength(QLineEdit& field) {
    field.setValidator(new LabelLengthValidator(&field));
}

} // namespace pad
