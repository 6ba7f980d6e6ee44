// TCP connect paths (direct, SOCKS, HTTP CONNECT), listening, and the
// encrypted send/read detour through the plug-in.
#include "net/ttcpblocksocket.h"

#include "net/addresstext.h"
#include "services/base64.h"
#include "services/ticks.h"

#include <algorithm>
#include <sys/socket.h>

namespace bralvo::net {

namespace {

// A proxy reply is a short header block; a peer that never ends it
// must not make us gather without end.
constexpr int kTunnelLineLimit = 8192;
constexpr int kTunnelHeaderLines = 100;

bool safeHostText(const QByteArray &host)
{
    if (host.isEmpty())
        return false;
    return std::none_of(host.begin(), host.end(),
                        [](char c) { return quint8(c) <= 32 || quint8(c) == 127; });
}

} // namespace

TTCPBlockSocket::TTCPBlockSocket(TSSLClass sslClass) : m_ssl(sslClass(this)) {}

TTCPBlockSocket::~TTCPBlockSocket()
{
    RaiseExcept = false; // a destructor must not throw
    TTCPBlockSocket::CloseConnection();
}

void TTCPBlockSocket::CloseConnection()
{
    if (m_ssl->LinkActive())
        m_ssl->CloseLink();
    if (HasHandle()) {
        ::shutdown(Handle(), SHUT_WR);
        Drain();
    }
    AbortConnection();
}

void TTCPBlockSocket::ConnectTo(const QByteArray &host, const QByteArray &port)
{
    m_usingSocks = false;
    m_tunnelOpen = false;
    if (!SocksIP.isEmpty())
        SocksConnect(host, port);
    else if (!HTTPTunnelIP.isEmpty())
        TunnelConnect(host, port);
    else
        DirectConnect(host, port);
}

void TTCPBlockSocket::SocksConnect(const QByteArray &host, const QByteArray &port)
{
    DirectConnect(SocksIP, SocksPort);
    if (LastError() == 0) {
        const bool ok = NegotiateSocks() && SendSocksRequest(1, host, port) && ReadSocksReply();
        if (!ok && LastError() == 0)
            SetLastError(10091);
        m_socksLocalAddress = m_replyAddress;
        m_socksLocalPort = m_replyPort;
        m_socksRemoteAddress = host;
        m_socksRemotePort = port;
    }
    ErrorCheck();
    NotifyStatus(THookSocketReason::HR_Connect, QString::fromLatin1(host + ':' + port));
}

void TTCPBlockSocket::TunnelConnect(const QByteArray &host, const QByteArray &port)
{
    const QByteArray portText = QByteArray::number(ResolvePortNumber(port));
    DirectConnect(HTTPTunnelIP, HTTPTunnelPort);
    if (LastError() != 0)
        return;
    m_tunnelOpen = false;
    // The host goes into a request line: CR LF in it would add headers.
    if (!safeHostText(host)) {
        SetLastError(10022);
        ErrorCheck();
        return;
    }
    const QByteArray target = IsIPv6Text(host) ? '[' + host + ']' : host;
    QByteArray request = "CONNECT " + target + ':' + portText + " HTTP/1.0\r\n";
    if (!HTTPTunnelUser.isEmpty()) {
        request += "Proxy-Authorization: Basic "
                   + services::Base64EncodeString(HTTPTunnelUser + ':' + HTTPTunnelPass) + "\r\n";
    }
    request += "\r\n";
    SendText(request);
    if (LastError() == 0)
        ReadTunnelReply();
    if (LastError() == 0 && !m_tunnelOpen)
        SetLastError(10091);
    m_tunnelRemoteAddress = target;
    m_tunnelRemotePort = portText;
    ErrorCheck();
}

void TTCPBlockSocket::ReadTunnelReply()
{
    const int savedLimit = MaxLineLength;
    if (MaxLineLength == 0 || MaxLineLength > kTunnelLineLimit)
        MaxLineLength = kTunnelLineLimit;
    bool ended = false;
    const std::uint32_t start = services::TickNowMs();
    for (int count = 0; count < kTunnelHeaderLines && !ended; ++count) {
        const int timeout = ReplyTimeLeft(start, HTTPTunnelTimeout);
        if (LastError() != 0)
            break;
        const QByteArray line = ReadUntil(timeout, "\n");
        if (LastError() != 0)
            break;
        if (line.startsWith("HTTP/") && line.size() > 11)
            m_tunnelOpen = line[9] == '2';
        ended = line.isEmpty() || line == "\r";
    }
    MaxLineLength = savedLimit;
    if (!ended && LastError() == 0)
        m_tunnelOpen = false;
}

void TTCPBlockSocket::StartListening()
{
    if (SocksIP.isEmpty()) {
        RecordResult(::listen(Handle(), SOMAXCONN));
        ReadLocalAddress();
        ReadRemoteAddress();
    } else {
        QByteArray address = LocalAddressText();
        if (address == "0.0.0.0")
            address = LocalHostName();
        const QByteArray port = QByteArray::number(LocalPortNumber());
        DirectConnect(SocksIP, SocksPort);
        const bool ok = LastError() == 0 && NegotiateSocks() && SendSocksRequest(2, address, port)
                        && ReadSocksReply();
        if (!ok && LastError() == 0)
            SetLastError(11003);
        m_socksLocalAddress = m_replyAddress == "0.0.0.0" ? SocksIP : m_replyAddress;
        m_socksLocalPort = m_replyPort;
        m_socksRemoteAddress.clear();
        m_socksRemotePort.clear();
    }
    ErrorCheck();
    NotifyStatus(THookSocketReason::HR_Listen, QString());
}

void TTCPBlockSocket::StartEncryption()
{
    SetLastError(0);
    if (!m_ssl->OpenClientLink())
        SetLastError(10091);
    ErrorCheck();
}

int TTCPBlockSocket::SendBytes(const void *buffer, int length)
{
    return m_ssl->LinkActive() ? EncryptedSend(buffer, length) : PlainSendBytes(buffer, length);
}

int TTCPBlockSocket::ReadBytes(void *buffer, int length)
{
    return m_ssl->LinkActive() ? DecryptedRead(buffer, length) : PlainReadBytes(buffer, length);
}

int TTCPBlockSocket::EncryptedSend(const void *buffer, int length)
{
    return SendInChunks(buffer, length, [this](const char *chunk, int size) {
        const int result = m_ssl->SendEncrypted(chunk, size);
        SetLastError(m_ssl->LastError() != 0 ? 10091 : 0);
        return result <= 0 ? -1 : result;
    });
}

int TTCPBlockSocket::DecryptedRead(void *buffer, int length)
{
    if (TakeStopRequest())
        return 0;
    SetLastError(0);
    int count = m_ssl->ReadDecrypted(buffer, length);
    if (m_ssl->LastError() != 0)
        SetLastError(10091);
    ErrorCheck();
    if (count > 0) {
        CountReceived(count);
        NotifyStatus(THookSocketReason::HR_ReadCount, QString::number(count));
        NotifyMonitor(false, buffer, count);
        ApplyReadFilter(buffer, count);
    }
    return count;
}

int TTCPBlockSocket::PendingByteCount()
{
    if (m_ssl->LinkActive() && HasHandle()) {
        if (const int count = m_ssl->PendingDecryptedCount(); count > 0)
            return count;
    }
    return TBlockSocket::PendingByteCount();
}

QByteArray TTCPBlockSocket::LocalAddressText()
{
    return m_usingSocks ? m_socksLocalAddress : TBlockSocket::LocalAddressText();
}

QByteArray TTCPBlockSocket::RemoteAddressText()
{
    if (m_usingSocks)
        return m_socksRemoteAddress;
    if (m_tunnelOpen)
        return m_tunnelRemoteAddress;
    return TBlockSocket::RemoteAddressText();
}

int TTCPBlockSocket::LocalPortNumber()
{
    return m_usingSocks ? m_socksLocalPort.toInt() : TBlockSocket::LocalPortNumber();
}

int TTCPBlockSocket::RemotePortNumber()
{
    if (m_usingSocks)
        return ResolvePortNumber(m_socksRemotePort);
    if (m_tunnelOpen)
        return m_tunnelRemotePort.toInt();
    return TBlockSocket::RemotePortNumber();
}

} // namespace bralvo::net
