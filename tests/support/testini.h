#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh program folder for one test: vantor.ini lives there while it exists.
class TestIni
{
public:
    TestIni();
    ~TestIni();

    QString folder() const { return m_dir.path(); }
    QString path() const;
    void setContents(const QByteArray &contents) const;
    QByteArray contents() const;
    bool exists() const;
    // Maps COMn to a device in section "Ports".
    void mapPort(int port, const QString &device) const;

private:
    QTemporaryDir m_dir;
};
