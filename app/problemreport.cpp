// The problem report mail and its delivery.
#include "app/problemreport.h"

#include "net/tsmtpsend.h"
#include "platform/inifile.h"
#include "platform/textcodec.h"
#include "services/globals.h"
#include "services/uitexts.h"

#include <QLocale>

#include <cstdlib>

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

QString ReportAccountFile()
{
    return services::ProgramDir + QStringLiteral("problemreport.ini");
}

ReportAccount ReadReportAccount(const QString &file)
{
    const platform::IniFile ini(file);
    const QString section = QStringLiteral("Account");
    const auto value = [&](const char *key, const QString &fallback = QString()) {
        return ini.readString(section, QLatin1String(key), fallback);
    };
    return {value("Sender"), value("Recipient", MakerContactAddress()), value("Server"), value("User"),
            value("Password")};
}

ReportAccount MakerReportAccount()
{
    return ReadReportAccount(ReportAccountFile());
}

QString Rfc5322Date(const QDateTime &when)
{
    const int offset = when.offsetFromUtc() / 60;
    const QChar sign = offset < 0 ? QLatin1Char('-') : QLatin1Char('+');
    const int minutes = std::abs(offset);
    return QLocale::c().toString(when, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss ")) + sign
        + QStringLiteral("%1%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
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
        QStringLiteral("Date: ") + Rfc5322Date(now),
        QStringLiteral("MIME-Version: 1.0"),
        QStringLiteral("Content-Type: text/plain; charset=windows-1250"),
        QStringLiteral("Content-Transfer-Encoding: 8bit"),
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
