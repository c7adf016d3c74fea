// Any line of the line language, as vantorctl's standard input and an
// owner's socket take it: reading it never crashes; a line that reads into
// words reads back into the same words once quoted again (what a program
// forwarding a command relies on); and a command built from it puts no empty
// write on the wire.
#include "protocol/line/linerequest.h"
#include "protocol/line/linewords.h"

#include <QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const auto words = LineWords(line, &error);
    if (words) {
        QString again;
        if (LineWords(QuotedLine(*words), &again) != words)
            std::abort();
    }
    const auto request = ParseLine(line, LineOptions(), &error);
    if (request && request->command) {
        for (const QByteArray &bytes : request->command->writes) {
            if (bytes.isEmpty())
                std::abort();
        }
    }
    return 0;
}
