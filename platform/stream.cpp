// Memory and file streams.
#include "platform/stream.h"

#include <cstring>

namespace bralvo::platform {

void Stream::readExactly(char *data, qint64 count)
{
    if (count > 0 && read(data, count) != count)
        throw StreamError(QStringLiteral("Stream read error"));
}

QByteArray Stream::readBytes(qint64 count)
{
    QByteArray bytes;
    if (count <= 0)
        return bytes;
    bytes.resize(count);
    const qint64 n = read(bytes.data(), count);
    bytes.resize(qMax<qint64>(n, 0));
    return bytes;
}

qint64 Stream::copyFrom(Stream &source, qint64 count)
{
    if (count == 0) {
        source.seek(0);
        count = source.size();
    }
    char buffer[65536];
    qint64 done = 0;
    while (done < count) {
        const qint64 n = source.read(buffer, qMin<qint64>(sizeof buffer, count - done));
        if (n <= 0)
            throw StreamError(QStringLiteral("Stream read error"));
        write(buffer, n);
        done += n;
    }
    return done;
}

qint64 MemoryStream::read(char *data, qint64 count)
{
    const qint64 n = qBound<qint64>(0, qMin(count, m_data.size() - m_pos), count);
    if (n > 0)
        std::memcpy(data, m_data.constData() + m_pos, size_t(n));
    m_pos += n;
    return n;
}

void MemoryStream::write(const char *data, qint64 count)
{
    if (count <= 0)
        return;
    // Bytes past the end are appended (the array grows geometrically and
    // nothing is zero-filled first); only a gap left by a seek past the
    // end is filled with zeros.
    if (m_pos > m_data.size())
        m_data.resize(m_pos, '\0');
    const qint64 inside = qMin(count, m_data.size() - m_pos);
    if (inside > 0)
        std::memcpy(m_data.data() + m_pos, data, size_t(inside));
    if (count > inside)
        m_data.append(data + inside, count - inside);
    m_pos += count;
}

void MemoryStream::seek(qint64 position)
{
    if (position < 0)
        throw StreamError(QStringLiteral("Invalid stream position"));
    m_pos = position;
}

void MemoryStream::setSize(qint64 size)
{
    m_data.resize(qMax<qint64>(size, 0), '\0');
    m_pos = qMin(m_pos, m_data.size());
}

void MemoryStream::clear()
{
    m_data.clear();
    m_pos = 0;
}

FileStream::FileStream(const QString &path, Mode mode) : m_file(path)
{
    QIODevice::OpenMode flags = QIODevice::ReadOnly;
    if (mode == Mode::Create)
        flags = QIODevice::ReadWrite | QIODevice::Truncate;
    else if (mode == Mode::ReadWrite)
        flags = QIODevice::ReadWrite;
    if (!m_file.open(flags))
        throw StreamError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, m_file.errorString()));
}

qint64 FileStream::read(char *data, qint64 count)
{
    const qint64 n = m_file.read(data, count);
    if (n < 0)
        throw StreamError(QStringLiteral("Stream read error"));
    return n;
}

void FileStream::write(const char *data, qint64 count)
{
    if (count > 0 && m_file.write(data, count) != count)
        throw StreamError(QStringLiteral("Stream write error"));
}

void FileStream::seek(qint64 position)
{
    if (!m_file.seek(position))
        throw StreamError(QStringLiteral("Invalid stream position"));
}

void FileStream::setSize(qint64 size)
{
    if (!m_file.resize(size))
        throw StreamError(QStringLiteral("Stream write error"));
}

void FileStream::flush()
{
    if (!m_file.flush())
        throw StreamError(QStringLiteral("Stream write error"));
}

} // namespace bralvo::platform
