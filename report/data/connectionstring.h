// Connection strings: "Key=Value;Key=Value". Keys compare without case;
// a value may be quoted with "..." or '...' (doubled quotes inside) or
// braced {...} so that it can hold ";". The order of the parts is kept.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace bralvo::data {

enum class ProviderKind { SQLite, ODBC };

class ConnectionString {
public:
    ConnectionString() = default;
    explicit ConnectionString(const QString &text);

    // The value of the first part named Key; empty when none.
    QString value(const QString &key) const;
    bool contains(const QString &key) const;
    const QList<QPair<QString, QString>> &parts() const { return m_parts; }

    // Provider=SQLite (or a bare Data Source) is SQLite; Provider=MSDASQL,
    // Driver=... or DSN=... is ODBC. Throws DataError otherwise.
    ProviderKind providerKind() const;
    // The ODBC form: Provider left out, User ID and Password as UID and PWD.
    QString odbcText() const;

private:
    QList<QPair<QString, QString>> m_parts;
};

} // namespace bralvo::data
