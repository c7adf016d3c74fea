#pragma once

#include <QString>

// What becomes of a path the operator chose as the device of port n. A path
// that would not read back from the settings file as it was chosen, or that
// is there but is no serial line, is refused; one that is not there (yet) is
// taken only when the operator says so; anything else is taken.
struct DeviceChoiceCheck
{
    enum Verdict
    {
        Take,
        AskFirst, // message is the question
        Refuse,   // message says why
    };
    Verdict verdict = Take;
    QString message;
};

DeviceChoiceCheck CheckDeviceChoice(const QString &path, int port);
