#include "viewer/band_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using velmoran::BandQueue;
using velmoran::MipBand;

MipBand Band(int firstRow, std::size_t bytes = 10) {
    MipBand band;
    band.firstRow = firstRow;
    band.rows = 1;
    band.bgr.assign(bytes, static_cast<std::uint8_t>(firstRow));
    return band;
}

TEST(BandQueue, HandsOverEveryBandInOrderThenTellsWhetherTheChainCameWhole) {
    for (const bool whole : {true, false}) {
        BandQueue queue;
        ASSERT_TRUE(queue.Push(Band(0)));
        ASSERT_TRUE(queue.Push(Band(1)));
        queue.Finish(whole);
        EXPECT_FALSE(queue.Complete()) << "bands still to take";
        EXPECT_EQ(queue.Pop()->firstRow, 0);
        EXPECT_EQ(queue.Pop()->bgr[0], 1);
        EXPECT_FALSE(queue.Pop());
        EXPECT_EQ(queue.Complete(), whole);
    }
}

// A builder bounded to one band ahead is never more than that ahead of the
// taker, and every band still comes.
TEST(BandQueue, ABoundedBuilderWaitsForTheTaker) {
    BandQueue queue;
    queue.Bound(10);
    constexpr int kBands = 200;
    std::atomic<int> pushed{0};
    std::thread builder([&] {
        for (int i = 0; i < kBands; ++i) {
            queue.Push(Band(i));
            ++pushed;
        }
        queue.Finish(true);
    });
    int taken = 0;
    while (std::optional<MipBand> band = queue.Pop()) {
        EXPECT_EQ(band->firstRow, taken);
        ++taken;
        EXPECT_LE(pushed.load(), taken + 1) << "one band queued at most, one more being pushed";
    }
    builder.join();
    EXPECT_EQ(taken, kBands);
    EXPECT_TRUE(queue.Complete());
}

TEST(BandQueue, AnAbandonedQueueDropsItsBandsAndReleasesAWaitingBuilder) {
    BandQueue queue;
    queue.Bound(10);
    ASSERT_TRUE(queue.Push(Band(0)));
    std::thread builder([&] { EXPECT_FALSE(queue.Push(Band(1))) << "refused once abandoned"; });
    queue.Abandon();
    builder.join();
    queue.Finish(true);
    EXPECT_FALSE(queue.Pop());
    EXPECT_FALSE(queue.Push(Band(2)));
}

}  // namespace
