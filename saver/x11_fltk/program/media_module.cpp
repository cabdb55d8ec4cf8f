#include "saver/x11_fltk/program/media_module.h"

#include <dlfcn.h>

#include "saver/backend.h"
#include "saver/mci/errors.h"
#include "saver/mci/interpreter.h"
#include "saver/mixer_cdio/media_module_entry.h"

namespace velmoran {
namespace {

// The media facilities of a machine without a sound device, as the sound
// back end behaves there: commands are interpreted and fail as they do where
// no output opens, and no wave plays.
class SilentMedia final : public MediaControl, private MciDevices {
public:
    std::int32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override {
        return interpreter_.SendString(command, reply, replyLength);
    }
    bool ErrorString(std::int32_t code, char* text, std::uint32_t length) override {
        return MciInterpreter::ErrorString(code, text, length);
    }
    int WaveOutputDevices() override { return 0; }
    void StartLoopingWave(const char*) override {}
    void StopWave() override {}

private:
    bool OutputReady() override { return false; }
    // Never asked: without an output the interpreter opens nothing.
    std::int32_t OpenCd(std::unique_ptr<MciDevice>&) override { return mci::kHardware; }
    std::int32_t OpenFile(const std::string&, std::unique_ptr<MciDevice>&) override { return mci::kHardware; }

    MciInterpreter interpreter_{*this};
};

// The module's facilities; null when it cannot be loaded. Only a full path
// is tried, so that neither the library path nor the current folder can
// bring another file of the name. The module and its libraries stay loaded
// for the life of the process: SDL and the sound server's client may keep
// threads and exit handlers in them.
MediaControl* LoadModule(const std::filesystem::path& folder) {
    if (!folder.is_absolute()) return nullptr;
    void* module = dlopen((folder / kMediaModuleFileName).c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!module) return nullptr;
    const auto create = reinterpret_cast<MediaModuleFactory>(dlsym(module, kMediaModuleFactoryName));
    return create ? create() : nullptr;
}

}  // namespace

MediaControl& MediaModule::Media() {
    if (!media_) {
        media_.reset(LoadModule(folder_));
        if (!media_) media_ = std::make_unique<SilentMedia>();
    }
    return *media_;
}

std::unique_ptr<MediaControl> CreateMediaControl() {
    return std::make_unique<MediaModule>(SystemPath(ProgramPath()).parent_path());
}

}  // namespace velmoran
