#pragma once

#include "support/testdata.h"

#include <QObject>
#include <QString>

class QWidget;

// What the operator does to real widgets.

// The child of root with this object name. A missing one stops the run with
// its name, where a renamed control would otherwise crash the test.
template <typename T> T *child(const QObject *root, const QString &name)
{
    T *found = root->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Clicks the named button of root with the mouse.
void clickButton(const QObject *root, const QString &name);
// Types any text, one key press per character (keyClicks takes ASCII only).
void typeText(QWidget *widget, const QString &text);
// Empties a text box, or the edit line of an editable picker or a spin box,
// and types the text.
void retype(QWidget *box, const QString &text);
