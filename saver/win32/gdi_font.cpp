#include "saver/win32/gdi_font.h"

#include <string>

#include "saver/win32/wide_text.h"

namespace velmoran {

HFONT MakeFont(const ButtonFont& font) {
    LOGFONTW lf{};
    lf.lfHeight = -FontPixelHeight(font);
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikethrough;
    lf.lfCharSet = BYTE(font.charset);
    lf.lfQuality = DEFAULT_QUALITY;
    std::wstring name = Widen(font.name);
    lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

}  // namespace velmoran
