// An SQLite file for the query builder tests: Customer and Orders with a
// few rows, plus a table of one column of each kind of date and number;
// and the builder's engine over a file through a report connection.
#pragma once

#include "report/data/tadoconnection.h"
#include "report/dataeditors/tqbdataengine.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

class QbFixtureFile {
public:
    QbFixtureFile()
    {
        path = dir.filePath("fixture.db");
        sqlite3 *db = nullptr;
        EXPECT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        const char *sql =
            "CREATE TABLE Customer (CustNo INTEGER, Company VARCHAR(30), LastDate DATE);"
            "CREATE TABLE Orders (OrderNo INTEGER, CustNo INTEGER, AmountPaid CURRENCY,"
            " SaleDate DATETIME, Items BIGINT, \"Order Date\" DATE);"
            "INSERT INTO Customer VALUES (1, 'Alpha', '2024-01-02'), (2, 'Beta', NULL);"
            "INSERT INTO Orders VALUES (10, 1, 10.5, '2024-01-02 10:00', 1, NULL),"
            " (11, 1, 4.25, NULL, 2, NULL), (12, 2, 7.5, NULL, 3, NULL);";
        char *error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }

    QTemporaryDir dir;
    QString path;
};

class QbFileEngine {
public:
    explicit QbFileEngine(const QString &path)
    {
        connection.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + path);
    }

    bralvo::data::TADOConnection connection;
    bralvo::report::TqbDataEngine engine{connection};
};
