#include "viewer/sphere_angles.h"

#include <gtest/gtest.h>

namespace {

using velmoran::SphereAngles;

TEST(SphereAngles, TurnTenDegreesPerSecondOnEveryAxis) {
    SphereAngles a;
    a.Advance(0.5f);
    a.Advance(1.25f);
    EXPECT_DOUBLE_EQ(a.x, 17.5);
    EXPECT_DOUBLE_EQ(a.y, 17.5);
    EXPECT_DOUBLE_EQ(a.z, 17.5);
}

TEST(SphereAngles, SameTurnAtAnyFrameRate) {
    SphereAngles fast, slow;
    for (int i = 0; i < 120; ++i) fast.Advance(1.0f / 120);
    for (int i = 0; i < 4; ++i) slow.Advance(0.25f);
    EXPECT_NEAR(fast.x, 10.0, 1e-4);
    EXPECT_NEAR(slow.x, 10.0, 1e-9);
}

TEST(SphereAngles, ExactlyThreeSixtyStays) {
    SphereAngles a{350.0, 350.0, 350.0};
    a.Advance(1.0f);
    EXPECT_DOUBLE_EQ(a.x, 360.0);
    EXPECT_DOUBLE_EQ(a.z, 360.0);
}

TEST(SphereAngles, AboveThreeSixtyOneTurnIsTakenOffPerFrame) {
    SphereAngles a{355.0, 355.0, 355.0};
    a.Advance(1.0f);
    EXPECT_DOUBLE_EQ(a.x, 5.0);
    // A step of several turns loses only one turn at a time.
    SphereAngles b;
    b.Advance(100.0f);
    EXPECT_DOUBLE_EQ(b.y, 640.0);
    b.Advance(0.0f);
    EXPECT_DOUBLE_EQ(b.y, 280.0);
}

}  // namespace
