// Arbitrary bytes from the server through the reply reader's path: line
// assembly over reads of varying size, item splitting and opening.
#include "link/EncDec.h"
#include "link/LineAssembler.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void openAll(QStringView text)
{
    for (const QString& item : EncDec::splitItems(text)) {
        QString fast;
        bool fastFailed = false;
        try {
            fast = EncDec::openItem(item);
        } catch (const EncDec::EnvelopeError&) {
            fastFailed = true;
        }
        // openItem must agree with the two documented steps it stands for.
        QString slow;
        bool slowFailed = false;
        try {
            slow = EncDec::UnsealStr(EncDec::DecodeBase64Str(item), EncDec::Key());
        } catch (const EncDec::EnvelopeError&) {
            slowFailed = true;
        }
        if (fastFailed != slowFailed || fast != slow)
            abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the read size, as a pipe may cut anywhere.
    const size_t chunk = 1 + data[0] % 64;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    LineAssembler assembler;
    for (qsizetype at = 0; at < bytes.size(); at += qsizetype(chunk)) {
        const LineAssembler::Taken taken =
            assembler.take(EncDec::fromAnsi(bytes.sliced(at, qMin(qsizetype(chunk), bytes.size() - at))));
        openAll(taken.lines);
    }
    // What a sealed reply would look like if these bytes were the line.
    const QString line = EncDec::fromAnsi(bytes);
    if (EncDec::openItem(EncDec::EncodeBase64Str(EncDec::SealStr(line, EncDec::Key()))) != line)
        abort();
    return 0;
}
