#include "ui/plot/csvlog.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

CsvLog::CsvLog(const QList<ReadKind> &columns) : m_format(columns)
{
}

std::optional<QString> CsvLog::open(const QString &path)
{
    close();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return u"%1 is not a regular file"_s.arg(path);
    m_file.setFileName(path);
    // Unbuffered: each row goes to the system in one write as it comes.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return m_file.errorString();
    m_rows = 0;
    if (auto problem = whyNotContinued()) {
        m_file.close();
        return problem;
    }
    m_size = m_file.size();
    if (m_size > 0)
        return std::nullopt;
    return write(m_format.header());
}

// A log ends with a whole row unless something else cut it short: the rest
// of that row is ended first, so the next one starts a line of its own.
std::optional<QString> CsvLog::whyNotContinued()
{
    const QByteArray header = m_format.header();
    if (m_file.size() == 0)
        return std::nullopt;
    m_file.seek(0);
    if (m_file.read(header.size()) != header)
        return u"%1 holds something else than a log of these readings (its first line is "
               "not \"%2\")"_s.arg(m_file.fileName(), QString::fromLatin1(header.trimmed()));
    m_file.seek(m_file.size() - 1);
    if (m_file.read(1) != "\n") {
        m_size = m_file.size();
        return write("\n");
    }
    return std::nullopt;
}

std::optional<QString> CsvLog::append(const ReadingSet &readings)
{
    if (!isOpen())
        return u"The log is closed"_s;
    auto problem = write(m_format.row(readings));
    if (!problem)
        ++m_rows;
    return problem;
}

void CsvLog::close()
{
    if (m_file.isOpen())
        m_file.close();
}

// A line written in part is cut off again, so the file ends with a whole
// row. A write the disk takes in part is tried on once, for the system's
// reason why the rest does not go.
std::optional<QString> CsvLog::write(const QByteArray &line)
{
    qint64 written = 0;
    while (written < line.size()) {
        const qint64 now = m_file.write(line.constData() + written, line.size() - written);
        if (now <= 0)
            break;
        written += now;
    }
    QString problem;
    if (written != line.size())
        problem = m_file.error() != QFileDevice::NoError ? m_file.errorString()
                                                         : u"the row could not be written"_s;
    else if (fileGone())
        problem = u"the file or its folder was removed"_s;
    if (problem.isEmpty()) {
        m_size += written;
        return std::nullopt;
    }
    m_file.resize(m_size);
    close();
    return problem;
}

// Writes to a file that was deleted (alone or with its folder) still succeed
// on Unix, into a file no one can find any more.
bool CsvLog::fileGone() const
{
#ifdef Q_OS_UNIX
    struct stat status = {};
    return ::fstat(m_file.handle(), &status) == 0 && status.st_nlink == 0;
#else
    return !QFileInfo::exists(m_file.fileName());
#endif
}
