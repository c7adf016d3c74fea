#pragma once

#include <QString>
#include <functional>

class QWidget;

// Every file the panel saves is chosen through SaveFileName. A handler can
// take the place of the real dialog, so tests give the path without one.
using SaveFileNameHandler = std::function<QString(QWidget *parent, const QString &caption)>;

// The path the operator chose, or an empty text when they cancelled.
QString SaveFileName(QWidget *parent, const QString &caption, const QString &suggestedName,
                     const QString &filter);

// Replaces the real dialog; an empty handler brings it back.
void SetSaveFileNameHandler(SaveFileNameHandler handler);
