#include "ui/displayline.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

void SetUpDisplayText(QLineEdit *box, int maxLength)
{
    static const QRegularExpression printable(QStringLiteral("[\\x{20}-\\x{7E}\\x{A0}-\\x{FD}]*"));
    box->setMaxLength(maxLength);
    box->setValidator(new QRegularExpressionValidator(printable, box));
}
