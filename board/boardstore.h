#pragma once

#include "boardsettings.h"

#include <QString>

#include <optional>

// The file that plays the board's non-volatile memory: one "key=value" line
// per setting, screens and custom characters as hex. A missing file means a
// board fresh from the factory; a damaged entry keeps its factory value.
class BoardStore
{
public:
    explicit BoardStore(const QString &path) : m_path(path) {}

    QString path() const { return m_path; }
    // Nothing when the file does not exist or cannot be read.
    std::optional<BoardSettings> load() const;
    // Replaces the file in one step; false (see errorString) when it cannot be written.
    bool save(const BoardSettings &settings);
    QString errorString() const { return m_error; }

private:
    QString m_path;
    QString m_error;
};
