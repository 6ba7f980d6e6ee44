// A tree going down gives up its texts' references on shared chunks a run
// at a time: whatever order the texts come in, exactly the tree's own
// references go, so a text kept elsewhere ends as its chunk's last holder.
#include "script/sharedtextchunks.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using namespace bralvo::script;

namespace {

// How a test takes the elements down.
using TakeDown = std::function<void(std::unique_ptr<TscXMLItem> &)>;

struct Kept {
    QString text;
    QString expected; // a deep copy
};

// A root whose children (some with children of their own) hold texts from
// three chunks in runs and interleaved, texts of their own, raw data and
// none. Copies of a few of the texts go to kept.
std::unique_ptr<TscXMLItem> mixedTree(std::vector<Kept> &kept)
{
    auto root = std::make_unique<TscXMLItem>();
    root->SetName(QStringLiteral("root"));
    SharedTextChunks first, second, third;
    SharedTextChunks *const writers[] = {&first, &second, &third};
    // Which writer each element's text comes from; -1 its own text, -2 a
    // raw one, -3 none.
    const int pattern[] = {0, 0, 0, 1, 1, 0, 2, -1, 2, 2, -2, 0, -3, 1, 0, 0, 2, 1, -1, -1, 0};
    int n = 0;
    // The texts of these elements (in the order filled) are kept as well:
    // one per chunk, at the top and nested, and one of its own.
    const int keptOnes[] = {0, 3, 9, 19};
    const auto keep = [&](int index, const QString &text) {
        if (std::find(std::begin(keptOnes), std::end(keptOnes), index) != std::end(keptOnes))
            kept.push_back({text, QString(text.constData(), text.size())});
    };
    const auto fill = [&](TscXMLItem &element, int source) {
        const int index = n++;
        const QString value = QStringLiteral("v%1").arg(index);
        if (source >= 0) {
            QString text = writers[source]->copy(value);
            keep(index, text);
            element.SetTokenValues(std::move(text), 1, index + 1);
        } else if (source == -1) {
            QString text = QStringLiteral("text=\"%1\" pos=\"1:%2\"").arg(value).arg(index + 1);
            keep(index, text);
            element.SetText(std::move(text));
        } else if (source == -2) {
            element.SetText(QString::fromRawData(reinterpret_cast<const QChar *>(u"raw"), 3));
        }
    };
    for (int i = 0; i < int(std::size(pattern)); ++i) {
        TscXMLItem *child = root->Add();
        child->SetName(QStringLiteral("c"));
        fill(*child, pattern[i]);
        // Every third child has children from the writers in turn.
        if (i % 3 == 0)
            for (int j = 0; j < 4; ++j)
                fill(*child->Add(), (i + j) % 3);
    }
    EXPECT_EQ(kept.size(), std::size(keptOnes));
    return root; // the writers give up their own references here
}

} // namespace

TEST(TreeFreeing, ExactlyTheTreesTextReferencesGoWhicheverWayItGoesDown)
{
    const struct {
        const char *how;
        TakeDown takeDown;
    } ways[] = {
        {"destroyed", [](std::unique_ptr<TscXMLItem> &root) { root.reset(); }},
        {"cleared", [](std::unique_ptr<TscXMLItem> &root) { root->Clear(); }},
        {"children from 0", [](std::unique_ptr<TscXMLItem> &root) { root->DeleteChildrenFrom(0); }},
        {"in two parts",
         [](std::unique_ptr<TscXMLItem> &root) {
             root->DeleteChildrenFrom(5);
             root->DeleteChildrenFrom(1);
             root.reset();
         }},
        {"one child alone first",
         [](std::unique_ptr<TscXMLItem> &root) {
             delete root->Items(3);
             root.reset();
         }},
    };
    for (const auto &way : ways) {
        SCOPED_TRACE(way.how);
        std::vector<Kept> kept;
        std::unique_ptr<TscXMLItem> root = mixedTree(kept);
        for (const Kept &k : kept)
            EXPECT_FALSE(k.text.isDetached()) << k.expected.toStdString();
        way.takeDown(root);
        for (const Kept &k : kept) {
            SCOPED_TRACE(k.expected.toStdString());
            EXPECT_EQ(k.text, k.expected);
            // The last holder: a reference too many or too few shows here.
            EXPECT_TRUE(k.text.isDetached());
        }
    }
}
