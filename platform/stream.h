// Byte streams of the class library: a seekable stream base, a stream in
// memory and a stream over a file. Positions and sizes are in bytes.
#pragma once

#include "platform/persistent.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace bralvo::platform {

// A failed open, read or write of a stream.
class StreamError : public ClassLibError {
public:
    using ClassLibError::ClassLibError;
};

class Stream {
public:
    virtual ~Stream() = default;

    // Reads up to Count bytes; returns how many were read (0 at the end).
    virtual qint64 read(char *data, qint64 count) = 0;
    // Writes all Count bytes or throws StreamError.
    virtual void write(const char *data, qint64 count) = 0;
    virtual qint64 position() const = 0;
    // Any position from 0 to size() and beyond (writing there extends).
    virtual void seek(qint64 position) = 0;
    virtual qint64 size() const = 0;
    virtual void setSize(qint64 size) = 0;

    void write(const QByteArray &bytes) { write(bytes.constData(), bytes.size()); }
    // Reads exactly Count bytes or throws StreamError ("Stream read error").
    void readExactly(char *data, qint64 count);
    // Up to Count bytes; fewer at the end of the stream.
    QByteArray readBytes(qint64 count);
    // Everything from the current position to the end.
    QByteArray readAll() { return readBytes(size() - position()); }
    // Copies Count bytes from Source's position (Count 0: all of Source,
    // from its start); returns the number copied.
    qint64 copyFrom(Stream &source, qint64 count);
};

class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(const QByteArray &bytes) : m_data(bytes) {}

    qint64 read(char *data, qint64 count) override;
    void write(const char *data, qint64 count) override;
    using Stream::write;
    qint64 position() const override { return m_pos; }
    void seek(qint64 position) override;
    qint64 size() const override { return m_data.size(); }
    void setSize(qint64 size) override;

    const QByteArray &data() const { return m_data; }
    void clear();

private:
    QByteArray m_data;
    qint64 m_pos = 0;
};

class FileStream : public Stream {
public:
    enum class Mode { Read, Create, ReadWrite };
    // Throws StreamError "Cannot open file "<path>". <reason>" on failure.
    // Create makes or truncates the file.
    FileStream(const QString &path, Mode mode);

    qint64 read(char *data, qint64 count) override;
    void write(const char *data, qint64 count) override;
    using Stream::write;
    qint64 position() const override { return m_file.pos(); }
    void seek(qint64 position) override;
    qint64 size() const override { return m_file.size(); }
    void setSize(qint64 size) override;

    QString fileName() const { return m_file.fileName(); }
    // Writes buffered bytes to the file; throws StreamError on failure.
    void flush();

private:
    QFile m_file;
};

} // namespace bralvo::platform
