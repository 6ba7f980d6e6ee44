// The client side of SMTP (RFC 5321) over a TTCPBlockSocket: greeting,
// EHLO or HELO, the capability list, STARTTLS (never succeeds: there is
// no encryption), AUTH CRAM-MD5 or LOGIN, MAIL FROM with SIZE, RCPT TO,
// DATA with dot-stuffing, QUIT.
//
// Every step blocks until the server answers or Timeout runs out and
// reports by its bool result; nothing throws. Timeout bounds the connect,
// each chunk sent (a peer that stops reading) and each reply as a whole
// (a peer dripping bytes or lines; the socket's InterPacketTimeout is
// off, so a SOCKS or tunnel proxy's reply is bounded by its own time-out
// as a whole too); any of them ends with 10060. The reason is in
// ResultCode, ResultString, FullResult, the enhanced codes and the
// socket's LastError()/LastErrorText().
//
// Safety: a command holding a control character (CR, LF, NUL, ...) is
// never sent; the step fails with ResultCode 0. Message lines are split
// at embedded line breaks, so every line on the wire is dot-stuffed and a
// line can never end the message early. A reply line is at most
// kReplyLineLimit bytes and a reply at most kReplyLineCount lines; beyond
// that, and for a reply cut short by an error, the reply fails (code 0).
#pragma once

#include "net/tquorclient.h"
#include "net/ttcpblocksocket.h"

#include <QByteArrayList>
#include <QString>

#include <memory>

namespace bralvo::net {

class TSMTPSend : public TQuorClient {
public:
    static constexpr int kReplyLineLimit = 4096;
    static constexpr int kReplyLineCount = 256;

    // TargetPort "smtp" (25), Timeout 60000 ms, SystemName the local host
    // name; Sock made with TSSLNone and ConvertLineEnd set.
    TSMTPSend();

    std::unique_ptr<TTCPBlockSocket> Sock;
    int ResultCode = 0;
    QByteArray ResultString;     // last line of the last reply
    QByteArrayList FullResult;   // every line of the last reply
    QByteArrayList ESMTPcap;     // EHLO capability lines without "250-"
    bool ESMTP = false;
    bool AuthDone = false;
    bool ESMTPSize = false;
    int MaxSize = 0;
    int EnhCode1 = 0, EnhCode2 = 0, EnhCode3 = 0;
    QByteArray SystemName;
    bool AutoTLS = false;
    bool FullSSL = false;

    bool SmtpConnect();
    int SmtpReadReply();
    void ParseEnhancedCode(const QByteArray &line);
    bool SmtpEhlo();
    bool SmtpHelo();
    // The first capability line beginning with name (letter case
    // ignored), as stored; empty when none.
    QByteArray SmtpFindCapability(const QByteArray &name) const;
    bool SmtpStartTls();
    bool SmtpAuthCramMd5();
    bool SmtpAuthLogin();
    // Connected and greeted; the outcome of AUTH does not change it.
    bool SmtpLogin();
    bool SmtpMailFrom(const QByteArray &address, qint64 size);
    bool SmtpRcptTo(const QByteArray &address);
    bool SmtpData(const QByteArrayList &lines);
    // Sends QUIT and closes in any case; true for 221.
    bool SmtpLogout();

private:
    // Sends the line and CR LF, then reads the reply; 0 for a refused line.
    int Command(const QByteArray &line);
    void RebuildCapabilities();
    void Authenticate();
};

// The message lines as they go on the wire: each given line split at its
// embedded CR LF, CR or LF.
QByteArrayList SplitMessageLines(const QByteArrayList &lines);

// One whole delivery: server is "host" or "host:port" (port "smtp" when
// absent), recipients a comma-separated list whose quoted display names
// may hold commas, lines the message with its headers in the caller's
// encoding. Addresses and account go out as UTF-8. True only when the
// server accepted the message after the closing ".".
bool SendMessageViaSmtp(const QString &sender, const QString &recipients, const QString &server,
                        const QByteArrayList &lines, const QString &userName,
                        const QString &password);

} // namespace bralvo::net
