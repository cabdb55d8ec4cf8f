// Result codes of the media back end: the values the media control interface
// uses for the same failures, so that both platforms report alike.
#pragma once

#include <cstdint>

namespace velmoran::mci {

enum : std::int32_t {
    kOk = 0,
    kUnrecognizedKeyword = 259,
    kUnrecognizedCommand = 261,
    kHardware = 262,
    kInvalidDeviceName = 263,
    kDeviceOpen = 265,
    kMissingCommandString = 267,
    kParamOverflow = 268,
    kMissingStringArgument = 269,
    kBadInteger = 270,
    kMissingParameter = 273,
    kUnsupportedFunction = 274,
    kFileNotFound = 275,
    kDeviceNotReady = 276,
    kOutOfRange = 282,
    kDuplicateAlias = 289,
    kMissingDeviceName = 292,
    kBadTimeFormat = 293,
    kInvalidFile = 296,
};

// The text of a code, or null for a code this back end never returns.
const char* ErrorText(std::int32_t code);

}  // namespace velmoran::mci
