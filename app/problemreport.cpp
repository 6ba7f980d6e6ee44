// The problem report mail and its delivery.
#include "app/problemreport.h"

#include "net/tsmtpsend.h"
#include "platform/textcodec.h"
#include "services/uitexts.h"

namespace bralvo::app {

namespace {

bool isSingleLine(const QString &text)
{
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return false;
    return true;
}

} // namespace

QString MakerContactAddress()
{
    return services::ContactEmailAddress();
}

QString MakerWebAddress()
{
    return QStringLiteral("https://www.tamrex.sk/");
}

ReportAccount MakerReportAccount()
{
    return {QStringLiteral("hlasenie@tamrex.sk"), MakerContactAddress(),
            QStringLiteral("smtp.tamrex.sk"), QStringLiteral("hlasenie@tamrex.sk"),
            QStringLiteral("KvorplaN")};
}

bool ReportFieldsAreSingleLines(const ProblemReport &report)
{
    return isSingleLine(report.name) && isSingleLine(report.email);
}

QStringList ProblemReportLines(const ProblemReport &report, const QString &programTitle,
                               const QString &recipient, const QDateTime &now)
{
    QStringList lines = {
        QStringLiteral("Subject: Report - ") + programTitle,
        QStringLiteral("From: ") + report.email,
        QStringLiteral("To: ") + recipient,
        QStringLiteral("Date: ") + now.toString(QStringLiteral("yyyy-MM-dd , hh:mm,ss")),
        QStringLiteral("Content-Type: text/plain;charset=windows-1250"),
        QString(),
    };
    QString text = report.message;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines += text.split(QLatin1Char('\n'));
    lines << QStringLiteral("---") << report.name;
    return lines;
}

QByteArrayList EncodeReportLines(const QStringList &lines)
{
    QByteArrayList encoded;
    for (const QString &line : lines)
        encoded.append(platform::encodeText(line, "windows-1250"));
    return encoded;
}

bool SendProblemReport(const ProblemReport &report, const QString &programTitle,
                       const ReportAccount &account)
{
    if (!ReportFieldsAreSingleLines(report))
        return false;
    const QStringList lines =
        ProblemReportLines(report, programTitle, account.recipient, QDateTime::currentDateTime());
    return net::SendMessageViaSmtp(account.sender, account.recipient, account.server,
                                   EncodeReportLines(lines), account.userName, account.password);
}

} // namespace bralvo::app
