// The stream socket protocol clients use: a TCP socket that reaches its
// target directly, through a SOCKS 4/4a/5 proxy (SocksIP set) or through
// an HTTP proxy's CONNECT tunnel (HTTPTunnelIP set, no SocksIP), and that
// routes its traffic through an encryption plug-in while the plug-in's
// link is active. The only plug-in, TSSLNone, never activates a link, so
// StartEncryption always ends with 10091.
//
// Proxy failures Winsock did not report are recorded as 10091 (connect)
// or 11003 (SOCKS bind). A target host holding a control character or a
// blank is refused with 10022 before anything reaches the HTTP proxy.
#pragma once

#include "net/tcustomssl.h"
#include "net/tsocksblocksocket.h"

#include <memory>

namespace bralvo::net {

class TTCPBlockSocket : public TSocksBlockSocket {
public:
    // The plug-in is made from its class and owned by the socket.
    explicit TTCPBlockSocket(TSSLClass sslClass = &MakeSSL<TSSLNone>);
    ~TTCPBlockSocket() override;

    QByteArray HTTPTunnelIP;     // empty: no tunnel
    QByteArray HTTPTunnelPort;
    QByteArray HTTPTunnelUser;   // set: a Basic authorisation line is sent
    QByteArray HTTPTunnelPass;
    int HTTPTunnelTimeout = 30000; // ms for the proxy's reply (ReplyTimeLeft)

    TCustomSSL &SSL() { return *m_ssl; }
    bool HTTPTunnelOpen() const { return m_tunnelOpen; }

    // Ends an encrypted link, shuts the sending side, drains, closes.
    void CloseConnection() override;
    void ConnectTo(const QByteArray &host, const QByteArray &port) override;
    int SendBytes(const void *buffer, int length) override;
    int ReadBytes(void *buffer, int length) override;
    int PendingByteCount() override;
    QByteArray LocalAddressText() override;
    QByteArray RemoteAddressText() override;
    int LocalPortNumber() override;
    int RemotePortNumber() override;
    int SocketKind() const override { return kKindStream; }
    int SocketProtocol() const override { return kProtocolTcp; }
    virtual void StartListening();
    void StartEncryption();

private:
    void SocksConnect(const QByteArray &host, const QByteArray &port);
    void TunnelConnect(const QByteArray &host, const QByteArray &port);
    void ReadTunnelReply();
    int EncryptedSend(const void *buffer, int length);
    int DecryptedRead(void *buffer, int length);

    std::unique_ptr<TCustomSSL> m_ssl;
    bool m_tunnelOpen = false;
    QByteArray m_tunnelRemoteAddress;
    QByteArray m_tunnelRemotePort;
};

} // namespace bralvo::net
