// Numbers written as text, read the way the saver's settings and command line
// expect them.
#pragma once

#include <optional>
#include <string_view>

namespace velmoran {

// The whole text as one decimal number: blanks around it, a sign, a fraction
// and an exponent allowed ("  -1.5 ", "+2", ".5", "1e3"). Nothing when the
// text holds anything else or no digit at all.
std::optional<double> WholeNumber(std::string_view text);

// The decimal number at the start of the text (after blanks), ignoring what
// follows it; 0 when the text does not begin with one ("1234 x" -> 1234).
double LeadingNumber(std::string_view text);

}  // namespace velmoran
