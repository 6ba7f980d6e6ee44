// The SMTP client: replies, capabilities, authentication and one
// message transaction.
#include "net/tsmtpsend.h"

#include "services/base64.h"
#include "services/md5.h"
#include "services/textutils.h"
#include "services/ticks.h"

#include <algorithm>

namespace bralvo::net {

namespace {

constexpr int kBatchSize = 1500;

// Removes every leading and trailing character with a code of 32 or below.
QByteArray trimControls(const QByteArray &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && quint8(text[begin]) <= 32)
        ++begin;
    while (end > begin && quint8(text[end - 1]) <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString trimControls(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

bool holdsControl(const QByteArray &line)
{
    return std::any_of(line.begin(), line.end(),
                       [](char c) { return quint8(c) < 32 || quint8(c) == 127; });
}

int leadingCode(const QByteArray &line)
{
    if (line.size() < 3)
        return 0;
    const QByteArray digits = line.left(3);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return digits.toInt();
}

} // namespace

QByteArrayList SplitMessageLines(const QByteArrayList &lines)
{
    QByteArrayList out;
    for (const QByteArray &line : lines) {
        qsizetype start = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] != '\r' && line[i] != '\n')
                continue;
            out.append(line.mid(start, i - start));
            if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        out.append(line.mid(start));
    }
    return out;
}

TSMTPSend::TSMTPSend() : Sock(std::make_unique<TTCPBlockSocket>(&MakeSSL<TSSLNone>))
{
    Sock->ConvertLineEnd = true;
    Sock->MaxLineLength = kReplyLineLimit;
    // A peer dripping one byte at a time must not hold a reply for ever:
    // each reply (and a proxy's) has its time-out in all.
    Sock->InterPacketTimeout = false;
    TargetPort = "smtp";
    Timeout = 60000;
    SystemName = Sock->LocalHostName();
}

int TSMTPSend::SmtpReadReply()
{
    FullResult.clear();
    bool overlong = false;
    const std::uint32_t start = services::TickNowMs();
    for (;;) {
        // The reply as a whole has Timeout, however its lines drip in.
        const int timeout = Sock->ReplyTimeLeft(start, Timeout);
        const bool usedUp = timeout == 0 && Timeout > 0;  // 10060 recorded
        const QByteArray line = usedUp ? QByteArray() : Sock->ReadLine(timeout);
        ResultString = line;
        FullResult.append(line);
        if (Sock->LastError() != 0 || line.indexOf('-') != 3)
            break;
        if (FullResult.size() >= kReplyLineCount) {
            overlong = true;
            break;
        }
    }
    // A reply cut short (time-out, closed, overlong) is no answer, whatever
    // its first line said.
    ResultCode = overlong || Sock->LastError() != 0 ? 0 : leadingCode(FullResult.first());
    ParseEnhancedCode(FullResult.first());
    return ResultCode;
}

void TSMTPSend::ParseEnhancedCode(const QByteArray &line)
{
    EnhCode1 = EnhCode2 = EnhCode3 = 0;
    const QByteArray text = line.mid(4);
    const QByteArray first = trimControls(services::TextBefore(text, "."));
    QByteArray rest = trimControls(services::TextAfter(text, "."));
    if (first.size() != 1 || first.toInt() == 0)
        return;
    const QByteArray second = trimControls(services::TextBefore(rest, "."));
    rest = trimControls(services::TextAfter(rest, "."));
    if (second.isEmpty() || second.size() > 3)
        return;
    const QByteArray third = trimControls(services::TextBefore(rest, " "));
    if (third.isEmpty() || third.size() > 3)
        return;
    EnhCode1 = first.toInt();
    EnhCode2 = second.toInt();
    EnhCode3 = third.toInt();
}

int TSMTPSend::Command(const QByteArray &line)
{
    // CR or LF inside a command would let an address or a name add
    // commands of its own.
    if (holdsControl(line)) {
        FullResult.clear();
        ResultString.clear();
        ResultCode = 0;
        EnhCode1 = EnhCode2 = EnhCode3 = 0;
        return 0;
    }
    Sock->SendText(line + "\r\n");
    return SmtpReadReply();
}

bool TSMTPSend::SmtpConnect()
{
    Sock->CloseConnection();
    Sock->ConnectionTimeout = Timeout;
    Sock->SendTimeout = Timeout;
    Sock->BindTo(IPInterface, "0");
    if (Sock->LastError() == 0)
        Sock->ConnectTo(TargetHost, TargetPort);
    if (Sock->LastError() == 0 && FullSSL)
        Sock->StartEncryption();
    return Sock->LastError() == 0;
}

bool TSMTPSend::SmtpEhlo()
{
    const int code = Command("EHLO " + SystemName);
    return code >= 250 && code <= 259;
}

bool TSMTPSend::SmtpHelo()
{
    const int code = Command("HELO " + SystemName);
    return code >= 250 && code <= 259;
}

QByteArray TSMTPSend::SmtpFindCapability(const QByteArray &name) const
{
    const QByteArray wanted = name.toUpper();
    for (const QByteArray &line : ESMTPcap)
        if (line.toUpper().startsWith(wanted))
            return line;
    return {};
}

void TSMTPSend::RebuildCapabilities()
{
    ESMTPcap.clear();
    for (qsizetype i = 1; i < FullResult.size(); ++i)
        ESMTPcap.append(FullResult[i].mid(4));
}

bool TSMTPSend::SmtpLogin()
{
    ESMTP = true;
    AuthDone = false;
    ESMTPSize = false;
    MaxSize = 0;
    ESMTPcap.clear();
    if (!SmtpConnect() || SmtpReadReply() != 220)
        return false;
    if (!SmtpEhlo()) {
        ESMTP = false;
        if (!SmtpHelo())
            return false;
    }
    if (!ESMTP)
        return true;
    RebuildCapabilities();
    if (!FullSSL && AutoTLS && !SmtpFindCapability("STARTTLS").isEmpty()) {
        if (!SmtpStartTls())
            return false;
        SmtpEhlo();
        RebuildCapabilities();
    }
    if (!UserName.isEmpty() || !Password.isEmpty())
        Authenticate();
    const QByteArray size = SmtpFindCapability("SIZE");
    if (!size.isEmpty()) {
        ESMTPSize = true;
        MaxSize = size.mid(5).toInt();
    }
    return true;
}

void TSMTPSend::Authenticate()
{
    QByteArray auth = SmtpFindCapability("AUTH ");
    if (auth.isEmpty())
        auth = SmtpFindCapability("AUTH=");
    if (auth.isEmpty())
        return;
    const QByteArray methods = auth.toUpper();
    if (methods.contains("CRAM-MD5"))
        AuthDone = SmtpAuthCramMd5();
    if (!AuthDone && methods.contains("LOGIN"))
        AuthDone = SmtpAuthLogin();
}

bool TSMTPSend::SmtpAuthCramMd5()
{
    if (Command("AUTH CRAM-MD5") != 334)
        return false;
    const QByteArray challenge = services::Base64DecodeString(ResultString.mid(4));
    const QByteArray answer =
        UserName + ' '
        + services::BinToLowerHex(services::HmacMd5String(challenge, Password)).toLatin1();
    return Command(services::Base64EncodeString(answer)) == 235;
}

bool TSMTPSend::SmtpAuthLogin()
{
    if (Command("AUTH LOGIN") != 334)
        return false;
    if (Command(services::Base64EncodeString(UserName)) != 334)
        return false;
    return Command(services::Base64EncodeString(Password)) == 235;
}

bool TSMTPSend::SmtpStartTls()
{
    if (SmtpFindCapability("STARTTLS").isEmpty())
        return false;
    if (Command("STARTTLS") != 220 || Sock->LastError() != 0)
        return false;
    Sock->StartEncryption();
    return Sock->LastError() == 0;
}

bool TSMTPSend::SmtpMailFrom(const QByteArray &address, qint64 size)
{
    QByteArray line = "MAIL FROM:<" + address + '>';
    if (ESMTPSize && size > 0)
        line += " SIZE=" + QByteArray::number(size);
    return Command(line) == 250;
}

bool TSMTPSend::SmtpRcptTo(const QByteArray &address)
{
    return Command("RCPT TO:<" + address + '>') == 250;
}

bool TSMTPSend::SmtpData(const QByteArrayList &lines)
{
    if (Command("DATA") != 354)
        return false;
    QByteArray batch;
    for (QByteArray line : SplitMessageLines(lines)) {
        if (line.startsWith('.'))
            line.prepend('.');
        if (!batch.isEmpty() && batch.size() + line.size() >= kBatchSize) {
            Sock->SendText(batch);
            batch.clear();
            if (Sock->LastError() != 0)
                return false;
        }
        batch += line + "\r\n";
    }
    if (!batch.isEmpty())
        Sock->SendText(batch);
    if (Sock->LastError() != 0)
        return false;
    Sock->SendText(".\r\n");
    return SmtpReadReply() == 250;
}

bool TSMTPSend::SmtpLogout()
{
    const int code = Command("QUIT");
    Sock->CloseConnection();
    return code == 221;
}

bool SendMessageViaSmtp(const QString &sender, const QString &recipients, const QString &server,
                        const QByteArrayList &lines, const QString &userName,
                        const QString &password)
{
    TSMTPSend smtp;
    smtp.TargetHost = trimControls(services::TextBefore(server, QStringLiteral(":"))).toUtf8();
    if (server.contains(QLatin1Char(':'))) {
        const QString port = trimControls(services::TextAfter(server, QStringLiteral(":")));
        if (!port.isEmpty())
            smtp.TargetPort = port.toUtf8();
    }
    smtp.UserName = userName.toUtf8();
    smtp.Password = password.toUtf8();
    if (!smtp.SmtpLogin())
        return false;
    qint64 size = 0;
    for (const QByteArray &line : SplitMessageLines(lines))
        size += line.size() + 2;
    bool result = false;
    if (smtp.SmtpMailFrom(services::ExtractAngleAddress(sender).toUtf8(), size)) {
        QString rest = recipients;
        bool accepted = false;
        while (!rest.isEmpty()) {
            const QString entry = services::FetchQuoted(rest, QStringLiteral(","), QStringLiteral("\""));
            const QString address = services::ExtractAngleAddress(trimControls(entry));
            if (address.isEmpty())
                continue;
            accepted = smtp.SmtpRcptTo(address.toUtf8());
            if (!accepted)
                break;
        }
        if (accepted)
            result = smtp.SmtpData(lines);
    }
    smtp.SmtpLogout();
    return result;
}

} // namespace bralvo::net
