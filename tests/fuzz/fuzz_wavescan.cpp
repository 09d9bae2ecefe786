// Fuzz target for the wave scanner. Whatever the bytes, the chunk walk ends, and a
// duration it finds is no longer than the bytes could play at one byte a second.

#include "mediafiles.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const qint64 ms = MediaFiles::waveDurationMs(bytes);
    if (ms < -1 || ms > qint64(size) * 1000)
        std::abort();
    return 0;
}
