#include "saver/dialog/settings_dialog_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

namespace velmoran::design {
namespace {

std::set<int> Members(std::string_view name) {
    std::set<int> indices;
    for (const Control& c : kControls)
        if (c.name == name) indices.insert(c.index);
    return indices;
}

bool Inside(const Rect& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.left + r.width <= width && r.top + r.height <= height;
}

TEST(SettingsDialogDesign, FormIsTheFixedDialogOfFourNinetySixByTwoFortyThree) {
    EXPECT_EQ(kForm.name, "Velmoran_P");
    EXPECT_EQ(kForm.caption, "<Velmoran>");
    EXPECT_EQ(kForm.innerWidth / kTwipsPerPixel, 496);
    EXPECT_EQ(kForm.innerHeight / kTwipsPerPixel, 243);
    EXPECT_EQ(kForm.innerWidth % kTwipsPerPixel + kForm.innerHeight % kTwipsPerPixel, 0);
    EXPECT_TRUE(kForm.fixedBorder);
    EXPECT_EQ(kForm.backColour, (RgbColour{192, 192, 192}));
    EXPECT_EQ(kForm.icon, "velmoran.ico");
}

TEST(SettingsDialogDesign, IndexedGroupsHaveExactlyTheirMembers) {
    EXPECT_EQ(Members("lbl"), (std::set<int>{7, 14, 15}));
    EXPECT_EQ(Members("Pic_C"), (std::set<int>{0}));
    EXPECT_EQ(Members("Cmd_File"), (std::set<int>{0}));
    EXPECT_EQ(Members("lbl_Fname"), (std::set<int>{0}));
    EXPECT_EQ(Members("Img_Ra"), (std::set<int>{0, 1}));
    EXPECT_EQ(Members("Img_BGM"), (std::set<int>{0, 1, 2}));
    EXPECT_EQ(Members("lbl_BGM"), (std::set<int>{0, 1, 2}));
    EXPECT_EQ(Members("Shape3"), (std::set<int>{3}));
    for (const char* single : {"Pic_Dummy", "Cmd_Can", "Cmd_Set", "BGM_Repeat", "lbl_URL"})
        EXPECT_EQ(Members(single), (std::set<int>{kNoIndex})) << single;
    for (std::size_t i = 0; i < kImgBgm.size(); ++i) {
        EXPECT_EQ(ControlOf(kImgBgm[i]).index, int(i));
        EXPECT_EQ(ControlOf(kLblBgm[i]).index, int(i));
    }
}

TEST(SettingsDialogDesign, PlacesInTwipsAreWholePixels) {
    // Left, top, width and height in pixels, as the dialog is drawn.
    const std::map<ControlId, Rect> pixels{
        {PicDummy, {532, 60, 57, 53}},   {CmdCan, {404, 200, 77, 25}},   {CmdSet, {324, 200, 77, 25}},
        {PicC0, {12, 16, 469, 165}},     {CmdFile0, {28, 116, 41, 21}},  {BgmRepeat, {112, 52, 41, 20}},
        {Shape3_3, {20, 20, 113, 21}},   {Lbl15, {20, 24, 111, 13}},     {ImgBgm0, {28, 76, 13, 13}},
        {Lbl14, {156, 56, 66, 13}},      {LblBgm1, {44, 56, 43, 13}},    {LblBgm2, {44, 96, 60, 13}},
        {ImgBgm1, {28, 56, 13, 13}},     {LblBgm0, {44, 76, 22, 13}},    {ImgBgm2, {28, 96, 13, 13}},
        {LblFname0, {72, 116, 373, 33}}, {Lbl7, {12, 192, 300, 13}},     {LblUrl, {12, 208, 207, 13}},
        {ImgRa0, {536, 20, 12, 12}},     {ImgRa1, {536, 40, 12, 12}},
    };
    ASSERT_EQ(pixels.size(), kControlCount);
    for (const Control& c : kControls) {
        const Rect& p = pixels.at(c.id);
        EXPECT_EQ(c.twips, (Rect{p.left * 15, p.top * 15, p.width * 15, p.height * 15})) << c.name << c.index;
        EXPECT_EQ(c.twips.Pixels(), p) << c.name << c.index;
    }
}

TEST(SettingsDialogDesign, PicturesLieOutsideTheVisibleArea) {
    const int width = kForm.innerWidth, height = kForm.innerHeight;
    for (ControlId hidden : {PicDummy, ImgRa0, ImgRa1}) {
        EXPECT_GE(ControlOf(hidden).twips.left, width);
        EXPECT_FALSE(ControlOf(hidden).container.has_value());
    }
    // Everything else lies within the form or within the panel.
    const Rect panel = ControlOf(PicC0).twips;
    for (const Control& c : kControls) {
        if (c.id == PicDummy || c.id == ImgRa0 || c.id == ImgRa1) continue;
        if (c.container == PicC0)
            EXPECT_TRUE(Inside(c.twips, panel.width, panel.height)) << c.name << c.index;
        else
            EXPECT_TRUE(Inside(c.twips, width, height)) << c.name << c.index;
    }
}

TEST(SettingsDialogDesign, MusicControlsSitInThePanel) {
    std::set<ControlId> inPanel;
    for (const Control& c : kControls)
        if (c.container) {
            EXPECT_EQ(*c.container, PicC0);
            inPanel.insert(c.id);
        }
    EXPECT_EQ(inPanel, (std::set<ControlId>{CmdFile0, BgmRepeat, Shape3_3, Lbl15, ImgBgm0, Lbl14, LblBgm1,
                                             LblBgm2, ImgBgm1, LblBgm0, ImgBgm2, LblFname0}));
}

TEST(SettingsDialogDesign, CaptionsKeepTheirExactCharacters) {
    EXPECT_EQ(ControlOf(CmdCan).caption, "\uFF77\uFF6C\uFF9D\uFF7E\uFF99");                    // ｷｬﾝｾﾙ
    EXPECT_EQ(ControlOf(CmdSet).caption, "\u8A2D\u5B9A");                                       // 設定
    EXPECT_EQ(ControlOf(CmdFile0).caption, "...");
    EXPECT_EQ(ControlOf(Lbl15).caption, "BGM");
    EXPECT_EQ(ControlOf(Lbl14).caption, "\u66F2\u76EE\u3092\uFF98\uFF8B\uFF9F\uFF70\uFF84");  // 曲目をﾘﾋﾟｰﾄ
    EXPECT_EQ(ControlOf(LblBgm0).caption, "\u306A\u3057");                                      // なし
    EXPECT_EQ(ControlOf(LblBgm1).caption, "\u97F3\u697DCD");                                    // 音楽CD
    EXPECT_EQ(ControlOf(LblBgm2).caption, "MP3\u3001WAV");                                      // MP3、WAV
    EXPECT_EQ(ControlOf(LblFname0).caption, "");
    EXPECT_EQ(ControlOf(LblUrl).caption, kHomeAddress);
    EXPECT_EQ(ControlOf(Lbl7).caption, kCreditLine);
    EXPECT_EQ(kGothic.face, "\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");                  // ＭＳ Ｐゴシック
}

TEST(SettingsDialogDesign, SourceRowsReadCdThenNoneThenFileWithMarksBesideTheirTexts) {
    EXPECT_LT(ControlOf(LblBgm1).twips.top, ControlOf(LblBgm0).twips.top);
    EXPECT_LT(ControlOf(LblBgm0).twips.top, ControlOf(LblBgm2).twips.top);
    for (std::size_t i = 0; i < kImgBgm.size(); ++i) {
        const Rect mark = ControlOf(kImgBgm[i]).twips.Pixels();
        const Rect text = ControlOf(kLblBgm[i]).twips.Pixels();
        EXPECT_EQ(mark.left + 16, text.left);
        EXPECT_EQ(mark.top, text.top);
    }
    EXPECT_EQ(ControlOf(ImgRa0).picture, "option_off.jpg");
    EXPECT_EQ(ControlOf(ImgRa1).picture, "option_on.jpg");
    for (ControlId mark : kImgBgm) EXPECT_EQ(ControlOf(mark).picture, "");
}

TEST(SettingsDialogDesign, ButtonsStoreCaptionFontAndTheirSizeInHundredthsOfAMillimetre) {
    int buttons = 0;
    for (const Control& c : kControls) {
        if (c.kind != Kind::PushButton) {
            EXPECT_FALSE(c.extent.has_value()) << c.name;
            continue;
        }
        ++buttons;
        EXPECT_EQ(c.font, kGothic) << c.name;
        ASSERT_TRUE(c.extent.has_value()) << c.name;
        const Rect px = c.twips.Pixels();  // at 96 pixels per inch
        EXPECT_EQ(c.extent->x, std::lround(px.width * 2540.0 / 96)) << c.name;
        EXPECT_EQ(c.extent->y, std::lround(px.height * 2540.0 / 96)) << c.name;
    }
    EXPECT_EQ(buttons, 3);
    EXPECT_EQ(ControlOf(CmdSet).extent, (Extent{2037, 661}));
    EXPECT_EQ(ControlOf(CmdFile0).extent, (Extent{1085, 556}));
}

TEST(SettingsDialogDesign, FontsAndColours) {
    EXPECT_EQ(ControlOf(PicC0).font, kTahoma);
    EXPECT_EQ(kTahoma.charset, 0);
    EXPECT_EQ(ControlOf(PicC0).backColour, (RgbColour{224, 224, 224}));
    EXPECT_EQ(ControlOf(BgmRepeat).backColour, kWhite);
    EXPECT_EQ(ControlOf(Shape3_3).foreColour, kBlack);
    EXPECT_FALSE(ControlOf(Shape3_3).backColour.has_value());  // outline only
    EXPECT_EQ(ControlOf(Lbl15).align, Align::Centre);
    for (const Control& c : kControls) {
        if (c.kind != Kind::Label) continue;
        EXPECT_FALSE(c.backColour.has_value()) << c.name << c.index;  // transparent
        const bool below = !c.container;
        EXPECT_EQ(c.foreColour, below ? kWhite : kBlack) << c.name << c.index;
        EXPECT_EQ(c.font, c.id == LblUrl ? kGothicUnderlined : kGothic) << c.name << c.index;
    }
    EXPECT_TRUE(kGothicUnderlined.underline);
    EXPECT_EQ(kGothic.points, 9.75);
    EXPECT_EQ(kGothic.charset, 128);
    EXPECT_EQ(ControlOf(LblUrl).mousePointer, "link.cur");
}

TEST(SettingsDialogDesign, TabOrderNumbersAreUnique) {
    std::map<int, ControlId> order;
    for (const Control& c : kControls)
        if (c.tabOrder) {
            EXPECT_TRUE(order.emplace(*c.tabOrder, c.id).second) << c.name << c.index;
        }
    EXPECT_EQ(order.at(1), PicC0);
    EXPECT_EQ(order.at(2), BgmRepeat);
    EXPECT_EQ(order.at(10), CmdSet);
    EXPECT_EQ(order.at(11), CmdCan);
    EXPECT_EQ(order.at(13), LblUrl);
}

TEST(SettingsDialogDesign, CreditAndLinkLieBelowThePanelClearOfTheButtons) {
    const Rect panel = ControlOf(PicC0).twips, set = ControlOf(CmdSet).twips;
    for (ControlId line : {Lbl7, LblUrl}) {
        const Rect r = ControlOf(line).twips;
        EXPECT_GE(r.top, panel.top + panel.height);
        EXPECT_LE(r.left + r.width, set.left);
    }
    EXPECT_EQ(ControlOf(Lbl7).twips.Pixels().top, 192);
    EXPECT_EQ(ControlOf(LblUrl).twips.Pixels().top, 208);
    EXPECT_EQ(kHomeAddress.substr(0, 8), "https://");
}

TEST(SettingsDialogDesign, ViewsPaintTheWindowlessControlsButTheUnseenOptionPictures) {
    std::set<ControlId> painted;
    for (const Control& c : kControls)
        if (Painted(c)) painted.insert(c.id);
    EXPECT_EQ(painted, (std::set<ControlId>{Shape3_3, Lbl15, ImgBgm0, Lbl14, LblBgm1, LblBgm2, ImgBgm1, LblBgm0,
                                            ImgBgm2, LblFname0, Lbl7, LblUrl}));
}

}  // namespace
}  // namespace velmoran::design
