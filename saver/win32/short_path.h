// The short (8.3) form of an existing path on Windows.
#pragma once

#include <string>

namespace velmoran {

// The short form keeps a path within plain ASCII, so that ANSI calls and an
// ANSI environment reach it under any user name; the path itself when the
// system has no short form for it.
std::wstring ShortForm(const std::wstring& path);

}  // namespace velmoran
