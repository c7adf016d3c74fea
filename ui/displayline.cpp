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
    SendableTextValidator(TextPlace place, QObject *parent) : QValidator(parent), m_place(place) {}

    State validate(QString &input, int &) const override
    {
        const auto sendable = [this](QChar c) { return IsSendableChar(c, m_place); };
        return std::all_of(input.cbegin(), input.cend(), sendable) ? Acceptable : Invalid;
    }

private:
    TextPlace m_place;
};

} // namespace

void SetUpDisplayText(QLineEdit *box, int maxLength, TextPlace place)
{
    box->setMaxLength(maxLength);
    box->setValidator(new SendableTextValidator(place, box));
}
