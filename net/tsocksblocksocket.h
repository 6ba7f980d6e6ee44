// The SOCKS 4, 4a and 5 client steps shared by the stream socket: the
// proxy's fields, the greeting with optional user/password, the request
// and the reply. The connect and listen paths that use them live in
// TTCPBlockSocket.
#pragma once

#include "net/tblocksocket.h"

namespace bralvo::net {

enum class TSocksType { ST_Socks5, ST_Socks4 };

class TSocksBlockSocket : public TBlockSocket {
public:
    QByteArray SocksIP;          // empty: no SOCKS
    QByteArray SocksPort = "1080";
    int SocksTimeout = 60000;    // ms for each proxy reply (ReplyTimeLeft)
    QByteArray SocksUsername;    // set: SOCKS 5 offers user/password
    QByteArray SocksPassword;
    bool SocksResolver = true;   // the proxy resolves host names
    TSocksType SocksType = TSocksType::ST_Socks5;

    bool UsingSocks() const { return m_usingSocks; }
    // Second byte of the last reply; -1 while one is awaited.
    int SocksReplyCode() const { return m_replyCode; }
    const QByteArray &SocksReplyAddress() const { return m_replyAddress; }
    const QByteArray &SocksReplyPort() const { return m_replyPort; }

    // SOCKS 5 greeting (and user/password); SOCKS 4 needs none. False on
    // a refusal, a malformed answer, or a user name or password longer
    // than the protocol's 255 bytes.
    bool NegotiateSocks();
    // Command 1 connect, 2 bind. False when a send failed or the target
    // cannot be encoded.
    bool SendSocksRequest(int command, const QByteArray &host, const QByteArray &port);
    // The address and port bytes of a request; empty when the target
    // cannot be encoded (a name over 255 bytes, a zero byte in a name).
    QByteArray EncodeSocksTarget(const QByteArray &host, const QByteArray &port);
    // True for reply code 0 or 90.
    bool ReadSocksReply();
    // Fills the reply address and port; the 1-based position after the
    // reply, 0 when a SOCKS 5 reply is shorter than 4 bytes.
    int DecodeSocksReply(const QByteArray &reply);

protected:
    bool m_usingSocks = false;
    int m_replyCode = 0;
    QByteArray m_replyAddress;
    QByteArray m_replyPort;
    QByteArray m_socksLocalAddress;
    QByteArray m_socksLocalPort;
    QByteArray m_socksRemoteAddress;
    QByteArray m_socksRemotePort;

private:
    bool ReadSocks4Reply(QByteArray &reply);
    bool ReadSocks5Reply(QByteArray &reply);
    bool ReadMore(QByteArray &reply, int count);

    std::uint32_t m_replyStart = 0; // tick the reply being read began
};

} // namespace bralvo::net
