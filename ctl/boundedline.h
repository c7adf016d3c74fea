#pragma once

#include <QString>
#include <cstdio>
#include <optional>

// Lines of a stream, each read as soon as it is whole (a script may wait for
// a read's result before it writes the next line), decoded as UTF-8. A line
// longer than MaxBytes is not kept: its rest is skipped, and it comes back as
// too long, so memory stays bounded whatever the input.
class BoundedLineReader
{
public:
    static constexpr int MaxBytes = 64 * 1024;

    struct Line
    {
        QString text;
        bool tooLong = false;
    };

    explicit BoundedLineReader(FILE *from) : m_from(from) {}
    // The next line without its line end; nothing at the end of the stream.
    std::optional<Line> next();

private:
    FILE *m_from;
};
