#pragma once

#include <QString>
#include <functional>

class QWidget;

// Every file the panel saves is chosen through SaveFileName. A handler can
// take the place of the real dialog, so tests give the path without one.
using SaveFileNameHandler = std::function<QString(QWidget *parent, const QString &caption)>;

// The path the operator chose, or an empty text when they cancelled. The
// dialog asks before an existing file is chosen, unless the caller handles
// one itself (a log that is continued).
QString SaveFileName(QWidget *parent, const QString &caption, const QString &suggestedName,
                     const QString &filter, bool confirmOverwrite = true);

// Replaces the real dialog; an empty handler brings it back.
void SetSaveFileNameHandler(SaveFileNameHandler handler);
