// Any text: the conversion to a parameter byte never crashes and never yields
// a byte for text that is not a decimal number, and no byte the text rule
// leaves out (0xFE; in a definition also 0x0D and 0xFF) ever comes out of a text.
#include "protocol/textbytes.h"

#include <QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto byte = TextToByte(text);
    if (byte && text.trimmed().isEmpty())
        std::abort();
    if (byte && *byte == TextToByte(QString::number(*byte)).value_or(0) + 1)
        std::abort();
    for (const TextPlace place : {TextPlace::Free, TextPlace::Definition}) {
        for (const char sent : TextToWire(text, place)) {
            if (!IsSendableChar(QChar(uchar(sent)), place))
                std::abort();
        }
    }
    return 0;
}
