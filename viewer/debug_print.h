// The viewer's one diagnostic line, formatted for the platform's debug log.
#pragma once

#include <string>

namespace velmoran {

inline constexpr const char* kPixelFormatLine = "PixelFormat Selected: %d\nBPP: %d\n";

// printf-style formatting, cut to 1023 characters.
std::string FormatDebug(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace velmoran
