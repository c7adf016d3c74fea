#include "ui/fixedform.h"

#include "ui/displayline.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <algorithm>

namespace {

// A control whose caption is its own text, named by it for a screen reader.
template <typename Control>
Control *makeCaptioned(QWidget *parent, const QString &name, const QString &caption,
                       const QRect &geometry)
{
    auto *control = new Control(caption, parent);
    control->setAccessibleName(caption);
    return place(control, name, geometry);
}

} // namespace

QGroupBox *makeFrame(QWidget *parent, const QString &name, const QString &caption,
                     const QRect &geometry)
{
    return makeCaptioned<QGroupBox>(parent, name, caption, geometry);
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption,
                        const QRect &geometry)
{
    return makeCaptioned<QPushButton>(parent, name, caption, geometry);
}

QRadioButton *makeOption(QWidget *parent, const QString &name, const QString &caption,
                         const QRect &geometry)
{
    return makeCaptioned<QRadioButton>(parent, name, caption, geometry);
}

QCheckBox *makeBox(QWidget *parent, const QString &name, const QString &caption,
                   const QRect &geometry)
{
    auto *box = new QCheckBox(parent);
    box->setAccessibleName(caption);
    return place(box, name, geometry);
}

QLabel *makeLabel(QWidget *parent, const QString &caption, const QRect &geometry, QWidget *buddy)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QLineEdit *makeTextBox(QWidget *parent, const QString &name, const QString &accessibleName,
                       const QRect &geometry, int maxLength, TextPlace textPlace)
{
    auto *box = new QLineEdit(parent);
    SetUpDisplayText(box, maxLength, textPlace);
    box->setAccessibleName(accessibleName);
    return place(box, name, geometry);
}

// Giving the picker its line edit directly (as setEditable(true) would,
// palette included) leaves the drop-down list to be built when it first opens;
// setEditable(true) builds it at once, about a third of a millisecond per
// picker at the main window's start-up.
QComboBox *makePicker(QWidget *parent, const QString &name, const QString &caption,
                      const QRect &geometry)
{
    auto *box = new QComboBox(parent);
    auto *edit = new QLineEdit(box);
    edit->setPalette(box->palette());
    box->setLineEdit(edit);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setAccessibleName(caption);
    return place(box, name, geometry);
}

void fitCaption(QWidget *control)
{
    control->resize(std::max(control->width(), control->sizeHint().width()), control->height());
}

void fillNumbers(QComboBox *picker, int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items << QString::number(n);
    picker->addItems(items);
}
