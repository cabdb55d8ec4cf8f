#include "saver/wayland/portal_screenshot.h"

#include <systemd/sd-bus.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "common/safe_files.h"
#include "saver/wayland/file_uri.h"
#include "saver/wayland/png_picture.h"

namespace velmoran::wayland {

namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kRequest = "org.freedesktop.portal.Request";

using Clock = std::chrono::steady_clock;

struct CloseBus {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
using Bus = std::unique_ptr<sd_bus, CloseBus>;

struct ReleaseSlot {
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using Slot = std::unique_ptr<sd_bus_slot, ReleaseSlot>;

// Runs the connection's work until `done` says so; false when the
// connection fails or the deadline passes first.
template <class Done>
bool Await(sd_bus* bus, Clock::time_point deadline, Done done) {
    for (;;) {
        const int progress = sd_bus_process(bus, nullptr);
        if (progress < 0) return false;
        if (done()) return true;
        if (progress > 0) continue;
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0 || sd_bus_wait(bus, static_cast<std::uint64_t>(left.count())) < 0)
            return false;
    }
}

// The session bus, connected and greeted by the deadline.
Bus SessionBus(Clock::time_point deadline) {
    sd_bus* opened = nullptr;
    if (sd_bus_open_user(&opened) < 0) return nullptr;
    Bus bus(opened);
    if (!Await(bus.get(), deadline, [&] { return sd_bus_is_ready(bus.get()) > 0; })) return nullptr;
    return bus;
}

// The request object the portal makes for a call with this token:
// .../request/SENDER/TOKEN, SENDER the unique name without its colon and
// with underscores for its dots.
std::string RequestPath(sd_bus* bus, const std::string& token) {
    const char* unique = nullptr;
    if (sd_bus_get_unique_name(bus, &unique) < 0 || !unique) return {};
    std::string sender = unique[0] == ':' ? unique + 1 : unique;
    std::replace(sender.begin(), sender.end(), '.', '_');
    return std::string(kPortalPath) + "/request/" + sender + "/" + token;
}

std::string UniqueToken() {
    static unsigned calls = 0;
    return "velmoran_" + std::to_string(getpid()) + "_" + std::to_string(++calls);
}

// One Screenshot call: its request's path, the portal's answer.
struct Exchange {
    std::string request;
    bool answered = false;
    std::optional<std::string> uri;
    Slot response;
};

// The uri of a response whose code is 0 (granted); nothing otherwise.
std::optional<std::string> GrantedUri(sd_bus_message* m) {
    std::uint32_t code = 0;
    if (sd_bus_message_read(m, "u", &code) < 0 || code != 0) return std::nullopt;
    if (sd_bus_message_enter_container(m, 'a', "{sv}") <= 0) return std::nullopt;
    while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
        const char* key = nullptr;
        if (sd_bus_message_read(m, "s", &key) < 0) return std::nullopt;
        if (std::string_view(key) == "uri") {
            const char* uri = nullptr;
            if (sd_bus_message_read(m, "v", "s", &uri) < 0) return std::nullopt;
            return std::string(uri);
        }
        if (sd_bus_message_skip(m, "v") < 0 || sd_bus_message_exit_container(m) < 0) return std::nullopt;
    }
    return std::nullopt;
}

int OnResponse(sd_bus_message* m, void* userdata, sd_bus_error*) {
    auto& exchange = *static_cast<Exchange*>(userdata);
    exchange.uri = GrantedUri(m);
    exchange.answered = true;
    return 0;
}

// Before the call, as a response may follow its reply at once.
bool SubscribeToResponse(sd_bus* bus, Exchange& exchange) {
    sd_bus_slot* made = nullptr;
    const int r = sd_bus_match_signal_async(bus, &made, nullptr, exchange.request.c_str(), kRequest, "Response",
                                            OnResponse, nullptr, &exchange);
    exchange.response.reset(made);
    return r >= 0;
}

// The reply names the request object, at the path derived from the token
// (as every portal since 0.9 does); only a failed call ends the wait here.
int OnReply(sd_bus_message* m, void* userdata, sd_bus_error*) {
    if (sd_bus_message_is_method_error(m, nullptr)) static_cast<Exchange*>(userdata)->answered = true;
    return 0;
}

// The portal's uri for a picture of the desktop, asked for without a dialog.
std::optional<std::string> AskForScreenshot(sd_bus* bus, Clock::time_point deadline) {
    const std::string token = UniqueToken();
    Exchange exchange{RequestPath(bus, token), false, std::nullopt, nullptr};
    if (exchange.request.empty() || !SubscribeToResponse(bus, exchange)) return std::nullopt;
    sd_bus_slot* made = nullptr;
    if (sd_bus_call_method_async(bus, &made, kPortal, kPortalPath, "org.freedesktop.portal.Screenshot",
                                 "Screenshot", OnReply, &exchange, "sa{sv}", "", 2, "handle_token", "s",
                                 token.c_str(), "interactive", "b", 0) < 0)
        return std::nullopt;
    const Slot call(made);
    if (!Await(bus, deadline, [&] { return exchange.answered; })) {
        // Too late: the portal need not go on with a picture nobody takes.
        sd_bus_call_method_async(bus, nullptr, kPortal, exchange.request.c_str(), kRequest, "Close",
                                 nullptr, nullptr, nullptr);
        return std::nullopt;
    }
    return exchange.uri;
}

// The picture in the file the portal wrote for us, which goes once read:
// only a regular file, never what a link points to.
std::optional<ScreenPicture> TakePortalFile(const std::string& uri) {
    const auto path = LocalFileOf(uri);
    std::error_code error;
    if (!path || !std::filesystem::is_regular_file(std::filesystem::symlink_status(*path, error)))
        return std::nullopt;
    std::optional<ScreenPicture> picture;
    if (const File file = OpenRegularFile(path->string())) picture = ReadPngPicture(file.get());
    std::filesystem::remove(*path, error);
    return picture;
}

}  // namespace

std::optional<ScreenPicture> CaptureThroughPortal(std::chrono::milliseconds bound) {
    const auto deadline = Clock::now() + bound;
    const Bus bus = SessionBus(deadline);
    if (!bus) return std::nullopt;
    const auto uri = AskForScreenshot(bus.get(), deadline);
    if (!uri) return std::nullopt;
    return TakePortalFile(*uri);
}

}  // namespace velmoran::wayland
