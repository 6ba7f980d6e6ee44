// TscXMLItem tree surgery: wrapping, moving and destroying children keep
// every parent link and list right, and destroyed elements' handles die.
#include "platform/handleregistry.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>

using namespace bralvo::script;
using bralvo::platform::HandleRegistry;

namespace {

// name(children) for each child, with every parent link checked on the way.
QString shape(const TscXMLItem &item)
{
    QStringList children;
    for (int i = 0; i < item.Count(); ++i) {
        const TscXMLItem *child = item.Items(i);
        EXPECT_EQ(child->Parent(), &item) << child->Name().toStdString();
        children << shape(*child);
    }
    return item.Name() + (children.isEmpty() ? QString() : QLatin1Char('(') + children.join(QLatin1Char(',')) + QLatin1Char(')'));
}

// Leaves named a, b, c... under parent, the i-th with i children of its own.
void addLeaves(TscXMLItem &parent, int count)
{
    for (int i = 0; i < count; ++i) {
        TscXMLItem *child = parent.Add();
        child->SetName(QString(QLatin1Char(char('a' + i))));
        for (int j = 0; j < i; ++j)
            child->Add()->SetName(QStringLiteral("x"));
    }
}

// Handles of item and everything under it.
void collectHandles(const TscXMLItem &item, QList<qint64> &handles)
{
    handles << HandleRegistry::handleOf(&item);
    for (int i = 0; i < item.Count(); ++i)
        collectHandles(*item.Items(i), handles);
}

bool allDead(const QList<qint64> &handles)
{
    return std::none_of(handles.cbegin(), handles.cend(), HandleRegistry::isLive);
}

} // namespace

// Every split of lists of up to four children against the same rule spelt
// out on names: the children from index on move, in order, into a new last
// child.
TEST(TscXMLItemTree, WrapChildrenFromEverySplit)
{
    for (int count = 0; count <= 4; ++count) {
        for (int index = -1; index <= count + 1; ++index) {
            SCOPED_TRACE(testing::Message() << count << " children, from " << index);
            TscXMLItem parent;
            parent.SetName(QStringLiteral("p"));
            addLeaves(parent, count);
            QStringList kept;
            for (int i = 0; i < count; ++i)
                kept << shape(*parent.Items(i));
            QStringList wrapped;
            if (index >= 0 && index < count) {
                wrapped = kept.mid(index);
                kept = kept.mid(0, index);
            }
            TscXMLItem *wrapper = parent.WrapChildrenFrom(index);
            wrapper->SetName(QStringLiteral("w"));
            kept << (wrapped.isEmpty() ? QStringLiteral("w") : QStringLiteral("w(") + wrapped.join(QLatin1Char(',')) + QLatin1Char(')'));
            EXPECT_EQ(shape(parent), QStringLiteral("p(") + kept.join(QLatin1Char(',')) + QLatin1Char(')'));
            EXPECT_EQ(parent.Items(parent.Count() - 1), wrapper);
        }
    }
}

// Each way a tree loses elements kills exactly their handles, and an
// element deleted on its own still leaves its parent's list.
TEST(TscXMLItemTree, DestroyedElementsHandlesDie)
{
    const int before = HandleRegistry::liveCount();
    auto tree = std::make_unique<TscXMLItem>();
    addLeaves(*tree, 4);
    tree->Items(3)->Items(1)->WrapChildrenFrom(0); // a deeper level
    QList<qint64> all;
    collectHandles(*tree, all);

    QList<qint64> cut; // DeleteChildrenFrom
    collectHandles(*tree->Items(3), cut);
    tree->DeleteChildrenFrom(3);
    EXPECT_TRUE(allDead(cut));
    EXPECT_EQ(shape(*tree), "(a,b(x),c(x,x))");

    QList<qint64> alone; // one element deleted by itself
    collectHandles(*tree->Items(1), alone);
    delete tree->Items(1);
    EXPECT_TRUE(allDead(alone));
    EXPECT_EQ(shape(*tree), "(a,c(x,x))");

    QList<qint64> assigned; // replaced by Assign
    collectHandles(*tree->Items(1), assigned);
    assigned.removeFirst(); // the element itself stays
    tree->Items(1)->Assign(tree->Items(0));
    EXPECT_TRUE(allDead(assigned));
    EXPECT_EQ(shape(*tree), "(a,a)");

    QList<qint64> cleared; // Clear
    collectHandles(*tree, cleared);
    cleared.removeFirst();
    tree->Clear();
    EXPECT_TRUE(allDead(cleared));
    EXPECT_EQ(tree->Count(), 0);
    addLeaves(*tree, 3); // still usable
    EXPECT_EQ(shape(*tree), "(a,b(x),c(x,x))");

    collectHandles(*tree, all); // the whole tree at once
    tree.reset();
    EXPECT_TRUE(allDead(all));
    EXPECT_EQ(HandleRegistry::liveCount(), before);
}

// InsertItem moves a child of the same list, one of another tree or a
// loose element to every index (clamped), against the same moves on names.
TEST(TscXMLItemTree, InsertItemEveryIndex)
{
    enum From { SameList, OtherTree, Loose };
    for (const From from : {SameList, OtherTree, Loose}) {
        for (int index = -1; index <= 5; ++index) {
            SCOPED_TRACE(testing::Message() << "from " << int(from) << ", at " << index);
            TscXMLItem parent, other;
            addLeaves(parent, 4);
            QStringList expected;
            for (int i = 0; i < parent.Count(); ++i)
                expected << shape(*parent.Items(i));
            TscXMLItem *moved = nullptr;
            if (from == SameList) {
                moved = parent.Items(1);
                expected.removeAt(1);
            } else {
                moved = from == OtherTree ? other.Add() : new TscXMLItem;
                moved->SetName(QStringLiteral("m"));
                moved->Add()->SetName(QStringLiteral("y"));
            }
            const QString movedShape = shape(*moved);
            parent.InsertItem(index, moved);
            expected.insert(std::clamp<qsizetype>(index, 0, expected.size()), movedShape);
            EXPECT_EQ(shape(parent), QLatin1Char('(') + expected.join(QLatin1Char(',')) + QLatin1Char(')'));
            EXPECT_EQ(other.Count(), 0);
        }
    }
}
