// The caption font of the push button, as a host stores it and a back end
// turns it into a platform font.
#pragma once

#include <cmath>
#include <string>

namespace velmoran {

struct ButtonFont {
    std::string name;        // family name, UTF-8 ("ＭＳ Ｐゴシック")
    float points = 9.75f;    // size in points
    int charset = 0;         // 0 Western, 128 Shift-JIS
    int weight = 400;        // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    friend bool operator==(const ButtonFont&, const ButtonFont&) = default;
};

// A font's character height in pixels on the 96-dpi screen the control's
// geometry assumes (15 twips per pixel): 9.75 pt is 13 pixels.
inline int FontPixelHeight(const ButtonFont& font) { return int(std::lround(font.points * 96 / 72)); }

// The font the button's caption is designed with.
inline ButtonFont DesignFont() {
    return ButtonFont{"ＭＳ Ｐゴシック", 9.75f, 128};
}

}  // namespace velmoran
