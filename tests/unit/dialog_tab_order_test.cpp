#include "saver/dialog/dialog_tab_order.h"

#include <gtest/gtest.h>

#include <set>

namespace velmoran {
namespace {

using design::ControlId;
using enum design::ControlId;

TEST(DialogTabOrder, WindowedControlsInTheirTabOrder) {
    EXPECT_EQ(TabStops(), (std::vector<ControlId>{PicC0, BgmRepeat, CmdFile0, CmdSet, CmdCan, PicDummy}));
}

TEST(DialogTabOrder, TabSkipsWhatCannotTakeTheFocusAndWrapsRound) {
    const std::set<ControlId> disabled{BgmRepeat, CmdFile0};
    const auto canFocus = [&](ControlId id) { return !disabled.contains(id); };
    EXPECT_EQ(NextTabStop(PicC0, false, canFocus), CmdSet);
    EXPECT_EQ(NextTabStop(CmdSet, true, canFocus), PicC0);
    EXPECT_EQ(NextTabStop(PicDummy, false, canFocus), PicC0);
    EXPECT_EQ(NextTabStop(PicC0, true, canFocus), PicDummy);
    const auto all = [](ControlId) { return true; };
    EXPECT_EQ(NextTabStop(PicC0, false, all), BgmRepeat);
    EXPECT_EQ(NextTabStop(BgmRepeat, false, all), CmdFile0);
}

TEST(DialogTabOrder, FromNoStopTabStartsAtAnEnd) {
    const auto all = [](ControlId) { return true; };
    EXPECT_EQ(NextTabStop(std::nullopt, false, all), PicC0);
    EXPECT_EQ(NextTabStop(std::nullopt, true, all), PicDummy);
    EXPECT_EQ(NextTabStop(LblUrl, false, all), PicC0);  // a label is no stop
    EXPECT_EQ(NextTabStop(CmdSet, false, [](ControlId) { return false; }), std::nullopt);
    // The only stop that can take the focus keeps it.
    EXPECT_EQ(NextTabStop(CmdCan, false, [](ControlId id) { return id == CmdCan; }), CmdCan);
}

}  // namespace
}  // namespace velmoran
