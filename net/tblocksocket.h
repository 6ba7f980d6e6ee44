// A blocking socket with a read-ahead buffer: connect, bind, send bytes,
// text, integers and streams, and read bytes, lines, terminated texts,
// counted blocks and streams with millisecond time-outs.
//
// Errors are state, not exceptions: every call leaves a Winsock-style
// code in LastError() (0 on success) and its English text in
// LastErrorText(); the caller tests them after the call. With RaiseExcept
// set, a recorded error (other than 10035 and 10036) also throws
// EQuorvelError. Codes the socket records itself: 10053 stop request,
// 10054 peer closed, 10055 a terminated read grew beyond MaxLineLength,
// 10060 time-out.
//
// A socket belongs to one thread; only StopFlag may be set from another.
#pragma once

#include "net/socketlibrary.h"
#include "platform/error.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>

class QIODevice;

namespace bralvo::net {

// A recorded socket error raised because RaiseExcept is set.
class EQuorvelError : public Error {
public:
    EQuorvelError(int code, const QString &text);
    int ErrorCode() const { return m_code; }
    const QString &ErrorMessage() const { return m_text; }

private:
    int m_code;
    QString m_text;
};

enum class TSocketFamily { SF_Any, SF_IP4, SF_IP6 };
// 0, 2 or 23.
int FamilyToAddressFamily(TSocketFamily family);

enum class THookSocketReason {
    HR_ResolvingBegin, HR_ResolvingEnd, HR_SocketCreate, HR_SocketClose, HR_Bind, HR_Connect,
    HR_CanRead, HR_CanWrite, HR_Listen, HR_Accept, HR_ReadCount, HR_WriteCount, HR_Wait, HR_Error
};

class TBlockSocket;
using THookSocketStatus = std::function<void(TBlockSocket &, THookSocketReason, const QString &)>;
// May rewrite received bytes; growth beyond the received count is cut.
using THookDataFilter = std::function<void(TBlockSocket &, QByteArray &)>;
using THookCreateSocket = std::function<void(TBlockSocket &)>;
using THookMonitor = std::function<void(TBlockSocket &, bool writing, const void *buffer, int length)>;

class TBlockSocket {
public:
    TBlockSocket();
    explicit TBlockSocket(const QString &ignored);
    // Closes through CloseConnection, which reports HR_SocketClose: the
    // handlers' captures must outlive the socket. Never throws.
    virtual ~TBlockSocket();
    TBlockSocket(const TBlockSocket &) = delete;
    TBlockSocket &operator=(const TBlockSocket &) = delete;

    THookSocketStatus OnStatus;
    THookDataFilter OnReadFilter;
    THookCreateSocket OnCreateSocket;
    THookMonitor OnMonitor;
    int Tag = 0;
    bool RaiseExcept = false;
    int MaxLineLength = 0;       // bytes; 0 means no bound
    int MaxSendBandwidth = 0;    // bytes per second; 0 or below: none
    int MaxRecvBandwidth = 0;
    bool ConvertLineEnd = false; // a CR LF terminator also matches CR, LF, LF CR
    bool PreferIP4 = true;
    bool InterPacketTimeout = true; // time-outs per wait, not per call
    int ConnectionTimeout = 0;      // ms for a connect; 0: the system's own
    int SendTimeout = 0;            // ms for each chunk to find room; 0: none
    int SendMaxChunk = 65536;
    std::atomic<bool> StopFlag{false};

    void SetMaxBandwidth(int bytesPerSecond);
    TSocketFamily Family() const { return m_family; }
    virtual void SetFamily(TSocketFamily family);

    virtual void AttachHandle(int handle);
    virtual void SendStreamData(QIODevice &stream, bool withSize, bool bigEndian);
    virtual void CloseConnection();
    virtual void AbortConnection();
    virtual void ConnectTo(const QByteArray &host, const QByteArray &port);
    virtual int SendBytes(const void *buffer, int length);
    virtual void SendOneByte(quint8 value);
    virtual void SendText(const QByteArray &text);
    virtual void SendInt32(qint32 value);
    virtual void SendSizedText(const QByteArray &text);
    virtual void SendStreamPlain(QIODevice &stream);
    virtual void SendStreamSized(QIODevice &stream);
    virtual void SendStreamSizedBE(QIODevice &stream);
    virtual int ReadBytes(void *buffer, int length);
    virtual int ReadBytesFully(void *buffer, int length, int timeoutMs);
    // Empty on an error; the bytes received so far stay pending.
    virtual QByteArray ReadTextOfLength(int length, int timeoutMs);
    virtual quint8 ReadOneByte(int timeoutMs);
    virtual qint32 ReadInt32(int timeoutMs);
    virtual QByteArray ReadLine(int timeoutMs);
    virtual QByteArray ReadUntil(int timeoutMs, const QByteArray &terminator);
    virtual QByteArray ReadAvailable(int timeoutMs);
    virtual QByteArray ReadSizedText(int timeoutMs);
    virtual void ReadStreamUntilError(QIODevice &stream, int timeoutMs);
    virtual void ReadStreamSized(QIODevice &stream, int timeoutMs);
    virtual void ReadStreamSizedBE(QIODevice &stream, int timeoutMs);
    virtual int PeekBytes(void *buffer, int length);
    virtual quint8 PeekOneByte(int timeoutMs);
    // Readable bytes the system holds, at most 65536.
    virtual int PendingByteCount();
    // The time-out for the next read of a reply made of several reads
    // that began at the tick start: timeoutMs with InterPacketTimeout on
    // (each wait has it) or when it is 0 or below, else what is left of
    // timeoutMs for the reply as a whole; 0 (10060 recorded) once that is
    // used up.
    int ReplyTimeLeft(std::uint32_t start, int timeoutMs);
    virtual QByteArray LocalAddressText();
    virtual QByteArray RemoteAddressText();
    virtual int LocalPortNumber();
    virtual int RemotePortNumber();
    // -1 waits without limit.
    virtual bool WaitReadable(int timeoutMs);
    virtual bool WaitReadableOrBuffered(int timeoutMs);
    virtual bool WaitWritable(int timeoutMs);
    virtual int SendDatagram(const void *buffer, int length);
    virtual int ReadDatagram(void *buffer, int length);
    virtual int SocketKind() const { return 0; }
    virtual int SocketProtocol() const { return 0; }

    // No handle, SF_Any, "0.0.0.0" and "0": nothing happens at all.
    void BindTo(const QByteArray &host, const QByteArray &port);
    static QString GetErrorDesc(int code);
    QByteArray LocalHostName();
    QByteArrayList ResolveNameList(const QByteArray &name);
    QByteArray ResolveFirstAddress(const QByteArray &name);
    int ResolvePortNumber(const QByteArray &port);

    int LastError() const { return m_lastError; }
    const QString &LastErrorText() const { return m_lastErrorText; }
    int Handle() const { return m_handle; }
    bool UsesIPv6() const { return m_ipv6InUse; }
    quint64 ReceivedCount() const { return m_receivedCount; }
    quint64 SentCount() const { return m_sentCount; }
    // Bytes received but not yet handed out.
    const QByteArray &PendingBytes() const { return m_pending; }

protected:
    // Records -1 as the errno's Winsock code, anything else as 0.
    int RecordResult(int result);
    void SetLastError(int code);
    // Sets the text; reports and (with RaiseExcept) throws a real error.
    void ErrorCheck();
    bool TakeStopRequest();
    void LimitBandwidth(int length, int limit, std::uint32_t &nextTick);
    int PlainSendBytes(const void *buffer, int length);
    // The send loop shared by plain and encrypted sockets: honours a stop
    // request, shows the bytes to the monitor, then hands out chunks of at
    // most SendMaxChunk within MaxSendBandwidth. sendChunk sends one chunk
    // and returns the bytes taken, negative to stop; a LastError also stops.
    // Each chunk is counted and reported as HR_WriteCount; ends with
    // ErrorCheck(). Returns the bytes sent.
    int SendInChunks(const void *buffer, int length,
                     const std::function<int(const char *chunk, int size)> &sendChunk);
    int PlainReadBytes(void *buffer, int length);
    void ApplyReadFilter(void *buffer, int &length);
    void NotifyStatus(THookSocketReason reason, const QString &value);
    void NotifyCreated();
    void NotifyMonitor(bool writing, const void *buffer, int length);
    void PrepareAddress(SocketAddress &record, const QByteArray &host, const QByteArray &port);
    void CreateHandle(const SocketAddress &record);
    void DirectConnect(const QByteArray &host, const QByteArray &port);
    void ReadLocalAddress();
    void ReadRemoteAddress();
    void Drain();
    bool HasHandle() const { return m_handle >= 0; }
    void CountSent(int count) { m_sentCount += count; }
    void CountReceived(int count) { m_receivedCount += count; }

    std::uint32_t m_nextSendTick = 0;
    std::uint32_t m_nextRecvTick = 0;
    QByteArray m_pending;

private:
    // Reads length bytes in SendMaxChunk pieces into stream; stops at the
    // first error. A length <= 0 reads nothing.
    void CopyToStream(QIODevice &stream, qint64 length, int timeoutMs);
    bool Wait(int timeoutMs, short events);
    bool WaitUntil(std::uint32_t start, int timeoutMs, short events);
    int ConnectWithin(const SocketAddress &record);
    int SendWithin(const char *chunk, int size);
    // With InterPacketTimeout off: takes the time since start off the
    // call's time-out; false (10060 recorded) once it is used up.
    bool SpendTime(int &remaining, std::uint32_t start);
    // 0-based position of the terminator in work, or -1.
    int FindTerminator(const QByteArray &work, const QByteArray &terminator, bool lineEndMode,
                       int &terminatorLength);
    void SendStreamPiece(QIODevice &stream, int remainder, const QByteArray &prefix);

    SocketAddress m_localAddress;
    SocketAddress m_remoteAddress;
    bool m_lastCR = false;
    bool m_lastLF = false;
    TSocketFamily m_family = TSocketFamily::SF_Any;
    TSocketFamily m_savedFamily = TSocketFamily::SF_Any;
    bool m_ipv6InUse = false;
    quint64 m_receivedCount = 0;
    quint64 m_sentCount = 0;
    int m_handle = -1;
    int m_lastError = 0;
    QString m_lastErrorText;
};

} // namespace bralvo::net
