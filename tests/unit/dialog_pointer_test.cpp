#include "saver/dialog/dialog_pointer.h"

#include <gtest/gtest.h>

namespace velmoran {
namespace {

using enum design::ControlId;

TEST(DialogPointer, TheLinkShowsItsOwnPointerAndTheHourglassCoversEverything) {
    EXPECT_EQ(PointerOver(PointerShape::Default, LblUrl), PointerShape::Link);
    EXPECT_EQ(PointerOver(PointerShape::Default, LblBgm0), PointerShape::Default);
    EXPECT_EQ(PointerOver(PointerShape::Default, CmdSet), PointerShape::Default);
    EXPECT_EQ(PointerOver(PointerShape::Default, std::nullopt), PointerShape::Default);
    EXPECT_EQ(PointerOver(PointerShape::Hourglass, LblUrl), PointerShape::Hourglass);
    EXPECT_EQ(PointerOver(PointerShape::Hourglass, std::nullopt), PointerShape::Hourglass);
}

}  // namespace
}  // namespace velmoran
