// A modal message with an OK button.
#pragma once

#include <string>

namespace velmoran {

// Shows the UTF-8 text under the caption until OK is pressed. Without a
// display the text goes to the standard error output.
void ShowMessageBox(const std::string& text, const std::string& caption);

}  // namespace velmoran
