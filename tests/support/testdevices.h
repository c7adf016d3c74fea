#pragma once

#include "support/ptypair.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class MSComm;

// Paths of each kind a port's device setting may hold, for tables of cases,
// written with markers: "@dir" a temporary folder, "@dir/file" a regular
// file in it, "@dir/dangling" a link that leads nowhere, "@held" a
// pseudo-terminal that another serial control holds open.
class TestDevices
{
public:
    TestDevices();
    ~TestDevices();

    // The path with its markers replaced.
    QString path(QString device) const;

private:
    QTemporaryDir m_dir;
    PtyPair m_held;
    std::unique_ptr<MSComm> m_holder;
};
