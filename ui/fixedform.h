#pragma once

#include "protocol/textbytes.h"

#include <QRect>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The one way the windows build their fixed forms: each control is made with
// its object name and put at its pixel geometry in its parent; a control that
// takes the focus is named for a screen reader (a button by its caption). The
// order of making is the Tab order.

// Names and places a widget made elsewhere.
template <typename W> W *place(W *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QGroupBox *makeFrame(QWidget *parent, const QString &name, const QString &caption,
                     const QRect &geometry);
QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption,
                        const QRect &geometry);
QRadioButton *makeOption(QWidget *parent, const QString &name, const QString &caption,
                         const QRect &geometry);
// A check box without text of its own; its caption is a label beside it.
QCheckBox *makeBox(QWidget *parent, const QString &name, const QString &caption,
                   const QRect &geometry);
// A caption; with a buddy, its text names the buddy and its mnemonic reaches it.
QLabel *makeLabel(QWidget *parent, const QString &caption, const QRect &geometry,
                  QWidget *buddy = nullptr);
// A box for display text of at most maxLength characters that goes to that
// place on the wire (see SetUpDisplayText).
QLineEdit *makeTextBox(QWidget *parent, const QString &name, const QString &accessibleName,
                       const QRect &geometry, int maxLength, TextPlace place);
// An editable picker: the operator picks an item or types any text, which
// never joins the list.
QComboBox *makePicker(QWidget *parent, const QString &name, const QString &caption,
                      const QRect &geometry);

// Widens a captioned control when its caption needs more room than its
// geometry gives it in the font at hand.
void fitCaption(QWidget *control);
// Fills a picker with the numbers first to last, as texts.
void fillNumbers(QComboBox *picker, int first, int last);
