#include "saver/x11_fltk/widgets/fonts.h"

#include <FL/Fl.H>

#include <map>
#include <string>
#include <string_view>

namespace velmoran {
namespace {

struct Substitute {
    std::string_view windows, fontconfig;
};

constexpr Substitute kSubstitutes[] = {
    {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},    {"MS Gothic", "IPAGothic"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},     {"MS PMincho", "IPAPMincho"},
    {"ＭＳ 明朝", "IPAMincho"},        {"MS Mincho", "IPAMincho"},
};

std::string_view Family(std::string_view name) {
    for (const Substitute& s : kSubstitutes)
        if (s.windows == name) return s.fontconfig;
    return name;
}

// FLTK's Xft names start with a style letter: ' ' plain, 'B' bold,
// 'I' italic, 'P' bold italic.
char StyleLetter(const ButtonFont& font) {
    bool bold = font.weight >= 600;
    if (bold && font.italic) return 'P';
    if (bold) return 'B';
    return font.italic ? 'I' : ' ';
}

}  // namespace

Fl_Font FltkFont(const ButtonFont& font) {
    // FLTK keeps the name pointer, so the names live in this map for good.
    static std::map<std::string, Fl_Font> registered;
    std::string name = StyleLetter(font) + std::string(Family(font.name));
    auto found = registered.find(name);
    if (found != registered.end()) return found->second;
    Fl_Font index = Fl_Font(FL_FREE_FONT + registered.size());
    auto inserted = registered.emplace(std::move(name), index).first;
    Fl::set_font(index, inserted->first.c_str());
    return index;
}

Fl_Font JapaneseFont() { return FltkFont(DesignFont()); }

}  // namespace velmoran
