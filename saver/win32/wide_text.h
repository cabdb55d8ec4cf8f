// The saver's texts are UTF-8; the wide-character window calls take UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace velmoran {

std::wstring Widen(std::string_view utf8);

}  // namespace velmoran
