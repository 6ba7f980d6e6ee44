// Field types the SQLite provider reads from declared column types.
#include "report/data/sqliteprovider.h"

#include <gtest/gtest.h>

using namespace bralvo::data;

TEST(SQLiteDeclaredType, TypeAndSizeOfEachDeclaration)
{
    struct Case {
        const char *declared;
        TFieldType type;
        int size;
    };
    for (const Case c : {Case{"INTEGER", ftLargeint, 0}, {"BIGINT", ftLargeint, 0}, {"SMALLINT", ftLargeint, 0},
                         {"varchar(20)", ftWideString, 20}, {"TEXT", ftWideMemo, 0}, {"REAL", ftFloat, 0},
                         {"DOUBLE PRECISION", ftFloat, 0}, {"CURRENCY", ftCurrency, 0}, {"DATE", ftDate, 0},
                         {"TIME", ftTime, 0}, {"DATETIME", ftDateTime, 0}, {"TIMESTAMP", ftDateTime, 0},
                         {"BOOLEAN", ftBoolean, 0}, {"BLOB", ftBlob, 0}, {"", ftUnknown, 0}}) {
        int size = -1;
        EXPECT_EQ(sqliteDeclaredType(QString::fromLatin1(c.declared), size), c.type) << c.declared;
        EXPECT_EQ(size, c.size) << c.declared;
    }
}
