// An element's Data and name are kept beside it (a table by element, a
// pointer to a permanent or an own text): they must follow the element
// through renaming, copying and freeing, and never leak to an element that
// takes a freed one's place.
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace bralvo::script;

namespace {

const QString permanent = QStringLiteral("kept");

} // namespace

TEST(ElementData, FollowsItsElementThroughRenamesAndCopies)
{
    TscXMLItem root;
    root.SetName(QStringLiteral("root"));
    const struct {
        qint64 data;
        bool permanentName;
    } cases[] = {{7, false}, {-1, true}, {0, false}, {qint64(1) << 40, true}};
    for (const auto &c : cases) {
        TscXMLItem *child = root.Add();
        child->SetName(QStringLiteral("first"));
        child->SetData(c.data);
        if (c.permanentName)
            child->SetPermanentName(permanent);
        else
            child->SetName(QStringLiteral("own"));
        child->Add()->SetData(c.data + 1);
    }
    root.SetData(3);

    TscXMLItem copy;
    copy.Assign(&root);
    root.Items(0)->Assign(&root); // an ancestor, copied as it was
    for (const TscXMLItem *tree : {&root, &copy}) {
        EXPECT_EQ(tree->Data(), 3);
        for (int i = 1; i < 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(tree->Items(i)->Data(), cases[i].data);
            EXPECT_EQ(tree->Items(i)->Name(), cases[i].permanentName ? permanent : QStringLiteral("own"));
            EXPECT_EQ(tree->Items(i)->Items(0)->Data(), cases[i].data + 1);
        }
    }
    EXPECT_EQ(root.Items(0)->Data(), 3);
    EXPECT_EQ(root.Items(0)->Items(0)->Data(), 7);
    EXPECT_EQ(root.Items(0)->Items(0)->Name(), QStringLiteral("own"));

    copy.Items(1)->SetData(0);
    copy.Items(2)->SetData(5);
    EXPECT_EQ(copy.Items(1)->Data(), 0);
    EXPECT_EQ(root.Items(1)->Data(), -1);
    EXPECT_EQ(root.Items(2)->Data(), 0);
}

TEST(ElementData, AFreedElementsDataAndNameGoWithIt)
{
    std::vector<std::unique_ptr<TscXMLItem>> elements;
    for (int i = 0; i < 64; ++i) {
        elements.push_back(std::make_unique<TscXMLItem>());
        elements.back()->SetData(i + 1);
        elements.back()->SetName(QString::number(i));
    }
    elements.clear();
    for (int i = 0; i < 64; ++i) { // most take a freed element's block
        TscXMLItem fresh;
        auto made = std::make_unique<TscXMLItem>();
        EXPECT_EQ(made->Data(), 0);
        EXPECT_TRUE(made->Name().isNull());
        EXPECT_EQ(fresh.Data(), 0);
    }
}

TEST(ElementData, NullAndEmptyNamesStayApart)
{
    TscXMLItem item;
    EXPECT_TRUE(item.Name().isNull());
    item.SetName(QLatin1String(""));
    EXPECT_TRUE(item.Name().isEmpty());
    EXPECT_FALSE(item.Name().isNull());
    item.SetName(QString());
    EXPECT_TRUE(item.Name().isNull());
}
