#include "report/export/trppdfelement.h"

#include "platform/stream.h"

namespace bralvo::report {

TrpPDFElement::~TrpPDFElement() = default;

void TrpPDFElement::AppendLine(const QByteArray &bytes)
{
    m_buffer += bytes;
    m_buffer += "\r\n";
}

void TrpPDFElement::Flush(platform::Stream &stream)
{
    if (!m_buffer.isEmpty())
        stream.write(m_buffer);
    m_buffer.clear();
}

void TrpPDFElement::Write(platform::Stream &stream)
{
    m_offset = stream.position();
}

} // namespace bralvo::report
