#include "viewer/frame_clock.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kFrequency = 10'000'000;

TEST(FrameClock, FirstStepCoversEverythingSinceTheStart) {
    velmoran::FrameClock clock;
    clock.Start(kFrequency, 5 * kFrequency);
    EXPECT_FLOAT_EQ(clock.Step(8 * kFrequency), 3.0f);
    EXPECT_FLOAT_EQ(clock.Step(8 * kFrequency + kFrequency / 4), 0.25f);
    EXPECT_FLOAT_EQ(clock.Step(8 * kFrequency + kFrequency / 4), 0.0f);
}

TEST(FrameClock, StepsStayPreciseAfterDaysOfShow) {
    // Ten days in, a sixtieth of a second must still be a sixtieth: seconds
    // counted in single precision would round it to 0 or 1/16.
    velmoran::FrameClock clock;
    clock.Start(kFrequency, 0);
    clock.Step(10LL * 24 * 3600 * kFrequency);
    std::int64_t now = 10LL * 24 * 3600 * kFrequency;
    for (int i = 0; i < 3; ++i) {
        now += kFrequency / 60;
        EXPECT_NEAR(clock.Step(now), 1.0f / 60, 1e-6);
    }
}

}  // namespace
