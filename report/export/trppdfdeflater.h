// One zlib compressor for all content streams of a document: its state
// is made once and reset between streams, so a long export does not
// allocate and free zlib's window for every page. Each stream is a
// complete zlib stream (header and Adler-32 trailer), the same bytes a
// fresh compressor at the same level gives.
#pragma once

#include <QByteArray>
#include <memory>

namespace bralvo::report {

class TrpPDFDeflater {
public:
    explicit TrpPDFDeflater(int level);
    ~TrpPDFDeflater();
    TrpPDFDeflater(const TrpPDFDeflater &) = delete;
    TrpPDFDeflater &operator=(const TrpPDFDeflater &) = delete;

    int Level() const { return m_level; }
    // Out := Size bytes at Data compressed (Out's storage is reused).
    // Throws ReportError "Stream compress error".
    void Compress(const char *data, qint64 size, QByteArray &out);

private:
    struct Stream;
    int m_level;
    std::unique_ptr<Stream> m_stream;
};

} // namespace bralvo::report
