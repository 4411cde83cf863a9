#include "batch/OrderedPool.hpp"

#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <vector>

namespace korvane {
namespace {

struct Item {
    int value = 0;
    int doneBy = -1;
};

// Items come back in the order they were given, each worked on once, whatever the number of
// worker threads; the caller works on those no worker has taken as it waits for the oldest,
// and with no worker threads it does every item's work itself (as one more worker, numbered
// after them) rather than wait for ever.
TEST(OrderedPool, HandsItemsBackInOrderWhileTheCallerHelps) {
    constexpr int kItems = 500;
    constexpr std::size_t kInFlight = 5;
    for (const int workers : {0, 1, 3}) {
        OrderedPool<Item> pool(workers, [](Item& item, int worker) {
            item.value *= 2;
            item.doneBy = worker;
        });
        std::vector<std::unique_ptr<Item>> back;
        const auto takeWhileAtLeast = [&](std::size_t inFlight) {
            while (pool.InFlight() >= inFlight && pool.InFlight() > 0) {
                back.push_back(pool.TakeOldest());
            }
        };
        for (int i = 0; i < kItems; ++i) {
            pool.Submit(std::make_unique<Item>(Item{i}));
            takeWhileAtLeast(kInFlight);
        }
        takeWhileAtLeast(1);
        ASSERT_EQ(back.size(), std::size_t{kItems}) << workers << " workers";
        std::vector<int> doneBy(static_cast<std::size_t>(workers) + 1);
        for (int i = 0; i < kItems; ++i) {
            const Item& item = *back[static_cast<std::size_t>(i)];
            EXPECT_EQ(item.value, 2 * i) << workers << " workers";
            ASSERT_GE(item.doneBy, 0);
            ASSERT_LE(item.doneBy, workers);
            ++doneBy[static_cast<std::size_t>(item.doneBy)];
        }
        if (workers == 0) {
            EXPECT_EQ(doneBy[0], kItems);
        }
        EXPECT_EQ(pool.TakeOldest(), nullptr);
    }
}

// Work that throws on a worker's thread (out of memory) is thrown to the caller in its item's
// turn, after the items before it, rather than ending the program from a thread of its own.
TEST(OrderedPool, AFailedItemThrowsInItsTurn) {
    for (const int workers : {0, 2}) {
        OrderedPool<Item> pool(workers, [](Item& item, int) {
            if (item.value == 3) {
                throw std::bad_alloc();
            }
        });
        for (int i = 0; i < 6; ++i) {
            pool.Submit(std::make_unique<Item>(Item{i}));
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(pool.TakeOldest()->value, i) << workers << " workers";
        }
        EXPECT_THROW(pool.TakeOldest(), std::bad_alloc) << workers << " workers";
        EXPECT_EQ(pool.TakeOldest()->value, 4) << workers << " workers";
    }
}

} // namespace
} // namespace korvane
