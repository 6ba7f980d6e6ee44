// The blocking socket: error recording, address preparation, sends,
// the read-ahead buffer and the terminated reads built on it.
#include "net/tblocksocket.h"

#include "net/addresstext.h"
#include "services/bytepacking.h"
#include "services/textutils.h"
#include "services/ticks.h"

#include <QIODevice>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace bralvo::net {

using services::PackLongBE;
using services::SwapBytes32;
using services::TickNowMs;
using services::TickSpan;

namespace {

// Closing drains what the peer still sends, but not without end.
constexpr int kDrainLimit = 4 * 1024 * 1024;
constexpr int kReadCap = 65536;

QByteArray littleEndian32(qint32 value)
{
    const auto v = quint32(value);
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((v >> (8 * i)) & 0xFF);
    return bytes;
}

qint32 readLittleEndian32(const QByteArray &bytes)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | quint8(bytes[i]);
    return qint32(v);
}

QString hostPort(const QByteArray &host, const QByteArray &port)
{
    return QString::fromLatin1(host + ':' + port);
}

} // namespace

EQuorvelError::EQuorvelError(int code, const QString &text)
    : Error(QStringLiteral("Quorvel TCP/IP Socket error %1: %2").arg(code).arg(text)),
      m_code(code), m_text(text)
{
}

int FamilyToAddressFamily(TSocketFamily family)
{
    switch (family) {
    case TSocketFamily::SF_IP4: return kFamilyIPv4;
    case TSocketFamily::SF_IP6: return kFamilyIPv6;
    default: return kFamilyUnspecified;
    }
}

TBlockSocket::TBlockSocket() = default;
TBlockSocket::TBlockSocket(const QString &) {}

TBlockSocket::~TBlockSocket()
{
    RaiseExcept = false; // a destructor must not throw
    TBlockSocket::CloseConnection();
}

void TBlockSocket::SetMaxBandwidth(int bytesPerSecond)
{
    MaxSendBandwidth = bytesPerSecond;
    MaxRecvBandwidth = bytesPerSecond;
}

void TBlockSocket::SetFamily(TSocketFamily family)
{
    m_family = family;
    m_savedFamily = family;
}

// --- error state

int TBlockSocket::RecordResult(int result)
{
    SetLastError(result == -1 ? WinsockErrorFromErrno(errno) : 0);
    return result;
}

void TBlockSocket::SetLastError(int code)
{
    m_lastError = code;
    m_lastErrorText = GetErrorDesc(code);
}

void TBlockSocket::ErrorCheck()
{
    m_lastErrorText = GetErrorDesc(m_lastError);
    if (m_lastError == 0 || m_lastError == 10035 || m_lastError == 10036)
        return;
    NotifyStatus(THookSocketReason::HR_Error,
                 QString::number(m_lastError) + QLatin1Char(',') + m_lastErrorText);
    if (RaiseExcept)
        throw EQuorvelError(m_lastError, m_lastErrorText);
}

bool TBlockSocket::TakeStopRequest()
{
    if (!StopFlag.exchange(false))
        return false;
    SetLastError(10053);
    ErrorCheck();
    return true;
}

void TBlockSocket::LimitBandwidth(int length, int limit, std::uint32_t &nextTick)
{
    if (limit <= 0)
        return;
    const std::uint32_t now = TickNowMs();
    if (now < nextTick) {
        const std::uint32_t wait = nextTick - now;
        NotifyStatus(THookSocketReason::HR_Wait, QString::number(wait));
        services::SleepMilliseconds(wait);
    }
    nextTick = std::uint32_t(double(length) / limit * 1000) + TickNowMs();
}

// --- events

void TBlockSocket::NotifyStatus(THookSocketReason reason, const QString &value)
{
    if (OnStatus)
        OnStatus(*this, reason, value);
}

void TBlockSocket::NotifyCreated()
{
    if (OnCreateSocket)
        OnCreateSocket(*this);
}

void TBlockSocket::NotifyMonitor(bool writing, const void *buffer, int length)
{
    if (OnMonitor)
        OnMonitor(*this, writing, buffer, length);
}

void TBlockSocket::ApplyReadFilter(void *buffer, int &length)
{
    if (!OnReadFilter)
        return;
    QByteArray text(static_cast<const char *>(buffer), length);
    OnReadFilter(*this, text);
    if (text.size() > length)
        text.truncate(length);
    length = int(text.size());
    std::memcpy(buffer, text.constData(), size_t(length));
}

// --- handle, addresses, connect

void TBlockSocket::PrepareAddress(SocketAddress &record, const QByteArray &host,
                                  const QByteArray &port)
{
    NotifyStatus(THookSocketReason::HR_ResolvingBegin, hostPort(host, port));
    SetLastError(0);
    TSocketFamily family = m_family;
    if (!HasHandle() && family == TSocketFamily::SF_Any) {
        if (IsIPv4Text(host))
            family = TSocketFamily::SF_IP4;
        else if (IsIPv6Text(host))
            family = TSocketFamily::SF_IP6;
    }
    SetLastError(FillAddressRecord(record, host, port, FamilyToAddressFamily(family),
                                   SocketProtocol(), SocketKind(), PreferIP4));
    NotifyStatus(THookSocketReason::HR_ResolvingEnd, hostPort(host, port));
}

void TBlockSocket::CreateHandle(const SocketAddress &record)
{
    StopFlag = false;
    m_receivedCount = 0;
    m_sentCount = 0;
    SetLastError(0);
    if (HasHandle())
        return;
    m_pending.clear();
    m_ipv6InUse = record.family() == kFamilyIPv6;
    const int handle = ::socket(record.storage.ss_family, SocketKind() | SOCK_CLOEXEC,
                                SocketProtocol());
    if (RecordResult(handle < 0 ? -1 : 0) == 0)
        m_handle = handle;
    ErrorCheck();
    NotifyStatus(THookSocketReason::HR_SocketCreate,
                 m_ipv6InUse ? QStringLiteral("IPv6") : QStringLiteral("IPv4"));
    NotifyCreated();
}

void TBlockSocket::ReadLocalAddress()
{
    m_localAddress.clear();
    socklen_t length = sizeof m_localAddress.storage;
    ::getsockname(m_handle, reinterpret_cast<sockaddr *>(&m_localAddress.storage), &length);
}

void TBlockSocket::ReadRemoteAddress()
{
    m_remoteAddress.clear();
    socklen_t length = sizeof m_remoteAddress.storage;
    ::getpeername(m_handle, reinterpret_cast<sockaddr *>(&m_remoteAddress.storage), &length);
}

void TBlockSocket::BindTo(const QByteArray &host, const QByteArray &port)
{
    SetLastError(0);
    if (!HasHandle() && m_family == TSocketFamily::SF_Any && host == "0.0.0.0" && port == "0")
        return;
    SocketAddress record;
    PrepareAddress(record, host, port);
    if (m_lastError == 0) {
        CreateHandle(record);
        if (m_lastError == 0) {
            RecordResult(::bind(m_handle, reinterpret_cast<const sockaddr *>(&record.storage),
                                SocketAddressSize(record)));
            ReadLocalAddress();
            m_pending.clear();
        }
    }
    ErrorCheck();
    NotifyStatus(THookSocketReason::HR_Bind, hostPort(host, port));
}

// Without a time-out the system's own connect decides (minutes against
// a full backlog); with one the attempt runs non-blocking and is given up
// with 10060 when the time is up.
int TBlockSocket::ConnectWithin(const SocketAddress &record)
{
    const auto *address = reinterpret_cast<const sockaddr *>(&record.storage);
    if (ConnectionTimeout <= 0) {
        int result;
        do {
            result = ::connect(m_handle, address, SocketAddressSize(record));
        } while (result == -1 && errno == EINTR);
        return RecordResult(result);
    }
    const int flags = ::fcntl(m_handle, F_GETFL);
    ::fcntl(m_handle, F_SETFL, flags | O_NONBLOCK);
    int result = ::connect(m_handle, address, SocketAddressSize(record));
    if (result == -1 && (errno == EINPROGRESS || errno == EINTR)) {
        if (!WaitUntil(TickNowMs(), ConnectionTimeout, POLLOUT)) {
            ::fcntl(m_handle, F_SETFL, flags);
            SetLastError(10060);
            return -1;
        }
        int failure = 0;
        socklen_t size = sizeof failure;
        ::getsockopt(m_handle, SOL_SOCKET, SO_ERROR, &failure, &size);
        errno = failure;
        result = failure == 0 ? 0 : -1;
    }
    const int saved = errno;
    ::fcntl(m_handle, F_SETFL, flags);
    errno = saved;
    return RecordResult(result);
}

// Waits for the events until timeoutMs after start has passed; false when
// the time ran out or the wait failed.
bool TBlockSocket::WaitUntil(std::uint32_t start, int timeoutMs, short events)
{
    for (;;) {
        const int left = timeoutMs - int(TickSpan(start, TickNowMs()));
        if (left <= 0)
            return false;
        pollfd entry{m_handle, events, 0};
        const int result = ::poll(&entry, 1, left);
        if (result > 0)
            return true;
        if (result == 0 || errno != EINTR)
            return false;
    }
}

void TBlockSocket::DirectConnect(const QByteArray &host, const QByteArray &port)
{
    SocketAddress record;
    PrepareAddress(record, host, port);
    if (m_lastError == 0) {
        CreateHandle(record);
        if (m_lastError == 0) {
            if (ConnectWithin(record) == 0) {
                ReadLocalAddress();
                ReadRemoteAddress();
            }
        }
    }
    m_pending.clear();
    m_lastCR = false;
    m_lastLF = false;
    ErrorCheck();
    NotifyStatus(THookSocketReason::HR_Connect, hostPort(host, port));
}

void TBlockSocket::ConnectTo(const QByteArray &host, const QByteArray &port)
{
    DirectConnect(host, port);
}

void TBlockSocket::AttachHandle(int handle)
{
    m_receivedCount = 0;
    m_sentCount = 0;
    m_handle = handle;
    ReadLocalAddress();
    ReadRemoteAddress();
    m_ipv6InUse = m_remoteAddress.family() == kFamilyIPv6;
}

void TBlockSocket::AbortConnection()
{
    if (HasHandle())
        ::close(m_handle);
    m_handle = -1;
    m_family = m_savedFamily;
    SetLastError(0);
    NotifyStatus(THookSocketReason::HR_SocketClose, QString());
}

void TBlockSocket::CloseConnection()
{
    AbortConnection();
}

void TBlockSocket::Drain()
{
    services::SleepMilliseconds(1);
    int drained = 0;
    try {
        while ((!m_pending.isEmpty() || PendingByteCount() >= 1) && drained < kDrainLimit) {
            drained += int(ReadAvailable(0).size());
            if (m_lastError != 0)
                break;
        }
    } catch (...) {
        // Closing goes on whatever the peer did.
    }
    m_pending.clear();
    SetLastError(0);
}

QByteArray TBlockSocket::LocalAddressText() { return AddressRecordIP(m_localAddress); }
QByteArray TBlockSocket::RemoteAddressText() { return AddressRecordIP(m_remoteAddress); }
int TBlockSocket::LocalPortNumber() { return AddressRecordPort(m_localAddress); }
int TBlockSocket::RemotePortNumber() { return AddressRecordPort(m_remoteAddress); }

QByteArray TBlockSocket::LocalHostName()
{
    const QByteArray name = HostNameText();
    return name.isEmpty() ? QByteArray("127.0.0.1") : name;
}

QByteArrayList TBlockSocket::ResolveNameList(const QByteArray &name)
{
    return ListAddressesOfName(name, FamilyToAddressFamily(m_family), SocketProtocol(),
                               SocketKind());
}

QByteArray TBlockSocket::ResolveFirstAddress(const QByteArray &name)
{
    return ResolveNameList(name).value(0, "0.0.0.0");
}

int TBlockSocket::ResolvePortNumber(const QByteArray &port)
{
    return PortNumberOf(port, FamilyToAddressFamily(m_family), SocketProtocol(), SocketKind());
}

// --- sending

int TBlockSocket::SendInChunks(const void *buffer, int length,
                               const std::function<int(const char *chunk, int size)> &sendChunk)
{
    if (TakeStopRequest())
        return 0;
    NotifyMonitor(true, buffer, length);
    int sent = 0;
    while (sent < length) {
        const int chunk = std::min(length - sent, SendMaxChunk);
        if (chunk <= 0)
            break;
        LimitBandwidth(chunk, MaxSendBandwidth, m_nextSendTick);
        const int result = sendChunk(static_cast<const char *>(buffer) + sent, chunk);
        if (m_lastError != 0 || result < 0)
            break;
        sent += result;
        CountSent(result);
        NotifyStatus(THookSocketReason::HR_WriteCount, QString::number(result));
    }
    ErrorCheck();
    return sent;
}

int TBlockSocket::PlainSendBytes(const void *buffer, int length)
{
    return SendInChunks(buffer, length, [this](const char *chunk, int size) {
        if (SendTimeout <= 0) {
            const auto result = ::send(m_handle, chunk, size_t(size), MSG_NOSIGNAL);
            RecordResult(result < 0 ? -1 : 0);
            return int(result);
        }
        return SendWithin(chunk, size);
    });
}

// A peer that stops reading fills the send buffer; each chunk must find
// room within SendTimeout or the send ends with 10060.
int TBlockSocket::SendWithin(const char *chunk, int size)
{
    const std::uint32_t start = TickNowMs();
    for (;;) {
        const auto result = ::send(m_handle, chunk, size_t(size), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (result >= 0) {
            SetLastError(0);
            return int(result);
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            RecordResult(-1);
            return -1;
        }
        if (errno != EINTR && !WaitUntil(start, SendTimeout, POLLOUT)) {
            SetLastError(10060);
            return -1;
        }
    }
}

int TBlockSocket::SendBytes(const void *buffer, int length)
{
    return PlainSendBytes(buffer, length);
}

void TBlockSocket::SendOneByte(quint8 value)
{
    const char byte = char(value);
    SendBytes(&byte, 1);
}

void TBlockSocket::SendText(const QByteArray &text)
{
    SendBytes(text.constData(), int(text.size()));
}

void TBlockSocket::SendInt32(qint32 value)
{
    SendText(littleEndian32(value));
}

void TBlockSocket::SendSizedText(const QByteArray &text)
{
    SendText(PackLongBE(SwapBytes32(std::uint32_t(text.size()))) + text);
}

void TBlockSocket::SendStreamData(QIODevice &stream, bool withSize, bool bigEndian)
{
    const qint64 remainder = stream.size() - stream.pos();
    if (remainder <= 0)
        return;
    const auto length = std::uint32_t(remainder);
    const QByteArray prefix = PackLongBE(bigEndian ? length : SwapBytes32(length));
    SendStreamPiece(stream, int(remainder), withSize ? prefix : QByteArray());
}

void TBlockSocket::SendStreamPiece(QIODevice &stream, int remainder, const QByteArray &prefix)
{
    int sent = 0;
    bool first = true;
    while (sent < remainder) {
        const QByteArray piece = stream.read(SendMaxChunk);
        if (piece.isEmpty())
            break;
        SendText(first ? prefix + piece : piece);
        first = false;
        if (m_lastError != 0)
            break;
        sent += int(piece.size());
    }
}

void TBlockSocket::SendStreamPlain(QIODevice &stream) { SendStreamData(stream, false, false); }
void TBlockSocket::SendStreamSized(QIODevice &stream) { SendStreamData(stream, true, false); }
void TBlockSocket::SendStreamSizedBE(QIODevice &stream) { SendStreamData(stream, true, true); }

// --- waiting

bool TBlockSocket::Wait(int timeoutMs, short events)
{
    if (!HasHandle()) {
        SetLastError(10038);
        ErrorCheck();
        return false;
    }
    pollfd entry{m_handle, events, 0};
    int result;
    do {
        result = ::poll(&entry, 1, timeoutMs < 0 ? -1 : timeoutMs);
    } while (result == -1 && errno == EINTR);
    RecordResult(result);
    const bool ready = result > 0;
    ErrorCheck();
    return ready;
}

bool TBlockSocket::WaitReadable(int timeoutMs)
{
    const bool ready = Wait(timeoutMs, POLLIN);
    if (ready)
        NotifyStatus(THookSocketReason::HR_CanRead, QString());
    return ready;
}

bool TBlockSocket::WaitWritable(int timeoutMs)
{
    const bool ready = Wait(timeoutMs, POLLOUT);
    if (ready)
        NotifyStatus(THookSocketReason::HR_CanWrite, QString());
    return ready;
}

bool TBlockSocket::WaitReadableOrBuffered(int timeoutMs)
{
    if (!m_pending.isEmpty())
        return true;
    return WaitReadable(timeoutMs);
}

int TBlockSocket::PendingByteCount()
{
    if (!HasHandle())
        return 0;
    int count = 0;
    if (::ioctl(m_handle, FIONREAD, &count) != 0)
        return 0;
    return std::clamp(count, 0, kReadCap);
}

// --- reading

int TBlockSocket::PlainReadBytes(void *buffer, int length)
{
    if (TakeStopRequest())
        return 0;
    LimitBandwidth(length, MaxRecvBandwidth, m_nextRecvTick);
    ssize_t result;
    do {
        result = ::recv(m_handle, buffer, size_t(std::max(length, 0)), 0);
    } while (result == -1 && errno == EINTR);
    if (result == 0 && length > 0)
        SetLastError(10054);
    else
        RecordResult(result < 0 ? -1 : 0);
    ErrorCheck();
    int count = int(std::max<ssize_t>(result, result < 0 ? -1 : 0));
    if (count > 0) {
        CountReceived(count);
        NotifyStatus(THookSocketReason::HR_ReadCount, QString::number(count));
        NotifyMonitor(false, buffer, count);
        ApplyReadFilter(buffer, count);
    }
    return count;
}

int TBlockSocket::ReadBytes(void *buffer, int length)
{
    return PlainReadBytes(buffer, length);
}

QByteArray TBlockSocket::ReadAvailable(int timeoutMs)
{
    SetLastError(0);
    QByteArray result;
    const auto readCount = [&](int count) {
        QByteArray bytes(count, '\0');
        const int got = ReadBytes(bytes.data(), count);
        if (got > 0)
            result = bytes.left(got);
    };
    if (!m_pending.isEmpty()) {
        result = m_pending;
        m_pending.clear();
    } else {
        sched_yield();
        if (const int count = PendingByteCount(); count > 0) {
            readCount(count);
        } else if (WaitReadable(timeoutMs)) {
            const int ready = PendingByteCount();
            if (ready == 0)
                SetLastError(10054);
            else
                readCount(ready);
        } else if (m_lastError == 0) {
            SetLastError(10060);
        }
    }
    if (ConvertLineEnd && !result.isEmpty()) {
        if (m_lastCR && result.startsWith('\n'))
            result.remove(0, 1);
        else if (m_lastLF && result.startsWith('\r'))
            result.remove(0, 1);
        m_lastCR = false;
        m_lastLF = false;
    }
    ErrorCheck();
    return result;
}

int TBlockSocket::ReadBytesFully(void *buffer, int length, int timeoutMs)
{
    SetLastError(0);
    if (length <= 0)
        return 0;
    int stored = 0;
    int remaining = timeoutMs;
    for (;;) {
        const std::uint32_t start = TickNowMs();
        const QByteArray piece = ReadAvailable(remaining);
        const int take = std::min(int(piece.size()), length - stored);
        std::memcpy(static_cast<char *>(buffer) + stored, piece.constData(), size_t(take));
        stored += take;
        if (take < piece.size())
            m_pending = piece.mid(take) + m_pending;
        if (m_lastError != 0 || stored >= length)
            break;
        if (!SpendTime(remaining, start))
            break;
    }
    ErrorCheck();
    return stored;
}

QByteArray TBlockSocket::ReadTextOfLength(int length, int timeoutMs)
{
    SetLastError(0);
    if (length < 1)
        return {};
    // The buffer grows with what arrives: a length taken from the peer
    // must not decide how much memory is reserved up front.
    QByteArray text;
    int remaining = timeoutMs;
    for (;;) {
        const std::uint32_t start = TickNowMs();
        const QByteArray piece = ReadAvailable(remaining);
        const int take = std::min(int(piece.size()), length - int(text.size()));
        text += piece.left(take);
        if (take < piece.size())
            m_pending = piece.mid(take) + m_pending;
        if (m_lastError != 0 || text.size() >= length)
            break;
        if (!SpendTime(remaining, start))
            break;
    }
    if (m_lastError != 0) {
        // Nothing received is lost: the partial block waits for the next read.
        m_pending = text + m_pending;
        ErrorCheck();
        return {};
    }
    ErrorCheck();
    return text;
}

quint8 TBlockSocket::ReadOneByte(int timeoutMs)
{
    SetLastError(0);
    if (m_pending.isEmpty())
        m_pending = ReadAvailable(timeoutMs);
    quint8 value = 0;
    if (m_lastError == 0 && !m_pending.isEmpty()) {
        value = quint8(m_pending[0]);
        m_pending.remove(0, 1);
    }
    ErrorCheck();
    return value;
}

qint32 TBlockSocket::ReadInt32(int timeoutMs)
{
    const QByteArray bytes = ReadTextOfLength(4, timeoutMs);
    return m_lastError != 0 ? 0 : readLittleEndian32(bytes);
}

QByteArray TBlockSocket::ReadSizedText(int timeoutMs)
{
    const qint32 length = ReadInt32(timeoutMs);
    if (m_lastError != 0)
        return {};
    return ReadTextOfLength(length, timeoutMs);
}

bool TBlockSocket::SpendTime(int &remaining, std::uint32_t start)
{
    if (InterPacketTimeout || remaining < 0)
        return true;
    remaining -= int(TickSpan(start, TickNowMs()));
    if (remaining > 0)
        return true;
    SetLastError(10060);
    return false;
}

int TBlockSocket::ReplyTimeLeft(std::uint32_t start, int timeoutMs)
{
    if (InterPacketTimeout || timeoutMs <= 0)
        return timeoutMs;
    const int left = timeoutMs - int(TickSpan(start, TickNowMs()));
    if (left > 0)
        return left;
    SetLastError(10060);
    ErrorCheck();
    return 0;
}

int TBlockSocket::FindTerminator(const QByteArray &work, const QByteArray &terminator,
                                 bool lineEndMode, int &terminatorLength)
{
    if (!lineEndMode) {
        terminatorLength = int(terminator.size());
        return int(work.indexOf(terminator));
    }
    QByteArray end;
    const int position = services::FindLineBreak(work, end);
    if (position <= 0)
        return -1;
    // A lone CR (LF) may be the first half of a pair split across packets.
    m_lastCR = end == "\r";
    m_lastLF = end == "\n";
    terminatorLength = int(end.size());
    return position - 1;
}

QByteArray TBlockSocket::ReadUntil(int timeoutMs, const QByteArray &terminator)
{
    SetLastError(0);
    if (terminator.isEmpty())
        return {};
    const bool lineEndMode = ConvertLineEnd && terminator == "\r\n";
    QByteArray work;
    int found = -1;
    int terminatorLength = 0;
    int remaining = timeoutMs;
    for (;;) {
        const std::uint32_t start = TickNowMs();
        work += ReadAvailable(remaining);
        if (m_lastError != 0)
            break;
        found = FindTerminator(work, terminator, lineEndMode, terminatorLength);
        const int lineLength = found >= 0 ? found : int(work.size());
        if (MaxLineLength != 0 && lineLength > MaxLineLength) {
            found = -1;
            SetLastError(10055);
            break;
        }
        if (found >= 0)
            break;
        if (!SpendTime(remaining, start))
            break;
    }
    QByteArray result;
    if (found >= 0) {
        result = work.left(found);
        work.remove(0, found + terminatorLength);
    }
    // Also after an error: nothing received is lost.
    m_pending = work + m_pending;
    ErrorCheck();
    return result;
}

QByteArray TBlockSocket::ReadLine(int timeoutMs)
{
    const QByteArray line = ReadUntil(timeoutMs, "\r\n");
    return m_lastError != 0 ? QByteArray() : line;
}

void TBlockSocket::ReadStreamUntilError(QIODevice &stream, int timeoutMs)
{
    for (;;) {
        const QByteArray piece = ReadAvailable(timeoutMs);
        if (m_lastError != 0)
            break;
        services::WriteStringToStream(stream, piece);
    }
}

void TBlockSocket::ReadStreamSized(QIODevice &stream, int timeoutMs)
{
    const qint32 length = ReadInt32(timeoutMs);
    if (m_lastError != 0)
        return;
    CopyToStream(stream, length, timeoutMs);
}

void TBlockSocket::ReadStreamSizedBE(QIODevice &stream, int timeoutMs)
{
    const QByteArray prefix = ReadTextOfLength(4, timeoutMs);
    if (m_lastError != 0)
        return;
    const auto length = qint32(quint32(quint8(prefix[0])) << 24 | quint32(quint8(prefix[1])) << 16
                               | quint32(quint8(prefix[2])) << 8 | quint8(prefix[3]));
    CopyToStream(stream, length, timeoutMs);
}

void TBlockSocket::CopyToStream(QIODevice &stream, qint64 length, int timeoutMs)
{
    for (qint64 left = length; left > 0;) {
        const int piece = int(std::min<qint64>(left, SendMaxChunk));
        const QByteArray bytes = ReadTextOfLength(piece, timeoutMs);
        if (m_lastError != 0)
            break;
        services::WriteStringToStream(stream, bytes);
        left -= piece;
    }
}

int TBlockSocket::PeekBytes(void *buffer, int length)
{
    const auto result = ::recv(m_handle, buffer, size_t(std::max(length, 0)), MSG_PEEK);
    RecordResult(result < 0 ? -1 : 0);
    ErrorCheck();
    return int(result);
}

quint8 TBlockSocket::PeekOneByte(int timeoutMs)
{
    quint8 value = 0;
    if (WaitReadable(timeoutMs)) {
        if (PeekBytes(&value, 1) != 1)
            value = 0;
    } else {
        SetLastError(10060);
    }
    ErrorCheck();
    return value;
}

// --- datagrams

int TBlockSocket::SendDatagram(const void *buffer, int length)
{
    if (TakeStopRequest())
        return 0;
    NotifyMonitor(true, buffer, length);
    LimitBandwidth(length, MaxSendBandwidth, m_nextSendTick);
    const auto result = ::sendto(m_handle, buffer, size_t(std::max(length, 0)), MSG_NOSIGNAL,
                                 reinterpret_cast<const sockaddr *>(&m_remoteAddress.storage),
                                 SocketAddressSize(m_remoteAddress));
    RecordResult(result < 0 ? -1 : 0);
    ErrorCheck();
    if (result > 0) {
        CountSent(int(result));
        NotifyStatus(THookSocketReason::HR_WriteCount, QString::number(result));
    }
    return int(result);
}

int TBlockSocket::ReadDatagram(void *buffer, int length)
{
    if (TakeStopRequest())
        return 0;
    LimitBandwidth(length, MaxRecvBandwidth, m_nextRecvTick);
    socklen_t size = sizeof m_remoteAddress.storage;
    const auto result = ::recvfrom(m_handle, buffer, size_t(std::max(length, 0)), 0,
                                   reinterpret_cast<sockaddr *>(&m_remoteAddress.storage), &size);
    RecordResult(result < 0 ? -1 : 0);
    ErrorCheck();
    if (result > 0) {
        CountReceived(int(result));
        NotifyStatus(THookSocketReason::HR_ReadCount, QString::number(result));
        NotifyMonitor(false, buffer, int(result));
    }
    return int(result);
}

} // namespace bralvo::net
