#include "support/widgetdriver.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

void clickButton(const QObject *root, const QString &name)
{
    QTest::mouseClick(child<QAbstractButton>(root, name), Qt::LeftButton);
}

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void retype(QWidget *box, const QString &text)
{
    if (auto *picker = qobject_cast<QComboBox *>(box))
        box = picker->lineEdit();
    else if (qobject_cast<QAbstractSpinBox *>(box))
        box = box->findChild<QLineEdit *>();
    auto *edit = qobject_cast<QLineEdit *>(box);
    if (!edit)
        qFatal("%s takes no text", qPrintable(box->objectName()));
    edit->clear();
    typeText(edit, text);
}
