#include "support/testini.h"

#include "link/inikeys.h"
#include "link/modini.h"

#include <QFile>

TestIni::TestIni()
{
    SetIniFolder(m_dir.path());
}

TestIni::~TestIni()
{
    SetIniFolder(QString());
}

QString TestIni::path() const
{
    return m_dir.filePath(Ini::FileName);
}

void TestIni::setContents(const QByteArray &contents) const
{
    QFile file(path());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(contents);
}

QByteArray TestIni::contents() const
{
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TestIni::exists() const
{
    return QFile::exists(path());
}

void TestIni::mapPort(int port, const QString &device) const
{
    WriteIniValue(Ini::PortsSection, Ini::PortKey(port), device);
}
