// A small orders database built with SQL in a temporary folder: two
// customers, five orders, one row of every column type the layer maps.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace bralvo::test {

class FixtureDb {
public:
    FixtureDb();
    QString path() const { return m_dir.filePath(QStringLiteral("orders.db")); }
    QString connectionString() const { return QStringLiteral("Provider=SQLite;Data Source=") + path(); }
    // Runs SQL on the file (sqlite3 library, outside the layer under test).
    void exec(const QString &sql) const;

private:
    QTemporaryDir m_dir;
};

} // namespace bralvo::test
