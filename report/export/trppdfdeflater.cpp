#include "report/export/trppdfdeflater.h"

#include "report/model/reporterror.h"

#include <climits>
#include <zlib.h>

namespace bralvo::report {

struct TrpPDFDeflater::Stream {
    z_stream z{};
    bool started = false;
    ~Stream()
    {
        if (started)
            deflateEnd(&z);
    }
};

TrpPDFDeflater::TrpPDFDeflater(int level) : m_level(level), m_stream(std::make_unique<Stream>()) {}

TrpPDFDeflater::~TrpPDFDeflater() = default;

namespace {

[[noreturn]] void compressError()
{
    throw ReportError(QStringLiteral("Stream compress error"));
}

} // namespace

void TrpPDFDeflater::Compress(const char *data, qint64 size, QByteArray &out)
{
    z_stream &z = m_stream->z;
    if (size < 0 || size > qint64(UINT_MAX / 2))
        compressError(); // one page's content is far below this
    if (!m_stream->started) {
        if (deflateInit(&z, m_level) != Z_OK)
            compressError();
        m_stream->started = true;
    } else if (deflateReset(&z) != Z_OK) {
        compressError();
    }
    // The bound is exact for one call with Z_FINISH; resize keeps the
    // buffer's capacity, so pages of similar size reuse it.
    out.resize(qsizetype(deflateBound(&z, uLong(size))));
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    z.avail_in = uInt(size);
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END)
        compressError();
    out.resize(qsizetype(z.total_out));
}

} // namespace bralvo::report
