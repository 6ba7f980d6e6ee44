#include "report/data/connectionstring.h"

#include "report/data/dataerror.h"

namespace bralvo::data {

namespace {

// Reads one value from Pos (just past "="); Pos ends on the ";" or the end.
QString readValue(const QString &text, qsizetype &pos)
{
    while (pos < text.size() && text.at(pos) == u' ')
        ++pos;
    if (pos < text.size() && (text.at(pos) == u'"' || text.at(pos) == u'\'' || text.at(pos) == u'{')) {
        const QChar open = text.at(pos);
        const QChar close = open == u'{' ? u'}' : open;
        QString value;
        for (++pos; pos < text.size(); ++pos) {
            if (text.at(pos) == close) {
                if (pos + 1 < text.size() && text.at(pos + 1) == close) {
                    value += close;
                    ++pos;
                    continue;
                }
                ++pos;
                break;
            }
            value += text.at(pos);
        }
        while (pos < text.size() && text.at(pos) != u';')
            ++pos;
        return value;
    }
    const qsizetype end = text.indexOf(u';', pos);
    const QString value = text.mid(pos, end < 0 ? -1 : end - pos).trimmed();
    pos = end < 0 ? text.size() : end;
    return value;
}

QString quoteOdbc(const QString &value)
{
    if (!value.contains(u';') && !value.contains(u'{') && !value.contains(u'}') && value.trimmed() == value)
        return value;
    QString v = value;
    v.replace(QStringLiteral("}"), QStringLiteral("}}"));
    return u'{' + v + u'}';
}

} // namespace

ConnectionString::ConnectionString(const QString &text)
{
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype eq = text.indexOf(u'=', pos);
        const qsizetype semi = text.indexOf(u';', pos);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            if (semi < 0)
                break;
            pos = semi + 1; // a part without "=" carries nothing
            continue;
        }
        const QString key = text.mid(pos, eq - pos).trimmed();
        pos = eq + 1;
        const QString value = readValue(text, pos);
        if (!key.isEmpty())
            m_parts.append({key, value});
        ++pos;
    }
}

QString ConnectionString::value(const QString &key) const
{
    for (const auto &p : m_parts)
        if (p.first.compare(key, Qt::CaseInsensitive) == 0)
            return p.second;
    return QString();
}

bool ConnectionString::contains(const QString &key) const
{
    for (const auto &p : m_parts)
        if (p.first.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

ProviderKind ConnectionString::providerKind() const
{
    const QString provider = value(QStringLiteral("Provider")).trimmed();
    if (provider.startsWith(QLatin1String("SQLite"), Qt::CaseInsensitive))
        return ProviderKind::SQLite;
    if (provider.startsWith(QLatin1String("MSDASQL"), Qt::CaseInsensitive))
        return ProviderKind::ODBC;
    if (!provider.isEmpty())
        throw DataError(QStringLiteral("Provider cannot be found: %1").arg(provider));
    if (contains(QStringLiteral("Driver")) || contains(QStringLiteral("DSN")))
        return ProviderKind::ODBC;
    if (contains(QStringLiteral("Data Source")))
        return ProviderKind::SQLite;
    throw DataError(QStringLiteral("The connection string names no provider and no data source"));
}

QString ConnectionString::odbcText() const
{
    QStringList out;
    for (const auto &p : m_parts) {
        QString key = p.first;
        if (key.compare(QLatin1String("Provider"), Qt::CaseInsensitive) == 0)
            continue;
        if (key.compare(QLatin1String("User ID"), Qt::CaseInsensitive) == 0)
            key = QStringLiteral("UID");
        else if (key.compare(QLatin1String("Password"), Qt::CaseInsensitive) == 0)
            key = QStringLiteral("PWD");
        out.append(key + u'=' + quoteOdbc(p.second));
    }
    return out.join(u';');
}

} // namespace bralvo::data
