// The settings dialog "<Velmoran>" as designed: the form and every control on
// it, in design (creation) order, with the values the views build it from.
// Positions and sizes are twips relative to the container's inner area; the
// views place them in pixels at 15 twips per pixel.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "saver/rgb_colour.h"

namespace velmoran::design {

inline constexpr int kTwipsPerPixel = 15;

// A length in twips as the views place it: in whole pixels, the rest dropped.
constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

// The author's home page, the caption of lbl_URL and the address it opens.
inline constexpr std::string_view kHomeAddress = "https://velmoran.example.org/";
// The credit line lbl(7) above it.
inline constexpr std::string_view kCreditLine = "Velmoran — 球体の中のデスクトップ";

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;

    constexpr Rect Pixels() const {
        return {design::Pixels(left), design::Pixels(top), design::Pixels(width), design::Pixels(height)};
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// Fonts are of normal weight and never italic.
struct Font {
    std::string_view face;  // UTF-8
    double points = 0;
    int charset = 0;        // 0 Western, 128 Shift-JIS
    bool underline = false;
    friend constexpr bool operator==(const Font&, const Font&) = default;
};

inline constexpr Font kGothic{"ＭＳ Ｐゴシック", 9.75, 128};
inline constexpr Font kGothicUnderlined{"ＭＳ Ｐゴシック", 9.75, 128, true};
inline constexpr Font kTahoma{"Tahoma", 8.25, 0};

enum class Kind { PictureBox, PushButton, ComboBox, Shape, Label, Image };

// One per control, in design order: the value is the control's place in kControls.
enum class ControlId : std::uint8_t {
    PicDummy, CmdCan, CmdSet, PicC0, CmdFile0, BgmRepeat, Shape3_3, Lbl15, ImgBgm0, Lbl14,
    LblBgm1, LblBgm2, ImgBgm1, LblBgm0, ImgBgm2, LblFname0, Lbl7, LblUrl, ImgRa0, ImgRa1,
};
inline constexpr std::size_t kControlCount = 20;

inline constexpr int kNoIndex = -1;  // a control that is no member of an indexed group

enum class Align { Left, Centre };

// A push button's stored design size, in hundredths of a millimetre.
struct Extent {
    int x = 0, y = 0;
    friend constexpr bool operator==(const Extent&, const Extent&) = default;
};

// Labels are transparent: the gradient painted under them shows around their
// text. A shape draws its outline in foreColour and is filled only with a
// backColour.
struct Control {
    ControlId id{};
    std::string_view name{};
    int index = kNoIndex;
    Kind kind{};
    std::optional<ControlId> container{}; // none: the form itself
    Rect twips{};
    std::string_view caption{};           // push buttons: their persisted Caption
    std::optional<Font> font{};           // push buttons: their persisted Font
    std::optional<RgbColour> foreColour{};
    std::optional<RgbColour> backColour{};
    Align align = Align::Left;
    bool autoSize = false;                // the label's width fits its text
    bool wraps = false;                   // the text breaks into lines within the width
    std::optional<int> tabOrder{};
    std::string_view picture{};           // embedded picture (file name under assets/)
    std::string_view mousePointer{};      // embedded cursor shown over the control
    std::optional<Extent> extent{};       // push buttons only
};

struct Form {
    std::string_view name;
    std::string_view caption;            // also the marker of an open dialog
    int innerWidth = 0, innerHeight = 0; // twips
    RgbColour backColour;
    bool fixedBorder = true;             // single line with title bar, not resizable
    std::string_view icon;
};

inline constexpr Form kForm{"Velmoran_P", "<Velmoran>", 7440, 3645, {192, 192, 192}, true, "velmoran.ico"};

using enum ControlId;

inline constexpr std::array<Control, kControlCount> kControls{{
    {.id = PicDummy, .name = "Pic_Dummy", .kind = Kind::PictureBox, .twips = {7980, 900, 855, 795},
     .tabOrder = 12},
    {.id = CmdCan, .name = "Cmd_Can", .kind = Kind::PushButton, .twips = {6060, 3000, 1155, 375},
     .caption = "ｷｬﾝｾﾙ", .font = kGothic, .tabOrder = 11, .extent = Extent{2037, 661}},
    {.id = CmdSet, .name = "Cmd_Set", .kind = Kind::PushButton, .twips = {4860, 3000, 1155, 375},
     .caption = "設定", .font = kGothic, .tabOrder = 10, .extent = Extent{2037, 661}},
    {.id = PicC0, .name = "Pic_C", .index = 0, .kind = Kind::PictureBox, .twips = {180, 240, 7035, 2475},
     .font = kTahoma, .backColour = RgbColour{224, 224, 224}, .tabOrder = 1},
    {.id = CmdFile0, .name = "Cmd_File", .index = 0, .kind = Kind::PushButton, .container = PicC0,
     .twips = {420, 1740, 615, 315}, .caption = "...", .font = kGothic, .tabOrder = 9,
     .extent = Extent{1085, 556}},
    // The combo box takes the panel's font, as controls placed on it do.
    {.id = BgmRepeat, .name = "BGM_Repeat", .kind = Kind::ComboBox, .container = PicC0,
     .twips = {1680, 780, 615, 300}, .font = kTahoma, .backColour = kWhite, .tabOrder = 2},
    {.id = Shape3_3, .name = "Shape3", .index = 3, .kind = Kind::Shape, .container = PicC0,
     .twips = {300, 300, 1695, 315}, .foreColour = kBlack},
    {.id = Lbl15, .name = "lbl", .index = 15, .kind = Kind::Label, .container = PicC0,
     .twips = {300, 360, 1665, 195}, .caption = "BGM", .font = kGothic, .foreColour = kBlack,
     .align = Align::Centre, .tabOrder = 8},
    {.id = ImgBgm0, .name = "Img_BGM", .index = 0, .kind = Kind::Image, .container = PicC0,
     .twips = {420, 1140, 195, 195}},
    {.id = Lbl14, .name = "lbl", .index = 14, .kind = Kind::Label, .container = PicC0,
     .twips = {2340, 840, 990, 195}, .caption = "曲目をﾘﾋﾟｰﾄ", .font = kGothic, .foreColour = kBlack,
     .autoSize = true, .tabOrder = 7},
    {.id = LblBgm1, .name = "lbl_BGM", .index = 1, .kind = Kind::Label, .container = PicC0,
     .twips = {660, 840, 645, 195}, .caption = "音楽CD", .font = kGothic, .foreColour = kBlack,
     .autoSize = true, .tabOrder = 6},
    {.id = LblBgm2, .name = "lbl_BGM", .index = 2, .kind = Kind::Label, .container = PicC0,
     .twips = {660, 1440, 900, 195}, .caption = "MP3、WAV", .font = kGothic, .foreColour = kBlack,
     .autoSize = true, .tabOrder = 5},
    {.id = ImgBgm1, .name = "Img_BGM", .index = 1, .kind = Kind::Image, .container = PicC0,
     .twips = {420, 840, 195, 195}},
    {.id = LblBgm0, .name = "lbl_BGM", .index = 0, .kind = Kind::Label, .container = PicC0,
     .twips = {660, 1140, 330, 195}, .caption = "なし", .font = kGothic, .foreColour = kBlack,
     .autoSize = true, .tabOrder = 4},
    {.id = ImgBgm2, .name = "Img_BGM", .index = 2, .kind = Kind::Image, .container = PicC0,
     .twips = {420, 1440, 195, 195}},
    {.id = LblFname0, .name = "lbl_Fname", .index = 0, .kind = Kind::Label, .container = PicC0,
     .twips = {1080, 1740, 5595, 495}, .font = kGothic, .foreColour = kBlack, .wraps = true,
     .tabOrder = 3},
    {.id = Lbl7, .name = "lbl", .index = 7, .kind = Kind::Label, .twips = {180, 2880, 4500, 195},
     .caption = kCreditLine, .font = kGothic, .foreColour = kWhite, .autoSize = true, .tabOrder = 0},
    {.id = LblUrl, .name = "lbl_URL", .kind = Kind::Label, .twips = {180, 3120, 3105, 195},
     .caption = kHomeAddress, .font = kGothicUnderlined, .foreColour = kWhite, .autoSize = true,
     .tabOrder = 13, .mousePointer = "link.cur"},
    {.id = ImgRa0, .name = "Img_Ra", .index = 0, .kind = Kind::Image, .twips = {8040, 300, 180, 180},
     .picture = "option_off.jpg"},
    {.id = ImgRa1, .name = "Img_Ra", .index = 1, .kind = Kind::Image, .twips = {8040, 600, 180, 180},
     .picture = "option_on.jpg"},
}};

constexpr bool InDesignOrder() {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (std::size_t(kControls[i].id) != i) return false;
    return true;
}
static_assert(InDesignOrder(), "kControls lists the controls in ControlId order");

constexpr const Control& ControlOf(ControlId id) { return kControls[std::size_t(id)]; }

// The control's place and size in pixels, in its container.
constexpr Rect PixelsOf(ControlId id) { return ControlOf(id).twips.Pixels(); }

// Whether a view paints the control itself, on its container: labels, images
// and shapes have no window of their own. The pictures Img_Ra(0) and
// Img_Ra(1) lie outside the window and are never seen; the views keep their
// pictures at hand without a control.
constexpr bool Painted(const Control& control) {
    const bool windowless = control.kind == Kind::Label || control.kind == Kind::Image || control.kind == Kind::Shape;
    return windowless && control.id != ImgRa0 && control.id != ImgRa1;
}

// Indexed groups the dialog's code addresses by number.
inline constexpr std::array<ControlId, 3> kImgBgm{ImgBgm0, ImgBgm1, ImgBgm2};
inline constexpr std::array<ControlId, 3> kLblBgm{LblBgm0, LblBgm1, LblBgm2};
inline constexpr std::array<ControlId, 2> kImgRa{ImgRa0, ImgRa1};

}  // namespace velmoran::design
