// libFuzzer target for the decoder of the written stream and the replies: any
// bytes, split anywhere, are framed exactly as the board's own parser frames
// them (so the log and the monitor name what the board carries out), every
// byte lands in one command, and nothing crashes.
#include "boardparser.h"
#include "protocol/commanddecoder.h"
#include "protocol/replydecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The board's commands as raw bytes, and its characters as one string.
struct BoardUnits : BoardCommandSink
{
    QByteArrayList commands;
    QByteArray text;
    void execute(const BoardCommand &command) override
    {
        const QByteArray raw(command.raw.data(), qsizetype(command.raw.size()));
        if (command.id == CommandId::Text)
            text += raw;
        else
            commands << raw;
    }
};

// The decoder's units sorted the same way; a repeated prefix the board drops.
struct DecodedUnits
{
    QByteArrayList commands;
    QByteArray text;
    QByteArray all;
    void add(const DecodedCommand &command)
    {
        all += command.bytes;
        const auto first = quint8(command.bytes.at(0));
        if (command.bytes == QByteArray(1, char(0xFE)))
            return;
        if (first == 0xFE || ControlName(first))
            commands << command.bytes;
        else
            text += command.bytes;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    BoardParser parser;
    BoardUnits board;
    CommandDecoder decoder;
    ReplyDecoder replies;
    DecodedUnits decoded;
    // Each piece starts with a control byte: its low 5 bits give the piece's length.
    QByteArray fed;
    size_t at = 0;
    while (at < size) {
        const uint8_t control = data[at++];
        const size_t piece = std::min<size_t>(control % 32 + 1, size - at);
        const QByteArray bytes(reinterpret_cast<const char *>(data + at), qsizetype(piece));
        parser.feed(bytes.constData(), bytes.size(), board);
        for (const DecodedCommand &command : decoder.feed(bytes)) {
            decoded.add(command);
            if (command.read != ReadKind::None)
                replies.expect(command.read);
        }
        replies.describe(bytes); // the same bytes as if the board had sent them
        fed += bytes;
        at += piece;
    }
    check(fed.startsWith(decoded.all));
    check(decoded.all.size() == fed.size() || !decoder.pending().isEmpty());
    check(fed.size() - decoded.all.size() <= 84); // the longest definition
    check(decoded.commands == board.commands);
    check(decoded.text == board.text);
    return 0;
}
