// The block pool behind XML elements and runtime objects: blocks live in
// slabs shared by all threads, so an element may be made on one thread and freed on another,
// outlive the thread that made it, and a freed block must never be handed
// out twice.
#include "script/blockpool.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <future>
#include <set>
#include <thread>
#include <vector>

using namespace bralvo::script;

namespace {

// A tree of width * width leaves with names and texts that tell where each
// element belongs.
std::unique_ptr<TscXMLItem> makeTree(int width, const QString &tag)
{
    auto root = std::make_unique<TscXMLItem>();
    root->SetName(tag);
    for (int i = 0; i < width; ++i) {
        TscXMLItem *branch = root->Add();
        branch->SetName(tag + QString::number(i));
        for (int k = 0; k < width; ++k)
            branch->Add()->SetText(QStringLiteral("n=\"%1.%2\"").arg(i).arg(k));
    }
    return root;
}

bool treeIsIntact(const TscXMLItem &root, int width, const QString &tag)
{
    if (root.Name() != tag || root.Count() != width)
        return false;
    for (int i = 0; i < width; ++i) {
        const TscXMLItem &branch = *root.Items(i);
        if (branch.Name() != tag + QString::number(i) || branch.Count() != width || branch.Parent() != &root)
            return false;
        for (int k = 0; k < width; ++k)
            if (branch.Items(k)->Prop(QStringLiteral("n")) != QStringLiteral("%1.%2").arg(i).arg(k))
                return false;
    }
    return true;
}

TEST(BlockPool, EverySizeGivesDistinctAlignedBlocksOfItsFullSize)
{
    // Sizes at and around every step, up to past the largest pooled one.
    std::vector<std::pair<void *, size_t>> live;
    for (size_t bytes = 0; bytes <= blockpool::kLargestPooled + 40; bytes += (bytes % 16 == 0) ? 1 : 15) {
        for (int copy = 0; copy < 3; ++copy) {
            void *block = blockpool::take(bytes);
            ASSERT_NE(block, nullptr);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u) << bytes;
            std::memset(block, int(live.size() & 0xff), bytes);
            live.emplace_back(block, bytes);
        }
    }
    // Filled one after another: an overlap would have overwritten a fill.
    for (size_t i = 0; i < live.size(); ++i) {
        const auto *bytes = static_cast<const unsigned char *>(live[i].first);
        for (size_t k = 0; k < live[i].second; ++k)
            ASSERT_EQ(bytes[k], i & 0xff) << "block " << i << " of " << live[i].second << " bytes";
    }
    for (const auto &[block, bytes] : live)
        blockpool::give(block, bytes);
    blockpool::give(nullptr, 16);
}

TEST(TscXMLItemPool, LiveElementsNeverShareABlock)
{
    std::vector<std::unique_ptr<TscXMLItem>> items;
    std::set<const TscXMLItem *> seen;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 5000; ++i) {
            items.push_back(std::make_unique<TscXMLItem>());
            EXPECT_TRUE(seen.insert(items.back().get()).second);
        }
        // Free every other one, so the next round reuses blocks amid live ones.
        for (size_t i = 0; i < items.size(); i += 2)
            if (items[i]) {
                seen.erase(items[i].get());
                items[i].reset();
            }
    }
}

TEST(TscXMLItemPool, TreesCrossThreadsAndOutliveTheirMakers)
{
    const int width = 40;
    // Made on threads that end before the trees are read and freed here.
    std::vector<std::unique_ptr<TscXMLItem>> made(4);
    std::vector<std::thread> makers;
    for (size_t t = 0; t < made.size(); ++t)
        makers.emplace_back([&made, t] { made[t] = makeTree(width, QStringLiteral("t%1_").arg(t)); });
    for (std::thread &maker : makers)
        maker.join();
    for (size_t t = 0; t < made.size(); ++t)
        EXPECT_TRUE(treeIsIntact(*made[t], width, QStringLiteral("t%1_").arg(t)));

    // Freed on other threads while those build trees of their own from the
    // blocks that come back.
    std::vector<std::thread> workers;
    std::vector<int> intact(made.size(), 0);
    for (size_t t = 0; t < made.size(); ++t) {
        workers.emplace_back([&made, &intact, t] {
            made[t].reset();
            for (int round = 0; round < 20; ++round) {
                const QString tag = QStringLiteral("w%1_%2_").arg(t).arg(round);
                const auto tree = makeTree(width, tag);
                intact[t] += treeIsIntact(*tree, width, tag) ? 1 : 0;
            }
        });
    }
    for (std::thread &worker : workers)
        worker.join();
    for (int count : intact)
        EXPECT_EQ(count, 20);
    const auto after = makeTree(width, QStringLiteral("main_"));
    EXPECT_TRUE(treeIsIntact(*after, width, QStringLiteral("main_")));
}

#if defined(__SANITIZE_ADDRESS__)
#define SKIP_UNLESS_POOLED() GTEST_SKIP() << "elements are not pooled under the address sanitizer"
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SKIP_UNLESS_POOLED() GTEST_SKIP() << "elements are not pooled under the address sanitizer"
#endif
#endif
#ifndef SKIP_UNLESS_POOLED
#define SKIP_UNLESS_POOLED() (void)0
#endif

TEST(TscXMLItemPool, BlocksOfAnEndedThreadServeTheNextOne)
{
    SKIP_UNLESS_POOLED();
    std::set<const void *> freed;
    std::thread([&freed] {
        std::vector<std::unique_ptr<TscXMLItem>> items(1000);
        for (auto &item : items) {
            item = std::make_unique<TscXMLItem>();
            freed.insert(item.get());
        }
    }).join();
    const void *next = nullptr;
    std::thread([&next] { next = std::make_unique<TscXMLItem>().get(); }).join();
    EXPECT_EQ(freed.count(next), 1u);
}

TEST(TscXMLItemPool, TheUncarvedRestOfAnEndedThreadsSlabServesOthersOnce)
{
    // The thread keeps its elements alive past its end; what it left of its
    // slab goes to the others and must not overlap them or itself.
    std::vector<std::unique_ptr<TscXMLItem>> kept(10);
    std::thread([&kept] {
        for (auto &item : kept)
            item = std::make_unique<TscXMLItem>();
    }).join();
    std::set<const void *> live;
    for (const auto &item : kept)
        live.insert(item.get());
    std::vector<std::thread> takers;
    std::vector<std::vector<std::unique_ptr<TscXMLItem>>> taken(3);
    for (auto &items : taken)
        takers.emplace_back([&items] {
            for (int i = 0; i < 2000; ++i)
                items.push_back(std::make_unique<TscXMLItem>());
        });
    for (std::thread &taker : takers)
        taker.join();
    for (const auto &items : taken)
        for (const auto &item : items)
            EXPECT_TRUE(live.insert(item.get()).second);
}

TEST(BlockArena, BlocksStayDistinctAndAdoptedOnesOutliveTheirArena)
{
    blockpool::Arena kept;
    std::vector<std::pair<unsigned char *, size_t>> blocks;
    {
        blockpool::Arena unit;
        // Sizes across the steps and past the pooled ones, enough to need
        // several chunks; every other block is given back and taken again.
        for (int i = 0; i < 20000; ++i) {
            const size_t bytes = 1 + size_t(i * 37) % (blockpool::kLargestPooled + 100);
            auto *block = static_cast<unsigned char *>(unit.take(bytes));
            if (i % 2) {
                unit.give(block, bytes);
                block = static_cast<unsigned char *>(unit.take(bytes));
            }
            std::memset(block, i & 0xff, bytes);
            blocks.emplace_back(block, bytes);
        }
        kept.adopt(unit);
    }
    for (size_t i = 0; i < blocks.size(); ++i)
        for (size_t k = 0; k < blocks[i].second; ++k)
            ASSERT_EQ(blocks[i].first[k], i & 0xff) << "block " << i;
    for (const auto &[block, bytes] : blocks)
        if (bytes > blockpool::kLargestPooled)
            kept.give(block, bytes); // heap blocks go when given back
}

TEST(TscXMLItemPool, ElementsFromAnArenaMixWithPooledOnesAndGoFromAnywhere)
{
    blockpool::Arena arena;
    auto root = std::make_unique<TscXMLItem>(); // pooled
    {
        const TscXMLItem::ArenaScope scope(&arena);
        for (int i = 0; i < 3; ++i) {
            const auto tree = makeTree(30, QStringLiteral("gone%1_").arg(i)); // freed inside: reused
            ASSERT_TRUE(treeIsIntact(*tree, 30, QStringLiteral("gone%1_").arg(i)));
        }
        root->AddItem(makeTree(30, QStringLiteral("a_")).release());
        const TscXMLItem::ArenaScope outside(nullptr);
        root->AddItem(makeTree(30, QStringLiteral("b_")).release()); // pooled again
    }
    ASSERT_EQ(root->Count(), 2);
    EXPECT_TRUE(treeIsIntact(*root->Items(0), 30, QStringLiteral("a_")));
    EXPECT_TRUE(treeIsIntact(*root->Items(1), 30, QStringLiteral("b_")));
    // A script frees an element through its base class.
    std::unique_ptr<bralvo::platform::HandleTarget> element(root.release());
    element.reset();
    EXPECT_TRUE(treeIsIntact(*makeTree(30, QStringLiteral("c_")), 30, QStringLiteral("c_")));
}

TEST(TscXMLItemPool, BlocksFreedOnAnotherThreadServeThisOne)
{
    SKIP_UNLESS_POOLED();
    // A thread that frees what another made must not keep all of it: the
    // maker would carve new slabs for ever.
    const size_t count = 30000;
    std::vector<std::unique_ptr<TscXMLItem>> items(count);
    std::set<const void *> freed;
    for (auto &item : items) {
        item = std::make_unique<TscXMLItem>();
        freed.insert(item.get());
    }
    std::promise<void> done;
    std::promise<void> finish;
    std::thread freer([&items, &done, finished = finish.get_future()]() mutable {
        items.clear();
        done.set_value();
        finished.wait(); // still alive while the blocks are made again
    });
    done.get_future().wait();
    size_t reused = 0;
    items.resize(count);
    for (auto &item : items) {
        item = std::make_unique<TscXMLItem>();
        reused += freed.count(item.get());
    }
    finish.set_value();
    freer.join();
    EXPECT_GE(reused, count / 2);
}

} // namespace
