// The lines of a label that breaks its text within its width, as the
// system's word-breaking text drawing lays them out: the settings dialog's
// two-line file name field.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmoran {

// How wide a piece of text is drawn, in the unit of the width it is fitted to.
using TextWidth = std::function<double(std::string_view text)>;

// The text broken into lines no wider than `width`. A line ends at a line
// feed, or else at the last space before the character that would overflow,
// the spaces going with the break; a word too long for a line of its own is
// broken at the character that overflows. However narrow the width, a line
// takes at least one character. The text is UTF-8 and never broken inside a
// character; "\r\n" counts as a line feed. Empty text has no lines.
std::vector<std::string> LabelLines(std::string_view text, double width, const TextWidth& measure);

}  // namespace velmoran
