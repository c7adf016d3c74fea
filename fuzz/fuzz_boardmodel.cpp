// libFuzzer target for the board model: any byte stream, split anywhere and
// with time passing between the pieces, must neither crash the board nor leave
// it deaf. Built with -DVANTOR_FUZZ=ON and clang; run by scripts/fuzz.
#include "boardmodel.h"
#include "commandlog.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Ends any command in progress: 0xFF ends every definition and at most 64
// bytes (the custom characters) are ever awaited.
const QByteArray Flush(66, char(0xFF));

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    BoardModel model;
    CommandLog log;
    model.setInputs(0x5A);
    // Each piece starts with a control byte: its low 5 bits give the piece's
    // length, its top 3 bits how long the board idles afterwards.
    size_t at = 0;
    while (at < size) {
        const uint8_t control = data[at++];
        const size_t piece = std::min<size_t>(control % 32 + 1, size - at);
        const QByteArray bytes(reinterpret_cast<const char *>(data + at), qsizetype(piece));
        log.add(bytes, model.feed(bytes));
        model.tick((control >> 5) * 700);
        at += piece;
        check(model.state().row >= 0 && model.state().row < BoardModel::Rows);
        check(model.state().column >= 0 && model.state().column < BoardModel::Columns);
    }
    log.take();
    model.feed(Flush);
    check(model.feed(QByteArray("\xFE\x0A", 2)) == QByteArray(1, char(0x5A)));
    model.powerCycle();
    check(model.feed(QByteArray("\xFE\x0B", 2)).size() == 3);
    return 0;
}
