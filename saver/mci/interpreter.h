// The media control command strings interpreted where the system has no
// media control interface (Linux): the music player speaks them on every
// platform, and this answers them as that interface does, with its replies
// and its result codes. It opens and closes the devices, one CD or one music
// file at a time, under their aliases; the open device runs the rest.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "saver/mci/device.h"

namespace velmoran {

class MciInterpreter {
public:
    // The devices are borrowed and must outlive the interpreter.
    explicit MciInterpreter(MciDevices& devices) : devices_(devices) {}

    // As MediaControl::SendString: 0 or an error code; the reply, its NUL
    // included, in at most replyLength bytes when reply is not null.
    std::int32_t SendString(const char* command, char* reply, std::uint32_t replyLength);

    // As MediaControl::ErrorString: the text of a code this interpreter
    // returns, in at most length bytes; false for any other code.
    static bool ErrorString(std::int32_t code, char* text, std::uint32_t length);

    // Closes the open device, if any.
    void CloseAll();

private:
    std::int32_t Execute(const char* command, std::string& reply);
    std::int32_t Open(const mci::Request& request);
    std::int32_t Close(const mci::Request& request);

    MciDevices& devices_;
    std::string name_;  // the open device's name or alias
    std::unique_ptr<MciDevice> device_;
};

}  // namespace velmoran
