#include "fixturedb.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace bralvo::test {

namespace {

const char *const kSchema = R"(
CREATE TABLE Customer (CustNo BIGINT PRIMARY KEY, Company VARCHAR(30), Active BOOLEAN);
CREATE TABLE Orders (OrderNo BIGINT PRIMARY KEY, CustNo BIGINT, SaleDate DATE, AmountPaid CURRENCY,
                     Note TEXT, Shipped DATETIME);
INSERT INTO Customer VALUES (1, 'Kaktus s.r.o.', 1), (2, 'Lipa a.s.', 0);
INSERT INTO Orders VALUES
  (1001, 1, '2024-01-15', 120.5, 'first', '2024-01-16 08:30:00'),
  (1002, 2, '2024-02-01', 99.99, NULL, NULL),
  (1003, 1, '2024-02-20', 2500.125, 'third; with "quotes"', '2024-02-21 17:05:10'),
  (1004, 1, '2024-03-05', 15, 'fourth', NULL),
  (1005, 2, '2024-03-30', 1234.5678, 'fifth', NULL);
CREATE TABLE Kinds (Id INT, Big INTEGER, Flag BOOL, Born DATE, Stamp TIMESTAMP, At TIME, Code CHAR(4),
                    Name NVARCHAR(20), Body CLOB, Price REAL, Rate DOUBLE, Amount NUMERIC(10,2), Data BLOB,
                    Odd WHATEVER);
INSERT INTO Kinds VALUES (1, 9007199254740993, 1, '1999-12-31', '2000-01-01 12:00:00', '10:20:30', 'AB',
                         'Žltý kôň', 'long text', 1.5, 2.25, 3.1, X'00FF10', 'x');
)";

} // namespace

FixtureDb::FixtureDb()
{
    exec(QString::fromUtf8(kSchema));
}

void FixtureDb::exec(const QString &sql) const
{
    sqlite3 *db = nullptr;
    sqlite3_open(path().toUtf8().constData(), &db);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const QString text = error ? QString::fromUtf8(error) : QString();
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << text.toStdString();
}

} // namespace bralvo::test
