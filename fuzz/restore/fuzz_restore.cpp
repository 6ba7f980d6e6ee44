// libFuzzer target for the restore path: the gzip reader and the dump
// runner. The first input byte picks the mode: even, the rest is a gzip
// file inflated (bounded) and run as a dump; odd, the rest is dump text
// run directly. Each run builds an in-memory database. A BackupError is
// the clean answer to bad input.
#include "services/gzipfile.h"
#include "services/sqldump.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

using namespace bralvo::services;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        if (data[0] % 2 == 0) {
            qsizetype offset = 0;
            GzipStreamReader reader(
                [&]() {
                    const QByteArray piece = input.mid(offset, 512);
                    offset += piece.size();
                    return piece;
                },
                16 * 1024 * 1024, QStringLiteral("fuzz"));
            LoadDumpStream([&reader]() { return reader.next(); }, QStringLiteral(":memory:"), {});
        } else {
            LoadDump(input, QStringLiteral(":memory:"), {});
        }
    } catch (const BackupError &) {
    }
    return 0;
}
