// A parser drops its intermediate program with the program's arena,
// leaving to the arena the elements that hold nothing but their block: any
// element holding more (a handle, an own name, data, a text of its own, a
// list outside the arena) must still be destroyed.
#include "platform/handleregistry.h"
#include "script/blockpool.h"
#include "script/sharedtextchunks.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <QList>
#include <memory>

using namespace bralvo::script;
using bralvo::platform::HandleRegistry;

namespace {

const QString permanent = QStringLiteral("node");
const QString source = QStringLiteral("token text");

} // namespace

TEST(ArenaTeardown, ElementsHoldingMoreThanTheirBlockAreStillDestroyed)
{
    enum Holds { Nothing, Handle, OwnName, Data, OwnText, LongList, Kinds };
    const int before = HandleRegistry::liveCount();
    QList<qint64> handles;
    QList<QString> kept; // copies of the elements' own texts
    TscXMLItem root;     // not drawn from the arena
    auto arena = std::make_unique<blockpool::Arena>();
    {
        const TscXMLItem::ArenaScope scope(arena.get());
        for (int i = 0; i < 3 * Kinds; ++i) {
            // Each kind at the top, under a plain element, and under its own kind.
            TscXMLItem *parent = i < Kinds ? &root : i < 2 * Kinds ? root.Add() : root.Items(i % Kinds);
            TscXMLItem *item = parent->Add();
            item->SetPermanentName(permanent);
            item->SetTokenValues(QString::fromRawData(source.constData(), 5), 1, i + 1);
            switch (i % Kinds) {
            case Handle: handles << HandleRegistry::handleOf(item); break;
            case OwnName: item->SetName(QStringLiteral("own")); break;
            case Data: item->SetData(i); break;
            case OwnText: { // a chunk of its own, so that the kept copy ends as its last holder
                SharedTextChunks chunk;
                kept << chunk.copy(QStringLiteral("kept %1").arg(i));
                item->SetTokenValues(kept.last(), 2, i);
                break;
            }
            case LongList:
                for (int k = 0; k < 100; ++k)
                    item->Add()->SetPermanentName(permanent);
                break;
            default: break;
            }
        }
    }
    EXPECT_EQ(HandleRegistry::liveCount(), before + handles.size());
    for (const QString &text : kept)
        EXPECT_FALSE(text.isDetached());

    root.ClearBeforeArenaEnds();
    arena.reset();
    EXPECT_EQ(root.Count(), 0);
    for (const qint64 handle : handles)
        EXPECT_FALSE(HandleRegistry::isLive(handle));
    EXPECT_EQ(HandleRegistry::liveCount(), before);
    for (const QString &text : kept)
        EXPECT_TRUE(text.isDetached()) << text.toStdString(); // the tree's references went
    root.Add()->SetName(QStringLiteral("again")); // still usable
    EXPECT_EQ(root.Items(0)->Name(), QStringLiteral("again"));
}
