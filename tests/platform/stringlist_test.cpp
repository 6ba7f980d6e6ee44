// String lists: sorting, duplicates, text form, Name=Value lines.
#include "platform/stringlist.h"

#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(StringList, SortedIgnoringDuplicatesAndCase)
{
    StringList l;
    l.setSorted(true);
    l.setDuplicates(StringList::Duplicates::Ignore);
    for (const char *s : {"pear", "Apple", "apple", "fig"})
        l.add(QString::fromLatin1(s));
    EXPECT_EQ(l.toStringList(), QStringList({"Apple", "fig", "pear"}));
    EXPECT_EQ(l.indexOf(QStringLiteral("PEAR")), 2);
    EXPECT_THROW(l.insert(0, QStringLiteral("x")), ClassLibError);
    l.setDuplicates(StringList::Duplicates::Error);
    EXPECT_THROW(l.add(QStringLiteral("FIG")), ClassLibError);
}

TEST(StringList, TextSplitsAndJoinsWithCrLf)
{
    StringList l;
    l.setText(QStringLiteral("a\r\nb\rc\n\nd\r\n"));
    EXPECT_EQ(l.toStringList(), QStringList({"a", "b", "c", "", "d"}));
    EXPECT_EQ(l.text(), QStringLiteral("a\r\nb\r\nc\r\n\r\nd\r\n"));
    l.clear();
    EXPECT_EQ(l.text(), QString());
}

TEST(StringList, NameValueLines)
{
    StringList l;
    l.add(QStringLiteral("Key=a=b"));
    EXPECT_EQ(l.value(QStringLiteral("key")), QStringLiteral("a=b"));
    l.setValue(QStringLiteral("Other"), QStringLiteral("1"));
    EXPECT_EQ(l.name(1), QStringLiteral("Other"));
    l.setValue(QStringLiteral("KEY"), QString());
    EXPECT_EQ(l.count(), 1);
    EXPECT_THROW(l.at(5), ListIndexError);
}

TEST(StringList, ObjectsTravelWithLines)
{
    int x = 0;
    StringList a;
    a.add(QStringLiteral("one"), &x);
    StringList b;
    b.assign(a);
    EXPECT_EQ(b.object(0), &x);
    EXPECT_EQ(b.indexOfObject(&x), 0);
}
