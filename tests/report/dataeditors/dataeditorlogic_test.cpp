// The data editors' computations without windows.
#include "report/dataeditors/dataeditorlogic.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(AliasRows, LinesRoundTripWithHiddenFields)
{
    const QStringList lines = {"NAME=Customer", "-ID=Key"};
    const QList<AliasRow> rows = AliasRowsFromLines(lines);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0), (AliasRow{"Customer", "NAME", true}));
    EXPECT_EQ(rows.at(1), (AliasRow{"Key", "ID", false}));
    EXPECT_EQ(AliasRowsToLines(rows), lines);
}

TEST(AliasRows, UpdateKeepsAliasesAndHiddenFields)
{
    const QList<AliasRow> rows = UpdateAliasRows({"ID", "NAME", "CITY"}, {"NAME=Customer", "-ID=Key"});
    EXPECT_EQ(rows, (QList<AliasRow>{{"Key", "ID", false}, {"Customer", "NAME", true}, {"CITY", "CITY", true}}));
    EXPECT_EQ(ResetAliasRows({"A"}), (QList<AliasRow>{{"A", "A", true}}));
}

TEST(MasterDetail, LinkedFieldsLeaveTheirLists)
{
    const MasterDetailLists lists = MasterDetailRefresh({"CustID", "Name"}, {"ID", "City"}, "CustID=ID");
    EXPECT_EQ(lists.detail, QStringList({"Name"}));
    EXPECT_EQ(lists.master, QStringList({"City"}));
    EXPECT_EQ(lists.links, QStringList({"CustID=ID"}));
    EXPECT_EQ(MasterDetailAdd("CustID=ID", "A", "B"), "CustID=ID;A=B");
    EXPECT_EQ(MasterDetailAdd("", "A", "B"), "A=B");
}

TEST(NewComponents, PlacedInARowOnTheDataPage)
{
    EXPECT_EQ(NewComponentPosition(1), QPoint(30, 20));
    EXPECT_EQ(NewComponentPosition(3), QPoint(230, 20));
}

TEST(FieldTypes, FortyTwoNamesUnknownFirst)
{
    EXPECT_EQ(FieldTypeNames().size(), 42);
    EXPECT_EQ(FieldTypeNames().first(), "Unknown");
    EXPECT_EQ(FieldTypeNames().at(3), "Integer");
}

TEST(EditorTexts, DesignTextWhereTheLibraryHasNone)
{
    EXPECT_EQ(EditorText("3600", "x"), "Edit Aliases");
    EXPECT_EQ(EditorText("noSuchKey", "Design"), "Design");
    EXPECT_EQ(EditorText("noSuchKey", ""), "noSuchKey");
}
