// The portal's Screenshot call on a private session bus (a real dbus-daemon)
// against a portal of the test's own that answers as each test tells it:
// granted with a PNG file, refused, silent, an error, an answer naming
// something other than a PNG file of its own.
#include "saver/wayland/portal_screenshot.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "unit/wayland/png_samples.h"
#include "unit/wayland/scratch_folder.h"

extern char** environ;

namespace velmoran::wayland {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// How the test's portal answers a Screenshot call.
struct Answer {
    bool reply = true;             // false: the call is never answered
    bool errorReply = false;       // the call fails
    bool respond = true;           // false: the request never ends
    std::uint32_t code = 0;        // 0 granted, 1 refused by the user
    std::string uri;               // none when empty
};

Answer Granted(std::string uri) {
    Answer answer;
    answer.uri = std::move(uri);
    return answer;
}
Answer Refused(std::string uri) {
    Answer answer = Granted(std::move(uri));
    answer.code = 1;
    return answer;
}
Answer Failing() {
    Answer answer;
    answer.errorReply = true;
    return answer;
}
Answer Unanswered() {
    Answer answer;
    answer.reply = false;
    return answer;
}
Answer Unfinished() {
    Answer answer;
    answer.respond = false;
    return answer;
}

// What the test's portal was asked.
struct Seen {
    std::string token;
    std::string requestPath;
    int interactive = -1;
    std::string closed;
};

// A dbus-daemon on a socket in `folder`, its address in `address`.
class PrivateBus {
public:
    explicit PrivateBus(const fs::path& folder) {
        const fs::path config = folder / "bus.conf";
        std::ofstream(config) << "<busconfig><type>session</type><listen>unix:dir=" << folder.string()
                              << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                                 "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                                 "<allow own=\"*\"/></policy></busconfig>";
        int out[2];
        if (pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        // Its complaints (an fd limit it may not raise) are not the test's.
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const std::string configArg = "--config-file=" + config.string();
        char* argv[] = {const_cast<char*>("dbus-daemon"), const_cast<char*>(configArg.c_str()),
                        const_cast<char*>("--nofork"), const_cast<char*>("--nopidfile"),
                        const_cast<char*>("--print-address"), nullptr};
        if (posix_spawnp(&pid_, "dbus-daemon", &actions, nullptr, argv, environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        if (std::FILE* reading = fdopen(out[0], "r")) {
            char line[512] = {};
            if (std::fgets(line, sizeof line, reading)) address_ = std::string(line, std::strcspn(line, "\n"));
            std::fclose(reading);
        }
    }
    ~PrivateBus() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    const std::string& address() const { return address_; }

private:
    pid_t pid_ = 0;
    std::string address_;
};

// The desktop portal's Screenshot object on its own connection and thread.
class TestPortal {
public:
    TestPortal(const std::string& address, Answer answer) : answer_(std::move(answer)) {
        if (sd_bus_new(&bus_) < 0 || sd_bus_set_address(bus_, address.c_str()) < 0 ||
            sd_bus_set_bus_client(bus_, 1) < 0 || sd_bus_start(bus_) < 0 ||
            sd_bus_add_fallback(bus_, nullptr, "/org/freedesktop/portal/desktop", OnCall, this) < 0 ||
            sd_bus_request_name(bus_, "org.freedesktop.portal.Desktop", 0) < 0)
            return;
        ready_ = true;
        thread_ = std::thread([this] {
            while (!stop_) {
                if (sd_bus_process(bus_, nullptr) > 0) continue;
                sd_bus_wait(bus_, 20'000);
            }
        });
    }
    ~TestPortal() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        sd_bus_flush_close_unref(bus_);
    }
    TestPortal(const TestPortal&) = delete;
    TestPortal& operator=(const TestPortal&) = delete;

    bool ready() const { return ready_; }
    Seen seen() {
        const std::lock_guard lock(mutex_);
        return seen_;
    }

private:
    static int OnCall(sd_bus_message* call, void* userdata, sd_bus_error*) {
        auto& portal = *static_cast<TestPortal*>(userdata);
        const std::string member = sd_bus_message_get_member(call);
        if (member == "Close") {
            const std::lock_guard lock(portal.mutex_);
            portal.seen_.closed = sd_bus_message_get_path(call);
            return sd_bus_reply_method_return(call, "");
        }
        return member == "Screenshot" ? portal.Screenshot(call) : 0;
    }

    void ReadOptions(sd_bus_message* call) {
        const char* parent = nullptr;
        sd_bus_message_read(call, "s", &parent);
        sd_bus_message_enter_container(call, 'a', "{sv}");
        while (sd_bus_message_enter_container(call, 'e', "sv") > 0) {
            const char* key = nullptr;
            sd_bus_message_read(call, "s", &key);
            const std::string name = key;
            const std::lock_guard lock(mutex_);
            if (name == "handle_token") {
                const char* token = nullptr;
                sd_bus_message_read(call, "v", "s", &token);
                seen_.token = token;
            } else if (name == "interactive") {
                int interactive = 0;
                sd_bus_message_read(call, "v", "b", &interactive);
                seen_.interactive = interactive;
            } else {
                sd_bus_message_skip(call, "v");
            }
            sd_bus_message_exit_container(call);
        }
    }

    int Screenshot(sd_bus_message* call) {
        ReadOptions(call);
        std::string sender = sd_bus_message_get_sender(call) + 1;
        std::replace(sender.begin(), sender.end(), '.', '_');
        const std::string path = "/org/freedesktop/portal/desktop/request/" + sender + "/" + seen().token;
        {
            const std::lock_guard lock(mutex_);
            seen_.requestPath = path;
        }
        if (!answer_.reply) return 1;
        if (answer_.errorReply)
            return sd_bus_reply_method_errorf(call, "org.freedesktop.portal.Error.Failed", "no screenshot");
        sd_bus_reply_method_return(call, "o", path.c_str());
        if (!answer_.respond) return 1;
        sd_bus_message* signal = nullptr;
        sd_bus_message_new_signal(bus_, &signal, path.c_str(), "org.freedesktop.portal.Request", "Response");
        sd_bus_message_set_destination(signal, sd_bus_message_get_sender(call));
        if (answer_.uri.empty())
            sd_bus_message_append(signal, "ua{sv}", answer_.code, 0);
        else
            sd_bus_message_append(signal, "ua{sv}", answer_.code, 2, "other", "u", 7, "uri", "s",
                                  answer_.uri.c_str());
        sd_bus_send(bus_, signal, nullptr);
        sd_bus_message_unref(signal);
        return 1;
    }

    Answer answer_;
    sd_bus* bus_ = nullptr;
    bool ready_ = false;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    Seen seen_;
};

class PortalScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder_.path().empty());
        ASSERT_FALSE(bus_.address().empty()) << "no dbus-daemon";
        const char* before = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        if (before) before_ = before;
        setenv("DBUS_SESSION_BUS_ADDRESS", bus_.address().c_str(), 1);
    }
    void TearDown() override {
        if (before_) setenv("DBUS_SESSION_BUS_ADDRESS", before_->c_str(), 1);
        else unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    // A 2 x 1 PNG file in the folder: red, then blue.
    fs::path PngFile(const std::string& name) {
        const Bytes bytes = EncodePng(2, {{255, 0, 0, 0, 0, 255}}, {PNG_COLOR_TYPE_RGB, 8});
        const fs::path path = folder_.path() / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static std::string UriOf(const fs::path& path) { return "file://" + path.string(); }

    ScratchFolder folder_;
    PrivateBus bus_{folder_.path()};
    std::optional<std::string> before_;
};

TEST_F(PortalScreenshotTest, GrantedPictureIsTakenAndItsFileRemoved) {
    const fs::path file = PngFile("Screenshot from today.png");
    TestPortal portal(bus_.address(), Granted("file://" + (folder_.path() / "Screenshot%20from%20today.png").string()));
    ASSERT_TRUE(portal.ready());
    const auto picture = CaptureThroughPortal(3s);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 2);
    EXPECT_EQ(picture->height, 1);
    EXPECT_EQ(Bytes(picture->bgr.begin(), picture->bgr.begin() + 6), (Bytes{0, 0, 255, 255, 0, 0}));
    EXPECT_FALSE(fs::exists(file));
    const Seen seen = portal.seen();
    EXPECT_EQ(seen.interactive, 0);
    EXPECT_FALSE(seen.token.empty());
    EXPECT_EQ(seen.token.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_"),
              std::string::npos);
    EXPECT_TRUE(seen.closed.empty());
}

TEST_F(PortalScreenshotTest, EachCallHasATokenOfItsOwn) {
    TestPortal portal(bus_.address(), Granted(UriOf(PngFile("first.png"))));
    ASSERT_TRUE(portal.ready());
    ASSERT_TRUE(CaptureThroughPortal(3s));
    const std::string first = portal.seen().token;
    EXPECT_FALSE(CaptureThroughPortal(3s)) << "the file went with the first call";
    EXPECT_NE(portal.seen().token, first);
}

TEST_F(PortalScreenshotTest, RefusalGivesNothingAndLeavesFilesAlone) {
    const fs::path file = PngFile("refused.png");
    TestPortal portal(bus_.address(), Refused(UriOf(file)));
    ASSERT_TRUE(portal.ready());
    EXPECT_FALSE(CaptureThroughPortal(3s));
    EXPECT_TRUE(fs::exists(file));
}

TEST_F(PortalScreenshotTest, GrantedWithoutAnAddressGivesNothing) {
    TestPortal portal(bus_.address(), {});
    ASSERT_TRUE(portal.ready());
    EXPECT_FALSE(CaptureThroughPortal(3s));
}

TEST_F(PortalScreenshotTest, AnErrorFromThePortalGivesNothing) {
    TestPortal portal(bus_.address(), Failing());
    ASSERT_TRUE(portal.ready());
    EXPECT_FALSE(CaptureThroughPortal(3s));
}

// The call gives nothing, and only once the bound has passed, well before
// twice the bound.
template <class Call>
void ExpectEndsAtTheBound(std::chrono::milliseconds bound, Call call) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(call());
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, bound);
    EXPECT_LT(took, 2 * bound);
}

TEST_F(PortalScreenshotTest, AnUnansweredCallEndsAtTheBound) {
    TestPortal portal(bus_.address(), Unanswered());
    ASSERT_TRUE(portal.ready());
    ExpectEndsAtTheBound(1000ms, [] { return CaptureThroughPortal(1000ms); });
}

TEST_F(PortalScreenshotTest, AnUnfinishedRequestEndsAtTheBoundAndIsClosed) {
    TestPortal portal(bus_.address(), Unfinished());
    ASSERT_TRUE(portal.ready());
    ExpectEndsAtTheBound(1000ms, [] { return CaptureThroughPortal(1000ms); });
    for (int i = 0; i < 200 && portal.seen().closed.empty(); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(portal.seen().closed, portal.seen().requestPath);
}

TEST_F(PortalScreenshotTest, AddressesOfNoLocalFileGiveNothing) {
    for (const std::string uri : {"http://example.org/out.png", "file:///nowhere/out.png", "out.png", "file://"}) {
        TestPortal portal(bus_.address(), Granted(uri));
        ASSERT_TRUE(portal.ready());
        EXPECT_FALSE(CaptureThroughPortal(3s)) << uri;
    }
}

TEST_F(PortalScreenshotTest, ALinkOrAFolderIsNeitherReadNorRemoved) {
    const fs::path target = PngFile("target.png");
    fs::create_symlink(target, folder_.path() / "link.png");
    fs::create_directory(folder_.path() / "folder.png");
    for (const char* name : {"link.png", "folder.png"}) {
        TestPortal portal(bus_.address(), Granted(UriOf(folder_.path() / name)));
        ASSERT_TRUE(portal.ready());
        EXPECT_FALSE(CaptureThroughPortal(3s)) << name;
        EXPECT_TRUE(fs::exists(fs::symlink_status(folder_.path() / name))) << name;
    }
    EXPECT_TRUE(fs::exists(target));
}

TEST_F(PortalScreenshotTest, AFileThatIsNoPngGivesNothingAndGoes) {
    const fs::path file = folder_.path() / "broken.png";
    std::ofstream(file) << "\x89PNG but nothing more";
    TestPortal portal(bus_.address(), Granted(UriOf(file)));
    ASSERT_TRUE(portal.ready());
    EXPECT_FALSE(CaptureThroughPortal(3s));
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(PortalScreenshotTest, ABusWithoutAPortalGivesNothingAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(CaptureThroughPortal(3s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << "the bus said at once that no portal is there";
}

TEST_F(PortalScreenshotTest, NoBusGivesNothing) {
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (folder_.path() / "none").string()).c_str(), 1);
    EXPECT_FALSE(CaptureThroughPortal(3s));
    setenv("DBUS_SESSION_BUS_ADDRESS", "nonsense", 1);
    EXPECT_FALSE(CaptureThroughPortal(3s));
}

}  // namespace
}  // namespace velmoran::wayland
