#include "viewer/pointer_display_count.h"

#include <gtest/gtest.h>

namespace velmoran {
namespace {

TEST(PointerDisplayCount, OneShowAfterManyHidesKeepsThePointerHidden) {
    PointerDisplayCount count;
    EXPECT_FALSE(count.Hide());
    for (int frame = 0; frame < 99; ++frame) EXPECT_FALSE(count.Hide());
    EXPECT_FALSE(count.Show()) << "the show at Escape, after a hide at every frame";
}

TEST(PointerDisplayCount, ThePointerShowsOnceTheShowsMakeUpForTheHides) {
    PointerDisplayCount count;
    EXPECT_FALSE(count.Hide());
    EXPECT_FALSE(count.Hide());
    EXPECT_FALSE(count.Show());
    EXPECT_TRUE(count.Show());
    EXPECT_TRUE(count.Show());
    EXPECT_TRUE(count.Hide()) << "shown twice over, one hide leaves it shown";
    EXPECT_FALSE(count.Hide());
}

}  // namespace
}  // namespace velmoran
