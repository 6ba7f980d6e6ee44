// An element's Data, name and text are kept beside it (a table by element,
// a pointer to a permanent or an own text, a view of a token's characters):
// they must follow the element through renaming, copying and freeing, and
// never leak to an element that takes a freed one's place.
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

// A token's value viewed over someone else's characters or held as an own
// text reads, copies and turns into text alike; a copy keeps reading the
// value after the viewed characters change.
TEST(ElementData, TokenValuesViewedOrOwnedReadAlike)
{
    QString buffer = QStringLiteral("alpha");
    const struct {
        const char *how;
        QString value;
        const char *expected;
    } cases[] = {
        {"viewed", QString::fromRawData(buffer.constData(), 5), "alpha"},
        {"viewed, empty", QString::fromRawData(buffer.constData(), 0), ""},
        {"owned", QStringLiteral("beta"), "beta"},
        {"owned, escaped", QStringLiteral("&#62;="), "&#62;="},
        {"null", QString(), ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        TscXMLItem element, copy;
        element.SetTokenValues(c.value, 3, 4);
        copy.Assign(&element);
        TscXMLAttributeValues values;
        ASSERT_TRUE(element.AttributeValues(values));
        EXPECT_EQ(values.text, QLatin1String(c.expected));
        EXPECT_FALSE(values.text.isNull());
        EXPECT_EQ(element.RawProp(u"text"), QLatin1String(c.expected));
        const QString text = QStringLiteral("text=\"%1\" pos=\"3:4\"").arg(QLatin1String(c.expected));
        EXPECT_EQ(element.Text(), text); // settled from here on
        EXPECT_FALSE(element.AttributeValues(values));
        EXPECT_EQ(element.RawProp(u"text"), QLatin1String(c.expected));

        buffer[0] = u'#'; // a copy holds its own characters
        ASSERT_TRUE(copy.AttributeValues(values));
        EXPECT_EQ(values.text, QLatin1String(c.expected));
        EXPECT_EQ(values.line, 3);
        EXPECT_EQ(values.column, 4);
        EXPECT_FALSE(values.hasEnd);
        EXPECT_EQ(copy.Text(), text);
        buffer[0] = u'a';
    }
}

TEST(ElementData, TextsSetAndEditedStayApartFromNone)
{
    TscXMLItem item;
    EXPECT_TRUE(item.Text().isNull());
    item.SetProp(QStringLiteral("a"), QStringLiteral("1"));
    EXPECT_EQ(item.Text(), QStringLiteral("a=\"1\""));
    item.SetText(QLatin1String(""));
    EXPECT_TRUE(item.Text().isEmpty());
    EXPECT_FALSE(item.Text().isNull());
    item.SetText(QString());
    EXPECT_TRUE(item.Text().isNull());
    item.SetNodeValues(1, 2, 3, 4);
    EXPECT_EQ(item.Text(), QStringLiteral("pos=\"1:2\" pos1=\"3:4\""));
}
