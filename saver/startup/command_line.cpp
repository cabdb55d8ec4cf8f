#include "saver/startup/command_line.h"

#include <cmath>

#include "saver/settings/number_text.h"

namespace velmoran {

char ModeLetter(std::string_view commandLine) {
    if (commandLine.size() < 2) return '\0';
    const char letter = commandLine[1];
    return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
}

std::uint32_t PreviewHost(std::string_view commandLine) {
    if (commandLine.size() < 4) return 0;
    // A handle is a signed 32-bit number; one that does not fit is no handle.
    const double rounded = std::nearbyint(LeadingNumber(commandLine.substr(3)));
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) return 0;
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(rounded));
}

}  // namespace velmoran
