// The SMTP client against exim on 127.0.0.1 with LOGIN and CRAM-MD5 and
// a maildir the tests read back.
#include "net/tsmtpsend.h"

#include "localservers.h"
#include "scriptedpeer.h"

#include <QElapsedTimer>
#include <arpa/inet.h>
#include <functional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace bralvo::net {
namespace {

using test::EximOptions;
using test::EximServer;

const QByteArrayList kMessage = {"Subject: Report - Bralvo", "From: user@example.org",
                                 "Content-Type: text/plain;charset=windows-1250", "",
                                 "Hello", "---", "Name"};

class SmtpTest : public ::testing::Test {
protected:
    void startExim(const EximOptions &options = {})
    {
        ASSERT_TRUE(test::started(m_exim.start(options)));
    }
    QString server() const { return QStringLiteral("127.0.0.1:%1").arg(m_exim.port()); }
    void aim(TSMTPSend &smtp) const
    {
        smtp.TargetHost = "127.0.0.1";
        smtp.TargetPort = QByteArray::number(m_exim.port());
        smtp.Timeout = 10000;
    }
    // The one message in the local part's mailbox.
    QByteArray onlyMessage(const QByteArray &localPart)
    {
        const QByteArrayList messages = m_exim.mailbox(localPart);
        EXPECT_EQ(messages.size(), 1) << m_exim.mainLog().toStdString();
        return messages.value(0);
    }
    EximServer m_exim;
};

TEST_F(SmtpTest, DeliversTheProblemReportWithCramMd5)
{
    startExim();
    ASSERT_TRUE(SendMessageViaSmtp(QStringLiteral("Bralvo <report@bralvo.test>"),
                                   QStringLiteral("bob@bralvo.test"), server(), kMessage,
                                   QString::fromLatin1(test::kUser),
                                   QString::fromLatin1(test::kPassword)));
    const QByteArray message = onlyMessage("bob");
    EXPECT_TRUE(message.contains("X-Bralvo-Auth: cram:alice\n"));
    EXPECT_TRUE(message.contains("envelope-from <report@bralvo.test>"));
    EXPECT_TRUE(message.contains("Subject: Report - Bralvo\n"));
    EXPECT_TRUE(message.contains("\nHello\n---\nName\n"));
}

TEST_F(SmtpTest, LoginReadsGreetingCapabilitiesAndSize)
{
    startExim();
    TSMTPSend smtp;
    aim(smtp);
    smtp.UserName = test::kUser;
    smtp.Password = test::kPassword;
    ASSERT_TRUE(smtp.SmtpLogin());
    EXPECT_TRUE(smtp.ESMTP);
    EXPECT_TRUE(smtp.AuthDone);
    EXPECT_EQ(smtp.ResultCode, 235);
    EXPECT_EQ(smtp.SmtpFindCapability("auth "), "AUTH LOGIN CRAM-MD5");
    EXPECT_TRUE(smtp.ESMTPSize);
    EXPECT_EQ(smtp.MaxSize, 52428800);
    EXPECT_FALSE(smtp.ESMTPcap.isEmpty());
    EXPECT_FALSE(smtp.ESMTPcap.first().startsWith("250")); // the greeting line is left out
    EXPECT_TRUE(smtp.SmtpLogout());
    EXPECT_EQ(smtp.Sock->Handle(), -1);
}

TEST_F(SmtpTest, AuthenticationChoice)
{
    struct Case {
        const char *name;
        EximOptions options;
        QByteArray user;
        bool authDone;
        QByteArray seenByServer;
    };
    EximOptions loginOnly; loginOnly.cramMd5 = false;
    EximOptions cramFails; cramFails.cramSecret = "not-the-password";
    EximOptions none; none.login = false; none.cramMd5 = false;
    const std::vector<Case> cases = {
        {"both offered: CRAM-MD5", {}, test::kUser, true, "cram:alice"},
        {"LOGIN only", loginOnly, test::kUser, true, "login:alice"},
        {"CRAM-MD5 fails, LOGIN follows", cramFails, test::kUser, true, "login:alice"},
        {"neither offered", none, test::kUser, false, ":"},
        {"no account: no AUTH at all", {}, "", false, ":"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EximServer exim;
        ASSERT_TRUE(test::started(exim.start(c.options)));
        TSMTPSend smtp;
        smtp.TargetHost = "127.0.0.1";
        smtp.TargetPort = QByteArray::number(exim.port());
        smtp.UserName = c.user;
        smtp.Password = c.user.isEmpty() ? QByteArray() : QByteArray(test::kPassword);
        ASSERT_TRUE(smtp.SmtpLogin());
        EXPECT_EQ(smtp.AuthDone, c.authDone);
        EXPECT_TRUE(smtp.SmtpMailFrom("a@bralvo.test", 0));
        EXPECT_TRUE(smtp.SmtpRcptTo("bob@bralvo.test"));
        EXPECT_TRUE(smtp.SmtpData({"Subject: x", "", "body"}));
        smtp.SmtpLogout();
        const QByteArrayList messages = exim.mailbox("bob");
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains("X-Bralvo-Auth: " + c.seenByServer + "\n"));
    }
}

TEST_F(SmtpTest, SenderLineCarriesTheMessageSize)
{
    startExim();
    // Two lines of 3 and 5 bytes: 3 + 2 + 5 + 2.
    ASSERT_TRUE(SendMessageViaSmtp(QStringLiteral("a@bralvo.test"), QStringLiteral("bob@bralvo.test"),
                                   server(), {"abc", "defgh"}, QString(), QString()));
    EXPECT_TRUE(onlyMessage("bob").contains("X-Bralvo-Size: 12\n"));
}

TEST_F(SmtpTest, DotStuffingKeepsLinesThatBeginWithADot)
{
    startExim();
    const QByteArrayList lines = {"Subject: dots", "", ".", ".hidden", "..two", "plain."};
    ASSERT_TRUE(SendMessageViaSmtp(QStringLiteral("a@bralvo.test"), QStringLiteral("bob@bralvo.test"),
                                   server(), lines, QString(), QString()));
    EXPECT_TRUE(onlyMessage("bob").endsWith("\n.\n.hidden\n..two\nplain.\n"));
}

TEST_F(SmtpTest, LongMessagesGoOutInBatchesAndArriveWhole)
{
    startExim();
    QByteArrayList lines = {"Subject: long", ""};
    for (int i = 0; i < 400; ++i)
        lines.append("line " + QByteArray::number(i) + ' ' + QByteArray(i % 97, 'x'));
    lines.append(QByteArray(3000, 'y')); // longer than one batch
    ASSERT_TRUE(SendMessageViaSmtp(QStringLiteral("a@bralvo.test"), QStringLiteral("bob@bralvo.test"),
                                   server(), lines, QString(), QString()));
    const QByteArray message = onlyMessage("bob");
    EXPECT_TRUE(message.endsWith("\n" + lines[401] + "\n" + lines.last() + "\n"));
    EXPECT_TRUE(message.contains("\nline 0 \nline 1 x\n"));
}

TEST_F(SmtpTest, RecipientListWithQuotedNames)
{
    startExim();
    ASSERT_TRUE(SendMessageViaSmtp(
        QStringLiteral("a@bralvo.test"),
        QStringLiteral("\"Bob, Jr.\" <bob@bralvo.test>, , carol@bralvo.test"), server(),
        {"Subject: both", "", "hi"}, QString(), QString()));
    EXPECT_EQ(m_exim.mailbox("bob").size(), 1);
    EXPECT_EQ(m_exim.mailbox("carol").size(), 1);
}

TEST_F(SmtpTest, RefusedSecondRecipientStopsBeforeData)
{
    startExim();
    EXPECT_FALSE(SendMessageViaSmtp(QStringLiteral("a@bralvo.test"),
                                    QStringLiteral("bob@bralvo.test, refused@bralvo.test, carol@bralvo.test"),
                                    server(), {"Subject: no", "", "hi"}, QString(), QString()));
    EXPECT_TRUE(m_exim.mailbox("bob", 1000).isEmpty());
    EXPECT_TRUE(m_exim.mailbox("carol", 100).isEmpty());
}

TEST_F(SmtpTest, RefusedGreetingOrHelloEndsTheLogin)
{
    struct Case { const char *name; EximOptions options; int code; };
    EximOptions refuseConnect; refuseConnect.refuseConnect = true;
    EximOptions refuseHelo; refuseHelo.refuseHelo = true;
    for (const Case &c : {Case{"greeting refused", refuseConnect, 550},
                          Case{"EHLO and HELO refused", refuseHelo, 550}}) {
        SCOPED_TRACE(c.name);
        EximServer exim;
        ASSERT_TRUE(test::started(exim.start(c.options)));
        TSMTPSend smtp;
        smtp.TargetHost = "127.0.0.1";
        smtp.TargetPort = QByteArray::number(exim.port());
        EXPECT_FALSE(smtp.SmtpLogin());
        EXPECT_EQ(smtp.ResultCode, c.code);
        EXPECT_FALSE(SendMessageViaSmtp(QStringLiteral("a@bralvo.test"),
                                        QStringLiteral("bob@bralvo.test"),
                                        QStringLiteral("127.0.0.1:%1").arg(exim.port()),
                                        {"x"}, QString(), QString()));
        EXPECT_FALSE(exim.mainLog().contains("MAIL"));
    }
}

TEST_F(SmtpTest, StartTlsCannotSucceedWithoutEncryption)
{
    EximOptions options;
    options.starttls = true;
    startExim(options);
    TSMTPSend smtp;
    aim(smtp);
    smtp.AutoTLS = true;
    EXPECT_FALSE(smtp.SmtpLogin());
    EXPECT_EQ(smtp.Sock->LastError(), 10091);
}

TEST_F(SmtpTest, EnhancedCodesOfTheLastReply)
{
    startExim();
    TSMTPSend smtp;
    aim(smtp);
    smtp.UserName = test::kUser;
    smtp.Password = test::kPassword;
    ASSERT_TRUE(smtp.SmtpLogin());
    EXPECT_TRUE(smtp.SmtpMailFrom("a@bralvo.test", 0));
    EXPECT_EQ(smtp.ResultString, "250 OK");
    EXPECT_FALSE(smtp.SmtpRcptTo("refused@bralvo.test"));
    EXPECT_EQ(smtp.ResultCode, 550);
    smtp.SmtpLogout();

    struct Case { const char *line; int e1, e2, e3; };
    for (const Case &c : {Case{"250 2.1.0 Sender ok", 2, 1, 0},
                          Case{"550 5.7.1 Relaying denied", 5, 7, 1},
                          Case{"220 bralvo.test ESMTP", 0, 0, 0},
                          Case{"451 4.123.45 x", 4, 123, 45},
                          Case{"250 0.1.0 zero class", 0, 0, 0},
                          Case{"250 OK", 0, 0, 0}}) {
        SCOPED_TRACE(c.line);
        smtp.ParseEnhancedCode(c.line);
        EXPECT_EQ(std::tuple(smtp.EnhCode1, smtp.EnhCode2, smtp.EnhCode3),
                  std::tuple(c.e1, c.e2, c.e3));
    }
}

TEST(TSMTPSend, DefaultsAndCapabilityLookup)
{
    TSMTPSend smtp;
    EXPECT_EQ(smtp.TargetPort, "smtp");
    EXPECT_EQ(smtp.Sock->ResolvePortNumber(smtp.TargetPort), 25);
    EXPECT_EQ(smtp.Timeout, 60000);
    EXPECT_EQ(smtp.IPInterface, "0.0.0.0");
    EXPECT_TRUE(smtp.Sock->ConvertLineEnd);
    EXPECT_FALSE(smtp.SystemName.isEmpty());
    smtp.ESMTPcap = {"SIZE 1000", "AUTH=LOGIN PLAIN", "8BITMIME"};
    EXPECT_EQ(smtp.SmtpFindCapability("AUTH "), "");
    EXPECT_EQ(smtp.SmtpFindCapability("auth="), "AUTH=LOGIN PLAIN");
    EXPECT_EQ(smtp.SmtpFindCapability("8bit"), "8BITMIME");
}

// --- mended faults

TEST_F(SmtpTest, CrLfInAddressesCannotInjectCommands)
{
    startExim();
    EXPECT_FALSE(SendMessageViaSmtp(
        QStringLiteral("a@bralvo.test\r\nRSET\r\nMAIL FROM:mallory@bralvo.test"),
        QStringLiteral("bob@bralvo.test"), server(), {"Subject: x", "", "hi"}, QString(),
        QString()));
    EXPECT_FALSE(SendMessageViaSmtp(
        QStringLiteral("a@bralvo.test"),
        QStringLiteral("bob@bralvo.test\r\nRCPT TO:mallory@bralvo.test"), server(),
        {"Subject: x", "", "hi"}, QString(), QString()));
    EXPECT_TRUE(m_exim.mailbox("mallory", 1000).isEmpty());
    EXPECT_TRUE(m_exim.mailbox("bob", 100).isEmpty());

    TSMTPSend smtp;
    aim(smtp);
    smtp.SystemName = "host\r\nMAIL FROM:<x@y>";
    EXPECT_FALSE(smtp.SmtpEhlo());
    EXPECT_EQ(smtp.ResultCode, 0);
}

TEST_F(SmtpTest, LineBreaksInsideMessageLinesCannotEndTheMessage)
{
    startExim();
    const QByteArrayList lines = {
        "Subject: smuggle", "",
        "text\r\n.\r\nMAIL FROM:<mallory@bralvo.test>\r\nRCPT TO:<mallory@bralvo.test>\r\nDATA",
        "bare\n.\nQUIT", "last"};
    ASSERT_TRUE(SendMessageViaSmtp(QStringLiteral("a@bralvo.test"), QStringLiteral("bob@bralvo.test"),
                                   server(), lines, QString(), QString()));
    const QByteArray message = onlyMessage("bob");
    EXPECT_TRUE(message.endsWith("\ntext\n.\nMAIL FROM:<mallory@bralvo.test>\n"
                                 "RCPT TO:<mallory@bralvo.test>\nDATA\nbare\n.\nQUIT\nlast\n"));
    EXPECT_TRUE(m_exim.mailbox("mallory", 500).isEmpty());
}

TEST(SplitMessageLines, EveryLineBreakMakesALine)
{
    EXPECT_EQ(SplitMessageLines({"a\r\nb", "c\rd\ne", "", "f\r"}),
              QByteArrayList({"a", "b", "c", "d", "e", "", "f", ""}));
}

} // namespace
} // namespace bralvo::net

namespace bralvo::net {
namespace {

// No real server misbehaves on purpose, so a scripted peer plays the
// hostile one.
TEST(TSMTPSend, RepliesFromAHostileServerAreBounded)
{
    QByteArray endless;
    for (int i = 0; i < 300; ++i)
        endless += "250-capability\r\n";
    struct Case { const char *name; QByteArray reply; qsizetype lines; int socketError; };
    for (const Case &c : {Case{"endless continuation lines", endless, TSMTPSend::kReplyLineCount, 0},
                          Case{"a line without end", QByteArray(20000, 'x'), 1, 10055}}) {
        SCOPED_TRACE(c.name);
        test::ScriptedPeer peer({{0, c.reply}, {500}});
        TSMTPSend smtp;
        smtp.TargetHost = "127.0.0.1";
        smtp.TargetPort = QByteArray::number(peer.port());
        smtp.Timeout = 2000;
        ASSERT_TRUE(smtp.SmtpConnect());
        EXPECT_EQ(smtp.SmtpReadReply(), 0);
        EXPECT_EQ(smtp.FullResult.size(), c.lines);
        EXPECT_EQ(smtp.Sock->LastError(), c.socketError);
    }
}

} // namespace
} // namespace bralvo::net

namespace bralvo::net {
namespace {

// A listener on 127.0.0.1 that never accepts; its port is in `address`.
int silentListener(sockaddr_in &address)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::listen(listener, 0);
    socklen_t size = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &size);
    return listener;
}

// Connect ignored the time-out (minutes against a full backlog), a reply
// line dripping a byte at a time was waited for without end, and a peer
// that stopped reading blocked the send: each now ends with 10060.
TEST(TSMTPSend, ConnectSendAndReplyLinesHonourTheTimeout)
{
    {
        // The backlog filled: the next connect gets no answer at all.
        sockaddr_in address;
        const int listener = silentListener(address);
        std::vector<int> fillers;
        for (int i = 0; i < 4; ++i) {
            const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(filler, reinterpret_cast<sockaddr *>(&address), sizeof address);
            fillers.push_back(filler);
        }
        TSMTPSend smtp;
        smtp.TargetHost = "127.0.0.1";
        smtp.TargetPort = QByteArray::number(ntohs(address.sin_port));
        smtp.Timeout = 300;
        EXPECT_FALSE(smtp.SmtpConnect());
        EXPECT_EQ(smtp.Sock->LastError(), 10060);
        for (const int filler : fillers)
            ::close(filler);
        ::close(listener);
    }
    {
        std::vector<test::PeerStep> drip;
        for (int i = 0; i < 30; ++i)
            drip.push_back({50, "2"});
        test::ScriptedPeer peer(drip);
        TSMTPSend smtp;
        smtp.TargetHost = "127.0.0.1";
        smtp.TargetPort = QByteArray::number(peer.port());
        smtp.Timeout = 400;
        ASSERT_TRUE(smtp.SmtpConnect());
        EXPECT_EQ(smtp.SmtpReadReply(), 0);
        EXPECT_EQ(smtp.Sock->LastError(), 10060);
    }
    {
        // Connected through the backlog, never read.
        sockaddr_in address;
        const int listener = silentListener(address);
        TSMTPSend smtp;
        smtp.TargetHost = "127.0.0.1";
        smtp.TargetPort = QByteArray::number(ntohs(address.sin_port));
        smtp.Timeout = 300;
        ASSERT_TRUE(smtp.SmtpConnect());
        smtp.Sock->SendText(QByteArray(64 * 1024 * 1024, 'x'));
        EXPECT_EQ(smtp.Sock->LastError(), 10060);
        smtp.Sock->AbortConnection();
        ::close(listener);
    }
}

} // namespace
} // namespace bralvo::net

namespace bralvo::net {
namespace {

// With time-outs per wait, a peer answering just inside each wait held a
// reply for as long as it liked: a SOCKS reply in pieces, tunnel header
// lines, SMTP reply lines each 1.5 s apart against 2 s time-outs. Each
// reply now has its time-out in all, and prompt peers are unaffected.
TEST(TSMTPSend, DrippingPeersEndWithinTheTimeoutPromptOnesAreServed)
{
    constexpr int kTimeout = 2000;
    using Steps = std::vector<test::PeerStep>;
    using Call = std::function<bool(TSMTPSend &, const QByteArray &port)>;
    const Call socks = [](TSMTPSend &smtp, const QByteArray &port) {
        smtp.Sock->SocksIP = "127.0.0.1";
        smtp.Sock->SocksPort = port;
        smtp.Sock->SocksTimeout = kTimeout;
        return smtp.SmtpConnect();
    };
    const Call tunnel = [](TSMTPSend &smtp, const QByteArray &port) {
        smtp.Sock->HTTPTunnelIP = "127.0.0.1";
        smtp.Sock->HTTPTunnelPort = port;
        smtp.Sock->HTTPTunnelTimeout = kTimeout;
        return smtp.SmtpConnect();
    };
    const Call reply = [](TSMTPSend &smtp, const QByteArray &port) {
        smtp.TargetPort = port;
        return smtp.SmtpConnect() && smtp.SmtpReadReply() == 250;
    };
    struct Case { const char *name; Call call; Steps steps; bool served; };
    const Case cases[] = {
        {"SOCKS 5 reply in pieces", socks,
         {{0, QByteArray("\x05\x00", 2)}, {1500, QByteArray("\x05\x00\x00\x03", 4)}, {1500, "\x09"},
          {1500, "localhost"}, {1500, QByteArray("\x00\x19", 2)}}, false},
        {"prompt SOCKS 5 reply", socks,
         {{0, QByteArray("\x05\x00", 2)}, {0, QByteArray("\x05\x00\x00\x01\x7f\x00\x00\x01\x00\x19", 10)}}, true},
        {"tunnel header lines", tunnel,
         {{1500, "HTTP/1.0 200 Connection established\r\n"}, {1500, "X-A: 1\r\n"}, {1500, "X-B: 2\r\n"},
          {1500, "\r\n"}}, false},
        {"prompt tunnel reply", tunnel, {{0, "HTTP/1.0 200 Connection established\r\n\r\n"}}, true},
        {"SMTP reply lines", reply,
         {{0, "250-a\r\n"}, {1500, "250-b\r\n"}, {1500, "250-c\r\n"}, {1500, "250 d\r\n"}}, false},
        {"prompt SMTP reply", reply, {{0, "250-a\r\n250-b\r\n250 c\r\n"}}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedPeer peer(c.steps);
        TSMTPSend smtp;
        smtp.TargetHost = "127.0.0.1";
        smtp.TargetPort = "25";
        smtp.Timeout = kTimeout;
        QElapsedTimer clock;
        clock.start();
        const bool served = c.call(smtp, QByteArray::number(peer.port()));
        EXPECT_LT(clock.elapsed(), kTimeout + 1000);
        EXPECT_EQ(served, c.served);
        if (!c.served)
            EXPECT_EQ(smtp.Sock->LastError(), 10060);
    }
}

} // namespace
} // namespace bralvo::net
