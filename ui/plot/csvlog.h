#pragma once

#include "protocol/readingscsv.h"

#include <QFile>
#include <QString>
#include <optional>

// A log of polls in a CSV file (see ReadingsCsv): the header line, then one
// row per poll, each handed to the system as it comes, so a reader (tail -f,
// a spreadsheet) sees every poll and a crash loses none. A log of the same
// readings is continued; a file that holds anything else is never touched. A
// write that fails (a full disk, the file or its folder taken away) ends the
// log at once; the file keeps every whole row written before it, and no part
// of the row that failed.
class CsvLog
{
public:
    explicit CsvLog(const QList<ReadKind> &columns);

    // Makes the file with its header, or continues it when it is empty or
    // begins with the same header. Only a regular file is taken: a pipe or
    // device in its place is refused before it is opened, as it might block
    // or never take the rows. The reason when it fails.
    std::optional<QString> open(const QString &path);
    // Appends the poll's row; the reason when it fails, the log then closed.
    std::optional<QString> append(const ReadingSet &readings);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }
    qint64 rows() const { return m_rows; }

private:
    std::optional<QString> whyNotContinued();
    std::optional<QString> write(const QByteArray &line);
    bool fileGone() const;

    ReadingsCsv m_format;
    QFile m_file;
    qint64 m_size = 0; // bytes of whole lines written
    qint64 m_rows = 0;
};
