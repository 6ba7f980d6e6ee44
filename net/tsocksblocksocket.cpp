// SOCKS greeting, request and reply (RFC 1928, RFC 1929, SOCKS 4/4a).
#include "net/tsocksblocksocket.h"

#include "net/addresstext.h"
#include "services/bytepacking.h"
#include "services/ticks.h"

namespace bralvo::net {

using services::PackWordBE;
using services::UnpackWordBE;

namespace {

QByteArray dotted(const QByteArray &bytes, int from)
{
    return QByteArray::number(quint8(bytes[from])) + '.' + QByteArray::number(quint8(bytes[from + 1]))
           + '.' + QByteArray::number(quint8(bytes[from + 2])) + '.'
           + QByteArray::number(quint8(bytes[from + 3]));
}

// A length that must fit the protocol's one length byte.
bool fitsLengthByte(const QByteArray &text) { return text.size() <= 255; }

} // namespace

bool TSocksBlockSocket::NegotiateSocks()
{
    m_usingSocks = false;
    if (SocksType == TSocksType::ST_Socks4) {
        m_usingSocks = true;
        return true;
    }
    if (!fitsLengthByte(SocksUsername) || !fitsLengthByte(SocksPassword))
        return false;
    SendText(SocksUsername.isEmpty() ? QByteArray("\x05\x01\x00", 3)
                                     : QByteArray("\x05\x02\x02\x00", 4));
    if (LastError() != 0)
        return false;
    const QByteArray answer = ReadTextOfLength(2, SocksTimeout);
    if (answer.size() < 2 || answer[0] != 0x05)
        return false;
    if (answer[1] == 0x02) {
        SendText('\x01' + QByteArray(1, char(SocksUsername.size())) + SocksUsername
                 + QByteArray(1, char(SocksPassword.size())) + SocksPassword);
        const QByteArray verdict = ReadTextOfLength(2, SocksTimeout);
        if (verdict.size() < 2 || verdict[1] != 0x00)
            return false;
    } else if (answer[1] != 0x00) {
        return false;
    }
    m_usingSocks = true;
    return true;
}

bool TSocksBlockSocket::SendSocksRequest(int command, const QByteArray &host,
                                         const QByteArray &port)
{
    const QByteArray target = EncodeSocksTarget(host, port);
    if (target.isEmpty())
        return false;
    if (SocksType == TSocksType::ST_Socks4)
        SendText('\x04' + QByteArray(1, char(command)) + target);
    else
        SendText('\x05' + QByteArray(1, char(command)) + '\x00' + target);
    return LastError() == 0;
}

QByteArray TSocksBlockSocket::EncodeSocksTarget(const QByteArray &host, const QByteArray &port)
{
    const QByteArray portBytes = PackWordBE(std::uint16_t(ResolvePortNumber(port)));
    const QByteArray target = SocksResolver ? host : ResolveFirstAddress(host);
    // A name that resolves to nothing reads as the wildcard; the proxy must
    // not be sent to 0.0.0.0 for it.
    if (!SocksResolver && target == "0.0.0.0" && host != "0.0.0.0") {
        SetLastError(11001);
        ErrorCheck();
        return {};
    }
    if (target.contains('\0') || SocksUsername.contains('\0'))
        return {};
    if (SocksType == TSocksType::ST_Socks4) {
        if (IsIPv4Text(target))
            return portBytes + IPv4TextToBytes(target) + SocksUsername + '\0';
        return portBytes + IPv4TextToBytes("0.0.0.1") + SocksUsername + '\0' + target + '\0';
    }
    if (IsIPv4Text(target))
        return '\x01' + IPv4TextToBytes(target) + portBytes;
    if (IsIPv6Text(target))
        return '\x04' + IPv6TextToBytes(target) + portBytes;
    if (target.isEmpty() || !fitsLengthByte(target))
        return {};
    return '\x03' + QByteArray(1, char(target.size())) + target + portBytes;
}

bool TSocksBlockSocket::ReadMore(QByteArray &reply, int count)
{
    const int timeout = ReplyTimeLeft(m_replyStart, SocksTimeout);
    if (LastError() != 0)
        return false;
    reply += ReadTextOfLength(count, timeout);
    return LastError() == 0;
}

bool TSocksBlockSocket::ReadSocks4Reply(QByteArray &reply)
{
    return ReadMore(reply, 8) && reply[0] == 0x00;
}

bool TSocksBlockSocket::ReadSocks5Reply(QByteArray &reply)
{
    if (!ReadMore(reply, 4) || reply[0] != 0x05)
        return false;
    switch (reply[3]) {
    case 0x01:
        if (!ReadMore(reply, 4))
            return false;
        break;
    case 0x03:
        if (!ReadMore(reply, 1) || !ReadMore(reply, quint8(reply[4])))
            return false;
        break;
    case 0x04:
        if (!ReadMore(reply, 16))
            return false;
        break;
    default:
        return false;
    }
    return ReadMore(reply, 2);
}

bool TSocksBlockSocket::ReadSocksReply()
{
    m_replyAddress.clear();
    m_replyPort.clear();
    m_replyCode = -1;
    QByteArray reply;
    m_replyStart = services::TickNowMs();
    const bool read = SocksType == TSocksType::ST_Socks4 ? ReadSocks4Reply(reply)
                                                         : ReadSocks5Reply(reply);
    if (!read)
        return false;
    m_replyCode = quint8(reply[1]);
    if (m_replyCode != 0 && m_replyCode != 90)
        return false;
    DecodeSocksReply(reply);
    return true;
}

int TSocksBlockSocket::DecodeSocksReply(const QByteArray &reply)
{
    m_replyPort = "0";
    const int size = int(reply.size());
    if (SocksType == TSocksType::ST_Socks4) {
        if (size < 8)
            return 0;
        m_replyPort = QByteArray::number(UnpackWordBE(reply, 3));
        m_replyAddress = dotted(reply, 4);
        return 9;
    }
    if (size < 4)
        return 0;
    int portAt = 0;
    const auto type = quint8(reply[3]);
    if (type == 0x01 && size >= 10) {
        m_replyAddress = dotted(reply, 4);
        portAt = 9;
    } else if (type == 0x03 && size >= 5 && size >= quint8(reply[4]) + 7) {
        const int y = quint8(reply[4]);
        m_replyAddress = reply.mid(5, y);
        portAt = y + 6;
    } else if (type == 0x04 && size >= 22) {
        m_replyAddress = IPv6BytesToText(reply.mid(4, 16));
        portAt = 21;
    } else {
        return 5;
    }
    m_replyPort = QByteArray::number(UnpackWordBE(reply, portAt));
    return portAt + 2;
}

} // namespace bralvo::net
