// The blocking socket against a scripted peer on 127.0.0.1: line ends
// split across packets, bounds, time-outs, sized sends and stop requests.
#include "net/ttcpblocksocket.h"

#include "scriptedpeer.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace bralvo::net {
namespace {

using test::PeerStep;
using test::ScriptedPeer;

QByteArray portText(const ScriptedPeer &peer) { return QByteArray::number(peer.port()); }

// A connected socket on the peer.
void connectTo(TTCPBlockSocket &socket, const ScriptedPeer &peer)
{
    socket.ConnectTo("127.0.0.1", portText(peer));
    ASSERT_EQ(socket.LastError(), 0) << socket.LastErrorText().toStdString();
}

TEST(TBlockSocket, LineEndsAreOneTerminatorWithConvertLineEnd)
{
    struct Case { const char *name; std::vector<PeerStep> script; };
    const std::vector<Case> cases = {
        {"CR LF", {{0, "first\r\nsecond\r\n"}}},
        {"LF", {{0, "first\nsecond\n"}}},
        {"CR", {{0, "first\rsecond\r"}}},
        {"LF CR", {{0, "first\n\rsecond\n\r"}}},
        {"CR, then LF in the next packet", {{0, "first\r"}, {150, "\nsecond\r\n"}}},
        {"LF, then CR in the next packet", {{0, "first\n"}, {150, "\rsecond\n"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPeer peer(c.script);
        TTCPBlockSocket socket;
        socket.ConvertLineEnd = true;
        connectTo(socket, peer);
        EXPECT_EQ(socket.ReadLine(2000), "first");
        EXPECT_EQ(socket.ReadLine(2000), "second");
        EXPECT_EQ(socket.LastError(), 0);
    }
}

TEST(TBlockSocket, WithoutConvertLineEndOnlyCrLfEndsALine)
{
    ScriptedPeer peer({{0, "a\nb\rc"}, {100, "\r\nnext\r\n"}});
    TTCPBlockSocket socket;
    connectTo(socket, peer);
    EXPECT_EQ(socket.ReadLine(2000), "a\nb\rc");
    EXPECT_EQ(socket.ReadLine(2000), "next");
}

TEST(TBlockSocket, MaxLineLengthStopsAndKeepsTheBytesPending)
{
    ScriptedPeer peer({{0, "0123456789A"}});
    TTCPBlockSocket socket;
    socket.MaxLineLength = 10;
    connectTo(socket, peer);
    EXPECT_EQ(socket.ReadLine(2000), "");
    EXPECT_EQ(socket.LastError(), 10055);
    EXPECT_EQ(socket.LastErrorText(), "No Buffer space available");
    EXPECT_EQ(socket.PendingBytes(), "0123456789A");
}

TEST(TBlockSocket, MaxLineLengthCountsTheLineNotThePacket)
{
    ScriptedPeer peer({{0, "short\r\n0123456789abcdef\r\n"}});
    TTCPBlockSocket socket;
    socket.MaxLineLength = 10;
    connectTo(socket, peer);
    EXPECT_EQ(socket.ReadLine(2000), "short");
    EXPECT_EQ(socket.LastError(), 0);
    EXPECT_EQ(socket.ReadLine(2000), "");
    EXPECT_EQ(socket.LastError(), 10055);
}

TEST(TBlockSocket, ReadsUntilAnyTerminatorAndIntoStreams)
{
    ScriptedPeer peer({{0, QByteArray("key=value;;\x03\x00\x00\x00" "abc" "\x00\x00\x00\x02" "xy" "tail", 28)},
                       {50, {}, true}});
    TTCPBlockSocket socket;
    connectTo(socket, peer);
    EXPECT_EQ(socket.ReadUntil(2000, ";;"), "key=value");
    QBuffer sized, sizedBE, rest;
    sized.open(QIODevice::WriteOnly);
    sizedBE.open(QIODevice::WriteOnly);
    rest.open(QIODevice::WriteOnly);
    socket.ReadStreamSized(sized, 2000);
    socket.ReadStreamSizedBE(sizedBE, 2000);
    socket.ReadStreamUntilError(rest, 2000);
    EXPECT_EQ(sized.data(), "abc");
    EXPECT_EQ(sizedBE.data(), "xy");
    EXPECT_EQ(rest.data(), "tail");
    EXPECT_EQ(socket.LastError(), 10054);
}

TEST(TBlockSocket, CloseConnectionDoesNotDrainWithoutEnd)
{
    ScriptedPeer peer({{100, QByteArray(16 * 1024 * 1024, 'z')}});
    TTCPBlockSocket socket;
    connectTo(socket, peer);
    socket.SendText("go");
    socket.CloseConnection();
    EXPECT_LE(socket.ReceivedCount(), quint64(4 * 1024 * 1024 + 65536));
    EXPECT_EQ(socket.LastError(), 0);
    EXPECT_EQ(socket.Handle(), -1);
}

TEST(TBlockSocket, PeerClosingOrStayingSilent)
{
    {
        ScriptedPeer peer({PeerStep{200, {}, true}});
        TTCPBlockSocket socket;
        connectTo(socket, peer);
        EXPECT_EQ(socket.ReadLine(3000), "");
        EXPECT_EQ(socket.LastError(), 10054);
    }
    {
        ScriptedPeer peer({test::PeerStep{800}});
        TTCPBlockSocket socket;
        connectTo(socket, peer);
        EXPECT_EQ(socket.ReadLine(200), "");
        EXPECT_EQ(socket.LastError(), 10060);
        EXPECT_EQ(socket.LastErrorText(), "Connection timed out");
    }
}

TEST(TBlockSocket, TimeOutPerWaitOrForTheWholeCall)
{
    const std::vector<PeerStep> trickle = {{0, "a"}, {120, "b"}, {120, "c"}, {120, "d"},
                                           {120, "e\r\n"}};
    {
        ScriptedPeer peer(trickle);
        TTCPBlockSocket socket;
        connectTo(socket, peer);
        EXPECT_EQ(socket.ReadLine(300), "abcde");
    }
    {
        ScriptedPeer peer(trickle);
        TTCPBlockSocket socket;
        socket.InterPacketTimeout = false;
        connectTo(socket, peer);
        EXPECT_EQ(socket.ReadLine(300), "");
        EXPECT_EQ(socket.LastError(), 10060);
        EXPECT_FALSE(socket.PendingBytes().isEmpty()); // nothing received is lost
    }
}

TEST(TBlockSocket, CountedReadsKeepTheSurplusPending)
{
    ScriptedPeer peer({{0, QByteArray("\x01\x02\x03\x04" "abcdefgh", 12)}});
    TTCPBlockSocket socket;
    connectTo(socket, peer);
    EXPECT_EQ(socket.ReadTextOfLength(0, 1000), "");
    EXPECT_EQ(socket.LastError(), 0);
    EXPECT_EQ(socket.ReadInt32(2000), 0x04030201);
    char buffer[3];
    EXPECT_EQ(socket.ReadBytesFully(buffer, 3, 2000), 3);
    EXPECT_EQ(QByteArray(buffer, 3), "abc");
    EXPECT_EQ(socket.PendingBytes(), "defgh");
    EXPECT_EQ(socket.ReadOneByte(1000), 'd');
    EXPECT_EQ(socket.ReadTextOfLength(4, 1000), "efgh");
}

TEST(TBlockSocket, ReadTextOfLengthKeepsReceivedBytesOnTimeout)
{
    ScriptedPeer peer({{0, "abc"}, {600, "de"}});
    TTCPBlockSocket socket;
    connectTo(socket, peer);
    EXPECT_EQ(socket.ReadTextOfLength(5, 200), "");
    EXPECT_EQ(socket.LastError(), 10060);
    EXPECT_EQ(socket.ReadTextOfLength(5, 2000), "abcde");
}

TEST(TBlockSocket, ReadSizedTextWithHugeLengthFromPeerFailsCleanly)
{
    // A length prefix of 2 GiB followed by three bytes and a close.
    ScriptedPeer peer({{0, QByteArray("\xFF\xFF\xFF\x7F" "abc", 7)}, {50, {}, true}});
    TTCPBlockSocket socket;
    connectTo(socket, peer);
    EXPECT_EQ(socket.ReadSizedText(3000), "");
    EXPECT_EQ(socket.LastError(), 10054);
    EXPECT_EQ(socket.PendingBytes(), "abc");
}

TEST(TBlockSocket, SizedSendsPutTheLengthFirst)
{
    ScriptedPeer peer({test::PeerStep{300}});
    TTCPBlockSocket socket;
    connectTo(socket, peer);
    socket.SendSizedText("abc");
    QBuffer stream;
    stream.setData("xyz");
    stream.open(QIODevice::ReadOnly);
    socket.SendStreamSizedBE(stream);
    QBuffer empty;
    empty.open(QIODevice::ReadOnly);
    socket.SendStreamSized(empty);
    socket.SendInt32(-2);
    socket.CloseConnection();
    EXPECT_EQ(peer.received().toHex(), QByteArray("03000000616263" "0000000378797a" "feffffff"));
}

TEST(TBlockSocket, StopFlagAbortsTheNextSend)
{
    ScriptedPeer peer({test::PeerStep{300}});
    TTCPBlockSocket socket;
    connectTo(socket, peer);
    socket.StopFlag = true;
    socket.SendText("never");
    EXPECT_EQ(socket.LastError(), 10053);
    EXPECT_FALSE(socket.StopFlag);
    socket.SendText("sent");
    EXPECT_EQ(socket.LastError(), 0);
    socket.CloseConnection();
    EXPECT_EQ(peer.received(), "sent");
}

TEST(TBlockSocket, BindToTheWildcardOnAFreshSocketDoesNothing)
{
    int events = 0; // outlives the socket, whose closing reports too
    TTCPBlockSocket socket;
    socket.OnStatus = [&](TBlockSocket &, THookSocketReason, const QString &) { ++events; };
    socket.BindTo("0.0.0.0", "0");
    EXPECT_EQ(socket.Handle(), -1);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(socket.LastError(), 0);
}

TEST(TBlockSocket, ConnectReportsItsStepsAndAddresses)
{
    ScriptedPeer peer({test::PeerStep{200}});
    QStringList events;
    TTCPBlockSocket socket;
    socket.OnStatus = [&](TBlockSocket &, THookSocketReason reason, const QString &value) {
        events << QString::number(int(reason)) + QLatin1Char('=') + value;
    };
    connectTo(socket, peer);
    const QString target = QStringLiteral("127.0.0.1:") + QString::number(peer.port());
    EXPECT_EQ(events, QStringList({QStringLiteral("0=") + target, QStringLiteral("1=") + target,
                                   QStringLiteral("2=IPv4"), QStringLiteral("5=") + target}));
    EXPECT_EQ(socket.RemoteAddressText(), "127.0.0.1");
    EXPECT_EQ(socket.RemotePortNumber(), peer.port());
    EXPECT_EQ(socket.LocalAddressText(), "127.0.0.1");
    EXPECT_GT(socket.LocalPortNumber(), 0);
}

TEST(TBlockSocket, RefusedConnectionIsRecordedOrRaised)
{
    const QByteArray closedPort = QByteArray::number(test::freeLoopbackPort());
    QString reported;
    TTCPBlockSocket socket;
    socket.OnStatus = [&](TBlockSocket &, THookSocketReason reason, const QString &value) {
        if (reason == THookSocketReason::HR_Error)
            reported = value;
    };
    socket.ConnectTo("127.0.0.1", closedPort);
    EXPECT_EQ(socket.LastError(), 10061);
    EXPECT_EQ(reported, "10061,Connection refused");

    TTCPBlockSocket raising;
    raising.RaiseExcept = true;
    try {
        raising.ConnectTo("127.0.0.1", closedPort);
        FAIL() << "no exception";
    } catch (const EQuorvelError &e) {
        EXPECT_EQ(e.ErrorCode(), 10061);
        EXPECT_EQ(e.userText(), "Quorvel TCP/IP Socket error 10061: Connection refused");
    }
}

TEST(TBlockSocket, ErrorTexts)
{
    struct Case { int code; const char *text; };
    for (const Case &c : {Case{0, ""}, Case{10054, "Connection reset by peer"},
                          Case{10091, "Network subsystem is unusable"},
                          Case{11001, "Host not found"},
                          Case{11004, "Valid name, no data record of requested type"},
                          Case{10059, "Too many references:can't splice"},
                          Case{12345, "Other Winsock error (12345)"}}) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(TBlockSocket::GetErrorDesc(c.code), QString::fromLatin1(c.text));
    }
}

TEST(TBlockSocket, ReadFilterMayRewriteButNotGrowTheData)
{
    ScriptedPeer peer({{0, "abc\r\n"}});
    TTCPBlockSocket socket;
    socket.OnReadFilter = [](TBlockSocket &, QByteArray &bytes) {
        bytes = bytes.toUpper() + "EXTRA";
    };
    connectTo(socket, peer);
    EXPECT_EQ(socket.ReadAvailable(2000), "ABC\r\n");
}

} // namespace
} // namespace bralvo::net
