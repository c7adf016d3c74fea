#include "support/testdevices.h"

#include "link/mscomm.h"

#include <QFile>

TestDevices::TestDevices() : m_holder(std::make_unique<MSComm>())
{
    QFile::link(m_dir.filePath(QStringLiteral("gone")), m_dir.filePath(QStringLiteral("dangling")));
    QFile(m_dir.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
    m_holder->setDeviceResolver([this](int) { return m_held.slavePath(); });
    m_holder->setPortOpen(true);
}

TestDevices::~TestDevices() = default;

QString TestDevices::path(QString device) const
{
    return device.replace(QStringLiteral("@held"), m_held.slavePath())
        .replace(QStringLiteral("@dir"), m_dir.path());
}
