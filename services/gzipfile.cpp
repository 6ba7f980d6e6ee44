// gzip through zlib's deflate/inflate with the gzip wrapper.
#include "services/gzipfile.h"

#include "services/sqldump.h"

#include <QFile>
#include <QSaveFile>
#include <zlib.h>

namespace bralvo::services {

namespace {

constexpr int kGzipWindowBits = 15 + 16;  // gzip header and trailer
constexpr int kChunk = 64 * 1024;

} // namespace

struct GzipFileWriter::Stream {
    z_stream z{};
    bool open = false;
    ~Stream()
    {
        if (open)
            deflateEnd(&z);
    }
};

GzipFileWriter::GzipFileWriter(const QString &path)
    : m_file(std::make_unique<QSaveFile>(path)), m_stream(std::make_unique<Stream>())
{
    if (!m_file->open(QIODevice::WriteOnly))
        throw BackupError(QStringLiteral("Cannot write %1: %2").arg(path, m_file->errorString()));
    if (deflateInit2(&m_stream->z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindowBits, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        throw BackupError(QStringLiteral("Cannot start compression"));
    m_stream->open = true;
}

GzipFileWriter::~GzipFileWriter()
{
    if (!m_committed)
        m_file->cancelWriting();
}

void GzipFileWriter::deflateChunk(const QByteArray &bytes, int flush)
{
    z_stream &z = m_stream->z;
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData()));
    z.avail_in = uInt(bytes.size());
    char out[kChunk];
    int rc = Z_OK;
    do {
        z.next_out = reinterpret_cast<Bytef *>(out);
        z.avail_out = kChunk;
        rc = deflate(&z, flush);
        if (rc == Z_STREAM_ERROR)
            throw BackupError(QStringLiteral("Compression failed"));
        const qint64 produced = kChunk - z.avail_out;
        if (m_file->write(out, produced) != produced)
            throw BackupError(QStringLiteral("Cannot write %1: %2").arg(m_file->fileName(), m_file->errorString()));
    } while (z.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
}

void GzipFileWriter::write(const QByteArray &bytes)
{
    if (!bytes.isEmpty())
        deflateChunk(bytes, Z_NO_FLUSH);
}

void GzipFileWriter::commit()
{
    deflateChunk(QByteArray(), Z_FINISH);
    if (!m_file->commit())
        throw BackupError(QStringLiteral("Cannot write %1: %2").arg(m_file->fileName(), m_file->errorString()));
    m_committed = true;
}

namespace {

// Inflates members one after another until the input is used up.
QByteArray inflateAll(const QByteArray &input, const QString &path)
{
    z_stream z{};
    if (inflateInit2(&z, kGzipWindowBits) != Z_OK)
        throw BackupError(QStringLiteral("Cannot start decompression"));
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.constData()));
    z.avail_in = uInt(input.size());
    QByteArray result;
    char out[kChunk];
    int rc = Z_OK;
    while (true) {
        z.next_out = reinterpret_cast<Bytef *>(out);
        z.avail_out = kChunk;
        rc = inflate(&z, Z_NO_FLUSH);
        result.append(out, kChunk - int(z.avail_out));
        if (rc == Z_STREAM_END) {
            if (z.avail_in == 0)
                break;
            inflateReset(&z);  // a further member follows
        } else if (rc != Z_OK || (z.avail_in == 0 && z.avail_out != 0)) {
            break;  // corrupt, or input ended inside a member
        }
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END || input.isEmpty())
        throw BackupError(QStringLiteral("%1 is not a complete gzip file").arg(path));
    return result;
}

} // namespace

struct GzipStreamReader::Stream {
    z_stream z{};
    ~Stream() { inflateEnd(&z); }
};

GzipStreamReader::GzipStreamReader(Source source, qint64 maxOutput, const QString &name)
    : m_source(std::move(source)), m_maxOutput(maxOutput), m_name(name), m_stream(std::make_unique<Stream>())
{
    if (inflateInit2(&m_stream->z, kGzipWindowBits) != Z_OK)
        throw BackupError(QStringLiteral("Cannot start decompression"));
}

GzipStreamReader::~GzipStreamReader() = default;

// Takes the next compressed piece; false when the source has ended.
bool GzipStreamReader::refill()
{
    if (m_sourceDone)
        return false;
    m_input = m_source();
    if (m_input.isEmpty()) {
        m_sourceDone = true;
        return false;
    }
    m_sawInput = true;
    m_stream->z.next_in = reinterpret_cast<Bytef *>(m_input.data());
    m_stream->z.avail_in = uInt(m_input.size());
    return true;
}

QByteArray GzipStreamReader::next()
{
    z_stream &z = m_stream->z;
    QByteArray out(kChunk, Qt::Uninitialized);
    while (!m_done) {
        if (z.avail_in == 0 && !refill()) {
            if (!m_sawInput || m_memberOpen)
                throw BackupError(QStringLiteral("%1 is not a complete gzip file").arg(m_name));
            m_done = true;
            break;
        }
        m_memberOpen = true;
        z.next_out = reinterpret_cast<Bytef *>(out.data());
        z.avail_out = kChunk;
        const int rc = inflate(&z, Z_NO_FLUSH);
        const int produced = kChunk - int(z.avail_out);
        if (rc == Z_STREAM_END) {
            m_memberOpen = false;
            inflateReset(&z);  // a further member may follow
        } else if (rc != Z_OK && !(rc == Z_BUF_ERROR && z.avail_in == 0)) {
            throw BackupError(QStringLiteral("%1 is not a complete gzip file").arg(m_name));
        }
        m_produced += produced;
        if (m_produced > m_maxOutput)
            throw BackupError(QStringLiteral("%1 inflates beyond %2 bytes").arg(m_name).arg(m_maxOutput));
        if (produced > 0) {
            out.truncate(produced);
            return out;
        }
    }
    return QByteArray();
}

QByteArray ReadGzipFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BackupError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    const QByteArray compressed = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw BackupError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    return inflateAll(compressed, path);
}

} // namespace bralvo::services
