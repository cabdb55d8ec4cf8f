#include "saver/wayland/screencopy_capture.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "saver/display/output_layout.h"
#include "saver/wayland/output_copy.h"
#include "saver/wayland/private_queue.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace velmoran::wayland {

namespace {

// The whole capture, from the first request to the last picture.
constexpr std::chrono::seconds kCaptureTime{2};

// The globals the capture binds, on the capture's own queue.
struct Globals {
    wl_registry* registry = nullptr;
    wl_shm* shm = nullptr;
    zxdg_output_manager_v1* outputManager = nullptr;
    zwlr_screencopy_manager_v1* screencopy = nullptr;
    std::vector<std::unique_ptr<OutputCopy>> outputs;

    ~Globals() {
        outputs.clear();
        if (screencopy) zwlr_screencopy_manager_v1_destroy(screencopy);
        if (outputManager) zxdg_output_manager_v1_destroy(outputManager);
        if (shm) wl_shm_destroy(shm);
        if (registry) wl_registry_destroy(registry);
    }
};

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface, std::uint32_t offered,
        std::uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

bool Is(const char* interface, const wl_interface& wanted) { return std::strcmp(interface, wanted.name) == 0; }

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t version) {
    auto& globals = *static_cast<Globals*>(data);
    if (Is(interface, wl_output_interface)) {
        globals.outputs.push_back(
            std::make_unique<OutputCopy>(Bind<wl_output>(registry, name, wl_output_interface, version, 3)));
    } else if (Is(interface, wl_shm_interface) && !globals.shm) {
        globals.shm = Bind<wl_shm>(registry, name, wl_shm_interface, version, 1);
    } else if (Is(interface, zxdg_output_manager_v1_interface) && !globals.outputManager) {
        globals.outputManager =
            Bind<zxdg_output_manager_v1>(registry, name, zxdg_output_manager_v1_interface, version, 3);
    } else if (Is(interface, zwlr_screencopy_manager_v1_interface) && !globals.screencopy) {
        globals.screencopy =
            Bind<zwlr_screencopy_manager_v1>(registry, name, zwlr_screencopy_manager_v1_interface, version, 3);
    }
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistryListener = {&OnGlobal, &OnGlobalRemove};

bool Bound(PrivateQueue& queue, Globals& globals, Deadline deadline) {
    globals.registry = wl_display_get_registry(queue.Proxy());
    wl_registry_add_listener(globals.registry, &kRegistryListener, &globals);
    return queue.RoundTrip(deadline) && globals.shm && globals.outputManager && globals.screencopy &&
           !globals.outputs.empty();
}

bool Described(PrivateQueue& queue, Globals& globals, Deadline deadline) {
    for (auto& output : globals.outputs) output->Describe(globals.outputManager);
    return queue.RoundTrip(deadline);
}

// Every output's frame asked for at once, and waited for together.
bool Copied(PrivateQueue& queue, Globals& globals, Deadline deadline) {
    for (auto& output : globals.outputs) output->Copy(globals.screencopy, globals.shm);
    const auto& outputs = globals.outputs;
    const bool finished = queue.DispatchUntil(deadline, [&] {
        return std::all_of(outputs.begin(), outputs.end(), [](const auto& o) { return o->Finished(); }) ||
               std::any_of(outputs.begin(), outputs.end(), [](const auto& o) { return o->Failed(); });
    });
    return finished && std::none_of(outputs.begin(), outputs.end(), [](const auto& o) { return o->Failed(); });
}

std::optional<ScreenPicture> Composed(const Globals& globals) {
    std::vector<OutputShot> shots;
    for (const auto& output : globals.outputs) shots.push_back(output->Shot());
    return ComposeOutputs(shots);
}

}  // namespace

std::optional<ScreenPicture> CaptureThroughScreencopy(wl_display* display) {
    if (!display || std::getenv(kNoScreencopyVariable)) return std::nullopt;
    const Deadline deadline = std::chrono::steady_clock::now() + kCaptureTime;
    PrivateQueue queue(display);
    Globals globals;
    if (!Bound(queue, globals, deadline) || !Described(queue, globals, deadline) ||
        !Copied(queue, globals, deadline))
        return std::nullopt;
    return Composed(globals);
}

}  // namespace velmoran::wayland
