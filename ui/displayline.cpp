#include "ui/displayline.h"

#include "protocol/textbytes.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace {

// Accepts a text only when every character obeys the wire's text rule, so a
// typed or pasted text never holds a byte that cannot be sent.
class SendableTextValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        return std::all_of(input.cbegin(), input.cend(), IsSendableChar) ? Acceptable : Invalid;
    }
};

} // namespace

void SetUpDisplayText(QLineEdit *box, int maxLength)
{
    box->setMaxLength(maxLength);
    box->setValidator(new SendableTextValidator(box));
}
