// UTF-8 texts for the wide-character calls, so that the Japanese texts show
// on a Windows of any language.
#pragma once

#include <string>

namespace velmoran {

std::wstring WideText(const std::string& utf8);

}  // namespace velmoran
