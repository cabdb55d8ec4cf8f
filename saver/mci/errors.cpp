#include "saver/mci/errors.h"

namespace velmoran::mci {

const char* ErrorText(std::int32_t code) {
    switch (code) {
    case kUnrecognizedKeyword: return "The command holds a keyword the device does not know.";
    case kUnrecognizedCommand: return "The device does not know this command.";
    case kHardware: return "No sound output device is available.";
    case kInvalidDeviceName: return "The device is not open or not known.";
    case kDeviceOpen: return "A CD or music file is already open.";
    case kMissingCommandString: return "No command was given.";
    case kParamOverflow: return "The reply does not fit into the buffer given.";
    case kMissingStringArgument: return "A quoted name is not closed.";
    case kBadInteger: return "A number or position is not well formed.";
    case kMissingParameter: return "A keyword is missing its value.";
    case kUnsupportedFunction: return "The device cannot do this.";
    case kFileNotFound: return "The file or disc image does not exist.";
    case kDeviceNotReady: return "No CD drive with an audio disc, and no disc image, could be opened.";
    case kOutOfRange: return "The position lies outside the disc or file.";
    case kDuplicateAlias: return "The alias is already in use.";
    case kMissingDeviceName: return "The command names no device.";
    case kBadTimeFormat: return "The device does not know this time format.";
    case kInvalidFile: return "The file cannot be played.";
    default: return nullptr;
    }
}

}  // namespace velmoran::mci
