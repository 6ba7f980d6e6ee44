// The connection-string dialog.
#include "report/dataeditors/trpconnectionstring.h"

#include "platform/error.h"
#include "platform/inifile.h"
#include "platform/messageboxseam.h"
#include "platform/stringlist.h"
#include "report/data/tadoconnection.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace bralvo::report {

QString ConnectionPart(const QString &key, const QString &value)
{
    if (!value.contains(QLatin1Char(';')) && !value.startsWith(QLatin1Char('"'))
        && !value.startsWith(QLatin1Char('\'')) && value.trimmed() == value)
        return key + QLatin1Char('=') + value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return key + QStringLiteral("=\"") + quoted + QLatin1Char('"');
}

QString BuildConnectionString(const ConnectionParts &p)
{
    QStringList parts;
    if (p.provider == QLatin1String("ODBC")) {
        parts << QStringLiteral("Provider=MSDASQL");
        if (!p.driver.isEmpty())
            parts << QStringLiteral("Driver={") + p.driver + QLatin1Char('}');
        if (!p.dsn.isEmpty())
            parts << ConnectionPart(QStringLiteral("DSN"), p.dsn);
    } else {
        parts << QStringLiteral("Provider=SQLite") << ConnectionPart(QStringLiteral("Data Source"), p.dataSource);
    }
    if (!p.user.isEmpty()) {
        parts << ConnectionPart(QStringLiteral("User ID"), p.user);
        parts << ConnectionPart(QStringLiteral("Password"), p.password);
    }
    return parts.join(QLatin1Char(';'));
}

namespace {

// "Key=Value" parts; values may be quoted ("", '') or braced ({}).
QList<QPair<QString, QString>> splitParts(const QString &text)
{
    QList<QPair<QString, QString>> parts;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype eq = text.indexOf(QLatin1Char('='), i);
        if (eq < 0)
            break;
        const QString key = text.mid(i, eq - i).trimmed();
        qsizetype j = eq + 1;
        QString value;
        const QChar open = j < text.size() ? text.at(j) : QChar();
        if (open == QLatin1Char('"') || open == QLatin1Char('\'') || open == QLatin1Char('{')) {
            const QChar close = open == QLatin1Char('{') ? QLatin1Char('}') : open;
            for (++j; j < text.size(); ++j) {
                const QChar c = text.at(j);
                if (c != close) {
                    value += c;
                } else if (close != QLatin1Char('}') && j + 1 < text.size() && text.at(j + 1) == close) {
                    value += c; // a doubled quote stands for one
                    ++j;
                } else {
                    ++j;
                    break;
                }
            }
            j = text.indexOf(QLatin1Char(';'), j);
        } else {
            const qsizetype semi = text.indexOf(QLatin1Char(';'), j);
            value = text.mid(j, semi < 0 ? -1 : semi - j).trimmed();
            j = semi;
        }
        parts.append({key, value});
        if (j < 0)
            break;
        i = j + 1;
    }
    return parts;
}

QStringList sectionsOf(const QString &path, const QStringList &skip)
{
    QStringList names;
    if (!QFileInfo::exists(path))
        return names;
    platform::IniFile ini(path);
    for (const QString &s : ini.sections())
        if (!skip.contains(s, Qt::CaseInsensitive))
            names.append(s);
    return names;
}

QString odbcFolder()
{
    const QString dir = qEnvironmentVariable("ODBCSYSINI");
    return dir.isEmpty() ? QStringLiteral("/etc") : dir;
}

} // namespace

ConnectionParts ParseConnectionString(const QString &text)
{
    ConnectionParts p;
    if (!text.contains(QLatin1Char('='))) {
        p.dataSource = text.trimmed();
        return p;
    }
    for (const auto &[key, value] : splitParts(text)) {
        const QString k = key.toLower();
        if (k == QLatin1String("provider"))
            p.provider = value.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0 ? QStringLiteral("SQLite")
                                                                                         : QStringLiteral("ODBC");
        else if (k == QLatin1String("data source"))
            p.dataSource = value;
        else if (k == QLatin1String("driver"))
            p.driver = value, p.provider = QStringLiteral("ODBC");
        else if (k == QLatin1String("dsn"))
            p.dsn = value, p.provider = QStringLiteral("ODBC");
        else if (k == QLatin1String("user id") || k == QLatin1String("uid"))
            p.user = value;
        else if (k == QLatin1String("password") || k == QLatin1String("pwd"))
            p.password = value;
    }
    return p;
}

QStringList OdbcDrivers()
{
    return sectionsOf(odbcFolder() + QStringLiteral("/odbcinst.ini"), {QStringLiteral("ODBC")});
}

QStringList OdbcDataSources()
{
    const QStringList skip = {QStringLiteral("ODBC Data Sources"), QStringLiteral("ODBC")};
    QStringList names = sectionsOf(odbcFolder() + QStringLiteral("/odbc.ini"), skip);
    for (const QString &n : sectionsOf(QDir::homePath() + QStringLiteral("/.odbc.ini"), skip))
        if (!names.contains(n))
            names.append(n);
    return names;
}

std::function<void(const QString &)> &TrpConnectionStringDialog::ConnectionTester()
{
    static std::function<void(const QString &)> tester = [](const QString &text) {
        const ConnectionParts p = ParseConnectionString(text);
        if (p.provider != QLatin1String("SQLite"))
            throw bralvo::Error(QStringLiteral("No ODBC connection can be tried here."));
        if (!QFileInfo::exists(p.dataSource))
            throw bralvo::Error(QStringLiteral("The file \"%1\" does not exist.").arg(p.dataSource));
        // Reading the tables is what tells a database from any other file.
        data::TADOConnection probe;
        probe.SetConnectionString(QStringLiteral("Provider=SQLite;")
                                  + ConnectionPart(QStringLiteral("Data Source"), p.dataSource));
        platform::StringList tables;
        probe.GetTableNames(tables);
    };
    return tester;
}

} // namespace bralvo::report
