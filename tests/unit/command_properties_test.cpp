// The push button's properties, their side effects, and its property bag.
#include <gtest/gtest.h>

#include "command_fakes.h"

namespace velmoran::testing {
namespace {

using F = FaceImage;
using Faces = std::vector<FaceImage>;
using Keys = std::vector<std::string>;

Keys KeysOf(const MemoryPropertyBag& bag) {
    Keys keys;
    for (const auto& [key, value] : bag.Entries()) keys.push_back(key);
    return keys;
}

TEST(CommandProperties, ReadsOfEnabledFontColourAndOpaqueVisibleRepaintWithoutChangingState) {
    Button b;
    b.Move();
    b.surface.paints.clear();
    EXPECT_TRUE(b.control.Enabled());
    EXPECT_EQ(b.control.FontColour(), 0u);
    EXPECT_EQ(b.control.Visible(), 255);
    EXPECT_EQ(b.surface.Faces(), (Faces{F::Normal, F::Normal, F::Normal}));
    EXPECT_EQ(b.control.FaceState(), kPointerOver);

    b.control.SetEnabled(false);
    b.surface.paints.clear();
    EXPECT_FALSE(b.control.Enabled());
    EXPECT_EQ(b.surface.Faces(), Faces{F::Disable});

    b.control.SetVisible(0);
    b.surface.paints.clear();
    EXPECT_EQ(b.control.Visible(), 0);
    EXPECT_FALSE(b.surface.opaque);
    EXPECT_TRUE(b.surface.paints.empty());
}

TEST(CommandProperties, WritesReportTheirNameAndRepaintAsTheyShould) {
    Button b;
    b.control.SetCaption("設定");
    b.control.SetFont(DesignFont());
    EXPECT_TRUE(b.surface.paints.empty());  // caption and font show without a new face
    EXPECT_EQ(b.surface.caption.text, "設定");
    b.control.SetFontColour(0x0000FF);
    EXPECT_EQ(b.surface.caption.colour, 0x0000FFu);
    b.control.SetVisible(7);
    EXPECT_TRUE(b.surface.opaque);
    b.control.SetEnabled(true);
    EXPECT_EQ(b.site.changed, (Keys{"Caption", "Font", "FontColour", "Visible", "Enabled"}));
    EXPECT_EQ(b.surface.Faces(), (Faces{F::Normal, F::Normal, F::Normal}));
}

TEST(CommandProperties, FreshInstanceIsDisabledUntilEnabledIsFirstRead) {
    RecordingSurface surface;
    FakeSite site;
    Command control(surface, site);
    EXPECT_EQ(control.Caption(), "Command");
    EXPECT_EQ(control.Font(), DesignFont());
    control.UserControl_Resize();
    EXPECT_EQ(surface.Faces(), Faces{F::Disable});
    control.SetFontColour(0x123456);  // ResetFace stops: still disabled
    EXPECT_EQ(surface.Faces(), Faces{F::Disable});

    EXPECT_TRUE(control.Enabled());
    EXPECT_EQ(control.FirstRun(), 1);
    EXPECT_EQ(surface.Faces(), (Faces{F::Disable, F::Normal}));
    EXPECT_TRUE(surface.caption.enabled);
    EXPECT_EQ(control.FontColour(), 0x123456u);
}

TEST(CommandProperties, EmptyBagGivesAnEnabledBlackOpaqueCommand1InTheAmbientFont) {
    Button b;
    EXPECT_TRUE(b.control.Enabled());
    EXPECT_EQ(b.control.Caption(), "Command1");
    EXPECT_EQ(b.control.Font(), b.site.ambient);
    EXPECT_EQ(b.control.FontColour(), 0u);
    EXPECT_TRUE(b.control.Opaque());
    EXPECT_EQ(b.control.FirstRun(), 1);
}

TEST(CommandProperties, LoadingReadsKeysWhateverTheirCaseAndPaintsNormal) {
    RecordingSurface surface;
    FakeSite site;
    Command control(surface, site);
    ButtonFont font{"ＭＳ Ｐゴシック", 9.75f, 128};
    control.UserControl_ReadProperties(MemoryPropertyBag{{"caption", std::string("ｷｬﾝｾﾙ")},
                                                         {"FONT", font},
                                                         {"fontcolour", std::string("255")},
                                                         {"Visible", std::string("0")}});
    EXPECT_EQ(control.Caption(), "ｷｬﾝｾﾙ");
    EXPECT_EQ(control.Font(), font);
    EXPECT_EQ(control.LblMsg().colour, 255u);
    EXPECT_FALSE(control.Opaque());
    EXPECT_EQ(surface.Faces(), Faces{F::Normal});
    EXPECT_EQ(surface.caption.text, "ｷｬﾝｾﾙ");
}

TEST(CommandProperties, StoredDisabledButtonLoadsWithoutAnyPaint) {
    RecordingSurface surface;
    FakeSite site;
    Command control(surface, site);
    control.UserControl_ReadProperties(MemoryPropertyBag{{"Enabled", std::string("False")}});
    EXPECT_TRUE(surface.paints.empty());
    control.UserControl_Resize();
    EXPECT_EQ(surface.Faces(), Faces{F::Disable});
}

TEST(CommandProperties, UnreadableEntriesLeaveTheirPropertyAsItWas) {
    Button b;
    b.control.SetCaption("Keep");
    b.control.UserControl_ReadProperties(MemoryPropertyBag{{"Enabled", std::string("maybe")},
                                                           {"Caption", DesignFont()},
                                                           {"Font", std::string("Arial")},
                                                           {"FirstRun", std::string("256")},
                                                           {"FontColour", std::string("blue")},
                                                           {"Visible", std::string("2")}});
    EXPECT_TRUE(b.control.Enabled());
    EXPECT_EQ(b.control.Caption(), "Keep");
    EXPECT_EQ(b.control.Font(), b.site.ambient);
    EXPECT_EQ(b.control.FirstRun(), 1);
    EXPECT_TRUE(b.control.Opaque());
}

TEST(CommandProperties, SavingLeavesDefaultsOutAndKeepsTheOrder) {
    Button plain;
    MemoryPropertyBag bag;
    plain.control.UserControl_WriteProperties(bag);
    EXPECT_TRUE(bag.Entries().empty());
    EXPECT_EQ(plain.surface.Faces(), Faces{F::Normal});

    Button changed;
    changed.control.SetCaption("設定");
    changed.control.SetFont(DesignFont());
    changed.control.SetFontColour(0xFF0000);
    changed.control.SetVisible(0);
    changed.control.SetEnabled(false);
    changed.control.UserControl_WriteProperties(bag);
    EXPECT_EQ(KeysOf(bag), (Keys{"Enabled", "Caption", "Font", "FontColour", "Visible"}));
    EXPECT_EQ(bag.ReadProperty("enabled", std::string()), PropertyValue(std::string("0")));
    EXPECT_EQ(bag.ReadProperty("fontcolour", std::string()), PropertyValue(std::string("16711680")));

    Button reloaded;
    reloaded.control.UserControl_ReadProperties(bag);
    EXPECT_FALSE(reloaded.control.Enabled());
    EXPECT_EQ(reloaded.control.Caption(), "設定");
    EXPECT_EQ(reloaded.control.Font(), DesignFont());
    EXPECT_EQ(reloaded.control.LblMsg().colour, 0xFF0000u);
    EXPECT_FALSE(reloaded.control.Opaque());
}

TEST(CommandProperties, CaptionCommand1IsLeftOutAndComesBack) {
    for (std::string caption : {"Command1", "command1", "Command", ""}) {
        Button b;
        b.control.SetCaption(caption);
        MemoryPropertyBag bag;
        b.control.UserControl_WriteProperties(bag);
        EXPECT_EQ(bag.Find("Caption") == nullptr, caption == "Command1") << caption;
        Button reloaded;
        reloaded.control.UserControl_ReadProperties(bag);
        EXPECT_EQ(reloaded.control.Caption(), caption);
    }
}

TEST(CommandProperties, FirstRunZeroBlackensTheCaptionUntilEnabledIsRead) {
    Button b;
    b.control.UserControl_ReadProperties(MemoryPropertyBag{{"FirstRun", std::string("0")},
                                                           {"FontColour", std::string("255")}});
    EXPECT_EQ(b.control.LblMsg().colour, 0u);
    b.control.SetFontColour(0x00FF00);
    EXPECT_EQ(b.control.LblMsg().colour, 0u);  // the setter's ResetFace undid it
    EXPECT_TRUE(b.control.Enabled());
    EXPECT_EQ(b.control.FirstRun(), 1);
    b.control.SetFontColour(0x00FF00);
    EXPECT_EQ(b.control.LblMsg().colour, 0x00FF00u);
    EXPECT_EQ(b.surface.caption.colour, 0x00FF00u);
}

TEST(PropertyBag, KeysIgnoreCaseAndDefaultsAreLeftOut) {
    MemoryPropertyBag bag{{"caption", std::string("A")}};
    EXPECT_EQ(bag.ReadProperty("CAPTION", std::string("x")), PropertyValue(std::string("A")));
    EXPECT_EQ(bag.ReadProperty("Missing", std::string("x")), PropertyValue(std::string("x")));
    bag.WriteProperty("Caption", std::string("B"), std::string("Command1"));
    EXPECT_EQ(KeysOf(bag), Keys{"caption"});
    bag.WriteProperty("CAPTION", std::string("Command1"), std::string("Command1"));
    EXPECT_TRUE(bag.Entries().empty());
}

TEST(PropertyBag, ConversionsFollowTheStoredText) {
    EXPECT_EQ(ToBoolean(std::string("-1")), true);
    EXPECT_EQ(ToBoolean(std::string(" TRUE ")), true);
    EXPECT_EQ(ToBoolean(std::string("0")), false);
    EXPECT_EQ(ToBoolean(std::string("yes")), std::nullopt);
    EXPECT_EQ(ToBoolean(PropertyValue(DesignFont())), std::nullopt);
    EXPECT_EQ(ToInteger(std::string("&HFF"), 0, 255), 255);
    EXPECT_EQ(ToInteger(std::string("&H8000FF&"), INT32_MIN, INT32_MAX), 0x8000FF);
    EXPECT_EQ(ToInteger(std::string("&HFFFFFFFF"), INT32_MIN, INT32_MAX), -1);
    EXPECT_EQ(ToInteger(std::string("2.5"), 0, 255), 2);
    EXPECT_EQ(ToInteger(std::string("-1"), 0, 255), std::nullopt);
    EXPECT_EQ(ToInteger(std::string(""), 0, 255), std::nullopt);
    EXPECT_EQ(ToInteger(std::string("1e999"), 0, 255), std::nullopt);
    EXPECT_EQ(ToInteger(std::string("12abc"), 0, 255), std::nullopt);
}

}  // namespace
}  // namespace velmoran::testing
