#include "saver/mci/interpreter.h"

#include <cstring>
#include <vector>

#include "saver/mci/errors.h"

namespace velmoran {
namespace {

// Copies a text with its NUL; false when it does not fit.
bool CopyOut(const std::string& text, char* buffer, std::uint32_t length) {
    if (length == 0) return text.empty();
    if (text.size() >= length) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

std::int32_t MciInterpreter::SendString(const char* command, char* reply, std::uint32_t replyLength) {
    std::string text;
    std::int32_t code = Execute(command, text);
    if (reply && !CopyOut(code == mci::kOk ? text : std::string(), reply, replyLength)) code = mci::kParamOverflow;
    return code;
}

bool MciInterpreter::ErrorString(std::int32_t code, char* text, std::uint32_t length) {
    const char* message = mci::ErrorText(code);
    return message && text && CopyOut(message, text, length);
}

void MciInterpreter::CloseAll() {
    device_.reset();
    name_.clear();
}

std::int32_t MciInterpreter::Execute(const char* command, std::string& reply) {
    mci::Request request;
    if (const std::int32_t code = mci::Parse(command, request); code != mci::kOk) return code;
    if (request.verb == "open") return Open(request);
    if (request.verb == "close") return Close(request);
    if (!device_ || !mci::SameWord(request.device, name_)) return mci::kInvalidDeviceName;
    return device_->Run(request, reply);
}

// "open <device or file> [type <type>] [alias <name>] [shareable]"; the
// type, or else the device's name, tells the CD from a music file.
std::int32_t MciInterpreter::Open(const mci::Request& request) {
    std::vector<std::string> words;
    for (const std::string& word : request.words)
        if (!mci::SameWord(word, "shareable")) words.push_back(word);
    mci::Options options;
    if (const std::int32_t code = mci::ParseOptions(words, {"type", "alias"}, options); code != mci::kOk) return code;
    const std::string* alias = options.Find("alias");
    const std::string name = alias ? *alias : request.device;
    if (device_) return (alias && mci::SameWord(name, name_)) ? mci::kDuplicateAlias : mci::kDeviceOpen;

    const std::string* type = options.Find("type");
    const bool cd = type ? mci::SameWord(*type, "cdaudio") : mci::SameWord(request.device, "cdaudio");
    if (type && !cd && !mci::SameWord(*type, "mpegvideo") && !mci::SameWord(*type, "waveaudio"))
        return mci::kInvalidDeviceName;
    if (!devices_.OutputReady()) return mci::kHardware;
    const std::int32_t code = cd ? devices_.OpenCd(device_) : devices_.OpenFile(request.device, device_);
    if (code == mci::kOk) name_ = name;
    return code;
}

std::int32_t MciInterpreter::Close(const mci::Request& request) {
    if (!mci::SameWord(request.device, "all") && (!device_ || !mci::SameWord(request.device, name_)))
        return mci::kInvalidDeviceName;
    CloseAll();
    return mci::kOk;
}

}  // namespace velmoran
