// The problem report of the settings window: the mail the user's text
// goes out in, and its delivery to the maker over SMTP.
#pragma once

#include <QByteArrayList>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace bralvo::app {

// Where the report goes and through which account.
struct ReportAccount {
    QString sender;     // envelope sender
    QString recipient;  // the maker's contact address, also the To: line
    QString server;     // "host" or "host:port"
    QString userName;
    QString password;
};

// The account installed beside the program: ProgramDir +
// "problemreport.ini", section [Account], keys Sender, Recipient (default:
// the maker's contact address), Server ("host" or "host:port"), User and
// Password. A missing file gives an account without a server, whose
// delivery fails.
QString ReportAccountFile();
ReportAccount ReadReportAccount(const QString &file);
ReportAccount MakerReportAccount();

// "Wed, 04 Mar 2026 05:06:07 +0100": English names, the time's own
// offset from UTC.
QString Rfc5322Date(const QDateTime &when);

// The maker's contact address and web address (with a trailing "/").
QString MakerContactAddress();
QString MakerWebAddress();

struct ProblemReport {
    QString name;     // "Vaše meno / prezývka:", one line
    QString email;    // "Váš e-mail:", one line
    QString message;  // the user's text, any number of lines
};

// A name or address holding a line break (or any other control
// character) could add header lines of its own; such a report is refused.
bool ReportFieldsAreSingleLines(const ProblemReport &report);

// The message as sent: Subject, From, To, Date (Rfc5322Date),
// "MIME-Version: 1.0", Content-Type text/plain in windows-1250,
// "Content-Transfer-Encoding: 8bit", an empty line, the text's lines,
// "---" and the name. The empty line keeps the user's first lines from
// being read as headers.
QStringList ProblemReportLines(const ProblemReport &report, const QString &programTitle,
                               const QString &recipient, const QDateTime &now);

// The lines in Windows-1250 (characters outside it become "?").
QByteArrayList EncodeReportLines(const QStringList &lines);

// Sends the report; true only when the server accepted it. Refuses
// (false, nothing sent) fields that are not single lines.
bool SendProblemReport(const ProblemReport &report, const QString &programTitle,
                       const ReportAccount &account);

} // namespace bralvo::app
