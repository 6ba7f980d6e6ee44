// gzip files (RFC 1952) through zlib: the container of backup files, as
// "gzip -c" writes them and "gzip -cd" reads them.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QSaveFile;

namespace bralvo::services {

// Writes a gzip file under a temporary name in the target's folder; only
// commit() puts it in place (an atomic rename), so the target never holds
// half a file. Destroying the writer before commit() leaves no file and
// an existing target unchanged. Every call throws BackupError (sqldump.h)
// on a failure: folder missing or not writable, disk full.
class GzipFileWriter {
public:
    explicit GzipFileWriter(const QString &path);
    ~GzipFileWriter();
    GzipFileWriter(const GzipFileWriter &) = delete;
    GzipFileWriter &operator=(const GzipFileWriter &) = delete;

    void write(const QByteArray &bytes);
    void commit();  // finishes the stream, flushes and renames; once

private:
    void deflateChunk(const QByteArray &bytes, int flush);

    std::unique_ptr<QSaveFile> m_file;
    struct Stream;
    std::unique_ptr<Stream> m_stream;
    bool m_committed = false;
};

// Inflates a gzip source (several members follow one another as gzip
// does) piece by piece, so a small file that inflates to gigabytes is
// stopped at maxOutput bytes instead of filling the memory. next() throws
// BackupError when the source is not gzip, is cut short, fails its check
// sum, or inflates beyond maxOutput.
class GzipStreamReader {
public:
    // Pieces of the compressed bytes, in order; an empty piece ends them.
    using Source = std::function<QByteArray()>;
    GzipStreamReader(Source source, qint64 maxOutput, const QString &name);
    ~GzipStreamReader();
    GzipStreamReader(const GzipStreamReader &) = delete;
    GzipStreamReader &operator=(const GzipStreamReader &) = delete;

    // The next inflated bytes (at most 64 KiB); empty once the whole
    // source is inflated and checked.
    QByteArray next();

private:
    bool refill();

    Source m_source;
    qint64 m_maxOutput;
    QString m_name;
    struct Stream;
    std::unique_ptr<Stream> m_stream;
    QByteArray m_input;
    qint64 m_produced = 0;
    bool m_sourceDone = false;
    bool m_sawInput = false;
    bool m_memberOpen = false;
    bool m_done = false;
};

// The uncompressed content of a gzip file (several members follow one
// another as gzip does). Throws BackupError when the file cannot be read,
// is not gzip, is cut short, or fails its check sum.
QByteArray ReadGzipFile(const QString &path);

} // namespace bralvo::services
