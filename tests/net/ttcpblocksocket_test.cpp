// The TCP socket through real proxies: danted for SOCKS 4 and 5,
// tinyproxy for HTTP CONNECT; the target behind them is exim. Also the
// refusing encryption slot.
#include "net/ttcpblocksocket.h"

#include "localservers.h"
#include "scriptedpeer.h"

#include <gtest/gtest.h>

namespace bralvo::net {
namespace {

using test::DanteServer;
using test::EximServer;
using test::TinyProxyServer;

QByteArray portOf(const test::LocalServer &server) { return QByteArray::number(server.port()); }

// Connected through the proxy: the SMTP greeting must arrive.
void expectSmtpGreeting(TTCPBlockSocket &socket)
{
    ASSERT_EQ(socket.LastError(), 0) << socket.LastErrorText().toStdString();
    EXPECT_TRUE(socket.ReadLine(5000).startsWith("220 bralvo.test"));
}

class ProxyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::started(m_exim.start()));
    }
    EximServer m_exim;
};

TEST_F(ProxyTest, DirectConnectWithoutProxies)
{
    TTCPBlockSocket socket;
    socket.ConnectTo("127.0.0.1", portOf(m_exim));
    expectSmtpGreeting(socket);
    EXPECT_FALSE(socket.UsingSocks());
    EXPECT_EQ(socket.RemotePortNumber(), m_exim.port());
}

TEST_F(ProxyTest, Socks5ConnectsByAddressAndByName)
{
    DanteServer dante;
    ASSERT_TRUE(test::started(dante.start()));
    struct Case { const char *host; bool proxyResolves; };
    for (const Case &c : {Case{"127.0.0.1", true}, Case{"localhost", true},
                          Case{"localhost", false}}) {
        SCOPED_TRACE(std::string(c.host) + (c.proxyResolves ? " resolved by proxy" : " local"));
        TTCPBlockSocket socket;
        socket.SocksIP = "127.0.0.1";
        socket.SocksPort = portOf(dante);
        socket.SocksResolver = c.proxyResolves;
        socket.ConnectTo(c.host, portOf(m_exim));
        expectSmtpGreeting(socket);
        EXPECT_TRUE(socket.UsingSocks());
        EXPECT_EQ(socket.SocksReplyCode(), 0);
        EXPECT_EQ(socket.RemoteAddressText(), c.host);
        EXPECT_EQ(socket.RemotePortNumber(), m_exim.port());
        EXPECT_EQ(socket.LocalAddressText(), "127.0.0.1");
    }
}

TEST_F(ProxyTest, Socks4ConnectsToAnAddress)
{
    DanteServer dante;
    ASSERT_TRUE(test::started(dante.start()));
    TTCPBlockSocket socket;
    socket.SocksIP = "127.0.0.1";
    socket.SocksPort = portOf(dante);
    socket.SocksType = TSocksType::ST_Socks4;
    socket.ConnectTo("127.0.0.1", portOf(m_exim));
    expectSmtpGreeting(socket);
    EXPECT_EQ(socket.SocksReplyCode(), 90);
}

TEST_F(ProxyTest, SocksRefusalsAreRecordedAs10091)
{
    DanteServer dante;
    ASSERT_TRUE(test::started(dante.start(true)));
    // Offers "none" only: the proxy wants user/password.
    TTCPBlockSocket anonymous;
    anonymous.SocksIP = "127.0.0.1";
    anonymous.SocksPort = portOf(dante);
    anonymous.ConnectTo("127.0.0.1", portOf(m_exim));
    EXPECT_EQ(anonymous.LastError(), 10091);
    // Offers user/password; the proxy asks for it and refuses the account.
    TTCPBlockSocket wrongAccount;
    wrongAccount.SocksIP = "127.0.0.1";
    wrongAccount.SocksPort = portOf(dante);
    wrongAccount.SocksUsername = "no-such-user-bralvo";
    wrongAccount.SocksPassword = "wrong";
    wrongAccount.ConnectTo("127.0.0.1", portOf(m_exim));
    EXPECT_EQ(wrongAccount.LastError(), 10091);
    EXPECT_EQ(wrongAccount.LastErrorText(), "Network subsystem is unusable");
    EXPECT_FALSE(wrongAccount.UsingSocks());
}

TEST_F(ProxyTest, SocksTargetRefusedByTheProxyKeepsTheReplyCode)
{
    DanteServer dante;
    ASSERT_TRUE(test::started(dante.start()));
    TTCPBlockSocket socket;
    socket.SocksIP = "127.0.0.1";
    socket.SocksPort = portOf(dante);
    socket.ConnectTo("127.0.0.1", QByteArray::number(test::freeLoopbackPort()));
    EXPECT_EQ(socket.LastError(), 10091);
    EXPECT_EQ(socket.SocksReplyCode(), 5); // connection refused
}

TEST(SocksTarget, EncodesAddressesNamesAndUsers)
{
    TTCPBlockSocket socket;
    EXPECT_EQ(socket.EncodeSocksTarget("10.1.2.3", "25").toHex(), "010a0102030019");
    EXPECT_EQ(socket.EncodeSocksTarget("::1", "25").toHex(),
              "04" "00000000000000000000000000000001" "0019");
    EXPECT_EQ(socket.EncodeSocksTarget("mail.example", "smtp"),
              QByteArray("\x03\x0c" "mail.example\x00\x19", 16));
    socket.SocksType = TSocksType::ST_Socks4;
    socket.SocksUsername = "bob";
    EXPECT_EQ(socket.EncodeSocksTarget("10.1.2.3", "25"),
              QByteArray("\x00\x19\x0a\x01\x02\x03" "bob\x00", 10));
    EXPECT_EQ(socket.EncodeSocksTarget("mail.example", "25"),
              QByteArray("\x00\x19\x00\x00\x00\x01" "bob\x00" "mail.example\x00", 23));
}

TEST(SocksTarget, OverlongNamesAreRefusedNotTruncated)
{
    TTCPBlockSocket socket;
    EXPECT_TRUE(socket.EncodeSocksTarget(QByteArray(256, 'a'), "25").isEmpty());
    EXPECT_EQ(socket.EncodeSocksTarget(QByteArray(255, 'a'), "25").size(), 1 + 1 + 255 + 2);
    socket.SocksUsername = QByteArray(256, 'u');
    EXPECT_FALSE(socket.NegotiateSocks());
}

TEST(SocksTarget, DecodesReplies)
{
    TTCPBlockSocket socket;
    EXPECT_EQ(socket.DecodeSocksReply(QByteArray("\x05\x00\x00\x01\x7f\x00\x00\x01\x04\x00", 10)), 11);
    EXPECT_EQ(socket.SocksReplyAddress(), "127.0.0.1");
    EXPECT_EQ(socket.SocksReplyPort(), "1024");
    EXPECT_EQ(socket.DecodeSocksReply(QByteArray("\x05\x00\x00\x03\x04host\x00\x19", 11)), 12);
    EXPECT_EQ(socket.SocksReplyAddress(), "host");
    EXPECT_EQ(socket.SocksReplyPort(), "25");
    EXPECT_EQ(socket.DecodeSocksReply(QByteArray("\x05\x00", 2)), 0);
    socket.SocksType = TSocksType::ST_Socks4;
    EXPECT_EQ(socket.DecodeSocksReply(QByteArray("\x00\x5a\x00\x50\x0a\x00\x00\x02", 8)), 9);
    EXPECT_EQ(socket.SocksReplyAddress(), "10.0.0.2");
    EXPECT_EQ(socket.SocksReplyPort(), "80");
}

TEST_F(ProxyTest, HttpTunnelOpensOn200AndConsumesTheHeaders)
{
    TinyProxyServer proxy;
    ASSERT_TRUE(test::started(proxy.start()));
    TTCPBlockSocket socket;
    socket.HTTPTunnelIP = "127.0.0.1";
    socket.HTTPTunnelPort = portOf(proxy);
    socket.ConnectTo("127.0.0.1", portOf(m_exim));
    expectSmtpGreeting(socket);
    EXPECT_TRUE(socket.HTTPTunnelOpen());
    EXPECT_EQ(socket.RemoteAddressText(), "127.0.0.1");
    EXPECT_EQ(socket.RemotePortNumber(), m_exim.port());
}

TEST_F(ProxyTest, HttpTunnelWithBasicAuthorisation)
{
    TinyProxyServer proxy;
    ASSERT_TRUE(test::started(proxy.start(true)));
    TTCPBlockSocket refused;
    refused.HTTPTunnelIP = "127.0.0.1";
    refused.HTTPTunnelPort = portOf(proxy);
    refused.ConnectTo("127.0.0.1", portOf(m_exim));
    EXPECT_EQ(refused.LastError(), 10091); // 407
    EXPECT_FALSE(refused.HTTPTunnelOpen());

    TTCPBlockSocket allowed;
    allowed.HTTPTunnelIP = "127.0.0.1";
    allowed.HTTPTunnelPort = portOf(proxy);
    allowed.HTTPTunnelUser = test::kUser;
    allowed.HTTPTunnelPass = test::kPassword;
    allowed.ConnectTo("127.0.0.1", portOf(m_exim));
    expectSmtpGreeting(allowed);
}

TEST(HttpTunnel, IPv6TargetIsBracketedAndAFailedConnectRecords10091)
{
    TinyProxyServer proxy;
    ASSERT_TRUE(test::started(proxy.start()));
    TTCPBlockSocket socket;
    socket.HTTPTunnelIP = "127.0.0.1";
    socket.HTTPTunnelPort = portOf(proxy);
    const QByteArray port = QByteArray::number(test::freeLoopbackPort());
    socket.ConnectTo("::1", port);
    EXPECT_EQ(socket.LastError(), 10091);
    EXPECT_TRUE(proxy.output().contains("CONNECT [::1]:" + port + " HTTP/1.0"));
}

TEST(HttpTunnel, HostWithLineBreakIsNeverSentToTheProxy)
{
    TinyProxyServer proxy;
    ASSERT_TRUE(test::started(proxy.start()));
    TTCPBlockSocket socket;
    socket.HTTPTunnelIP = "127.0.0.1";
    socket.HTTPTunnelPort = portOf(proxy);
    socket.ConnectTo("127.0.0.1:25 HTTP/1.0\r\nX-Injected: 1\r\n\r\nGET", "25");
    EXPECT_EQ(socket.LastError(), 10022);
    EXPECT_FALSE(socket.HTTPTunnelOpen());
    socket.CloseConnection();
    EXPECT_FALSE(proxy.output().contains("X-Injected"));
}

// No real proxy misbehaves on purpose, so a scripted peer plays one
// whose reply header never ends.
TEST(HttpTunnel, TunnelReplyWithoutEndIsRefused)
{
    QByteArray reply = "HTTP/1.0 200 Connection established\r\n";
    for (int i = 0; i < 200; ++i)
        reply += "X-Filler: " + QByteArray::number(i) + "\r\n";
    struct Case { const char *name; QByteArray reply; int error; };
    for (const Case &c : {Case{"endless header lines", reply, 10091},
                          Case{"endless status line", "HTTP/1.0 200 " + QByteArray(20000, 'x'), 10055}}) {
        SCOPED_TRACE(c.name);
        test::ScriptedPeer peer({test::PeerStep{50, c.reply}, test::PeerStep{500}});
        TTCPBlockSocket socket;
        socket.HTTPTunnelIP = "127.0.0.1";
        socket.HTTPTunnelPort = QByteArray::number(peer.port());
        socket.ConnectTo("127.0.0.1", "25");
        EXPECT_EQ(socket.LastError(), c.error);
        EXPECT_FALSE(socket.HTTPTunnelOpen());
        EXPECT_EQ(socket.MaxLineLength, 0); // the caller's bound is restored
    }
}

TEST(TSSLNone, RefusesEveryEncryptedCall)
{
    test::ScriptedPeer peer({test::PeerStep{300}});
    TTCPBlockSocket socket;
    EXPECT_EQ(socket.SSL().LibraryVersionText(), "Without SSL support");
    EXPECT_EQ(socket.SSL().LibraryNameText(), "ssl_none");
    EXPECT_EQ(socket.SSL().VerifyResultCode(), 1);
    socket.ConnectTo("127.0.0.1", QByteArray::number(peer.port()));
    ASSERT_EQ(socket.LastError(), 0);
    socket.StartEncryption();
    EXPECT_EQ(socket.LastError(), 10091);
    EXPECT_EQ(socket.SSL().LastError(), -1);
    EXPECT_EQ(socket.SSL().LastErrorText(), "SLL is not implemented!");
    EXPECT_FALSE(socket.SSL().LinkActive());
    // Plain traffic still flows.
    socket.SendText("plain");
    EXPECT_EQ(socket.LastError(), 0);
    socket.CloseConnection();
    EXPECT_EQ(peer.received(), "plain");
}

TEST(TCustomSSL, CopySettingsLeavesTheSshChannelAlone)
{
    TTCPBlockSocket a, b;
    a.SSL().Username = QStringLiteral("u");
    a.SSL().CertCAFile = QStringLiteral("/ca.pem");
    a.SSL().VerifyCert = true;
    a.SSL().SSHChannelType = QStringLiteral("session");
    b.SSL().CopySettingsFrom(a.SSL());
    EXPECT_EQ(b.SSL().Username, "u");
    EXPECT_EQ(b.SSL().CertCAFile, "/ca.pem");
    EXPECT_TRUE(b.SSL().VerifyCert);
    EXPECT_TRUE(b.SSL().SSHChannelType.isEmpty());
}

} // namespace
} // namespace bralvo::net

namespace bralvo::net {
namespace {

// Resolving on this side, a name that resolves to nothing was sent to
// the proxy as 0.0.0.0; it fails with 11001 and nothing is sent.
TEST(SocksTarget, UnresolvableNameResolvedLocallyFailsWith11001)
{
    for (const TSocksType type : {TSocksType::ST_Socks5, TSocksType::ST_Socks4}) {
        TTCPBlockSocket socket;
        socket.SocksType = type;
        socket.SocksResolver = false;
        EXPECT_TRUE(socket.EncodeSocksTarget("name.that.does.not.resolve.invalid", "25").isEmpty());
        EXPECT_EQ(socket.LastError(), 11001);
        EXPECT_EQ(socket.EncodeSocksTarget("127.0.0.1", "25").size(), 7);
    }
}

} // namespace
} // namespace bralvo::net
