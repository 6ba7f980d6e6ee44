// The common base of the PDF file, its pages and its fonts: a pending
// output buffer that is flushed to the output stream, the position the
// element started writing at and its 1-based number in its list.
#pragma once

#include <QByteArray>
#include <QString>

namespace bralvo::platform {
class Stream;
}

namespace bralvo::report {

class TrpPDFElement {
public:
    virtual ~TrpPDFElement();

    qint64 Offset() const { return m_offset; }
    int Index() const { return m_index; }
    void SetIndex(int v) { m_index = v; }

    const QByteArray &Buffer() const { return m_buffer; }
    // The pending output itself, for writers that append bytes directly.
    QByteArray &Out() { return m_buffer; }
    // Text is written as Latin-1: everything the writer produces itself
    // is ASCII, page text arrives as code-page bytes.
    void Append(const QByteArray &bytes) { m_buffer += bytes; }
    void Append(const QString &text) { m_buffer += text.toLatin1(); }
    void Append(const char *text) { m_buffer += text; }
    void AppendLine(const QByteArray &bytes);
    void AppendLine(const QString &text) { AppendLine(text.toLatin1()); }
    void AppendLine(const char *text)
    {
        m_buffer += text;
        m_buffer += "\r\n";
    }
    // Writes the buffer to Stream and empties it.
    void Flush(platform::Stream &stream);

    // The base records where writing starts.
    virtual void Write(platform::Stream &stream);

private:
    qint64 m_offset = 0;
    int m_index = 0;
    QByteArray m_buffer;
};

} // namespace bralvo::report
