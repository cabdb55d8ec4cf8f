#include "saver/dialog/dialog_button_design.h"

#include <gtest/gtest.h>

#include "command_fakes.h"

namespace velmoran {
namespace {

using design::ControlId;

TEST(DialogButtonDesign, BagHoldsCaptionFontAndExtentTheButtonLoads) {
    const MemoryPropertyBag bag = ButtonPropertyBag(design::ControlOf(ControlId::CmdSet));
    ASSERT_TRUE(bag.Find("_ExtentX"));
    EXPECT_EQ(std::get<std::string>(*bag.Find("_ExtentX")), "2037");
    EXPECT_EQ(std::get<std::string>(*bag.Find("_ExtentY")), "661");

    testing::Button button;
    button.control.UserControl_ReadProperties(bag);
    EXPECT_EQ(button.control.Caption(), "設定");
    const ButtonFont font = button.control.Font();
    EXPECT_EQ(font.name, "ＭＳ Ｐゴシック");
    EXPECT_FLOAT_EQ(font.points, 9.75f);
    EXPECT_EQ(font.charset, 128);
    EXPECT_EQ(font.weight, 400);
    EXPECT_FALSE(font.underline);
    EXPECT_EQ(FontPixelHeight(font), 13);
}

TEST(DialogButtonDesign, FileButtonKeepsItsSmallerExtentAndCaption) {
    const MemoryPropertyBag bag = ButtonPropertyBag(design::ControlOf(ControlId::CmdFile0));
    EXPECT_EQ(std::get<std::string>(*bag.Find("caption")), "...");
    EXPECT_EQ(std::get<std::string>(*bag.Find("_extentx")), "1085");
    EXPECT_EQ(std::get<std::string>(*bag.Find("_EXTENTY")), "556");
}

TEST(DialogButtonDesign, UnderlinedDesignFontStaysUnderlined) {
    EXPECT_TRUE(ToButtonFont(design::kGothicUnderlined).underline);
    EXPECT_EQ(ToButtonFont(design::kTahoma).name, "Tahoma");
    EXPECT_EQ(ToButtonFont(design::kTahoma).charset, 0);
}

}  // namespace
}  // namespace velmoran
