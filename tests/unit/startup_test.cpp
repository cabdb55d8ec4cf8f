#include "saver/startup/startup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "saver/settings/ini_file_store.h"
#include "saver/settings/paths.h"
#include "temp_folder.h"

namespace velmoran {
namespace {

using test::TempFolder;

// Records what the start asked of the platform, in order.
class FakePlatform final {
public:
    explicit FakePlatform(std::string folder) : folder_(std::move(folder)) {}

    StartupSeam Seam() {
        return {
            .ProgramPath = [this] { return FileInFolder(folder_, "Velmoran.scr"); },
            .UserSettingsFolder = [this] { return userFolder; },
            .FolderWritable = [this](const std::string& folder) { return folder != readOnlyFolder; },
            .SystemProfileStore = [this]() -> ProfileStore& {
                calls.push_back("settings");
                return store_;
            },
            .ShowMessage = [this](const std::string& text,
                                  const std::string& caption) { calls.push_back("message " + caption + ": " + text); },
            .FormsCanOpen = [this] { return formsCanOpen; },
            .RunsHacks = [this] { return hacks; },
            .HackRootWindow = [this] { return rootWindow; },
            .MeasureWindow = [this](std::uint32_t window) -> std::optional<WindowOnScreen> {
                calls.push_back("measure " + std::to_string(window));
                const auto found = windows.find(window);
                if (found == windows.end()) return std::nullopt;
                return found->second;
            },
            .ProcessesOfWindowsTitled = [this](const std::string& title) -> std::vector<std::optional<ProcessId>> {
                calls.push_back("find " + title);
                if (openWindows.count(title) == 0) return {};
                return {std::nullopt};
            },
            .MarkForm = [this](const std::string& title) -> std::shared_ptr<void> {
                heldMarks.insert(title);
                ++marksTaken;
                return {this, [this, title](void*) { heldMarks.erase(title); }};
            },
            .HidePointer = [this] { calls.push_back("hide pointer"); },
            .WindowGoneWithin = [this](const std::string& title, std::chrono::milliseconds time) {
                calls.push_back("await " + title + " " + std::to_string(time.count()) + " ms");
                return departing.count(title) > 0;
            },
            .LogMessage = [this](const std::string& text) { calls.push_back("log: " + text); },
        };
    }

    std::set<std::string> openWindows;
    std::set<std::string> departing;  // windows that go while awaited
    std::vector<std::string> calls;
    std::string userFolder;
    std::string readOnlyFolder;
    std::multiset<std::string> heldMarks;
    int marksTaken = 0;
    bool hacks = false;
    bool formsCanOpen = true;
    std::uint32_t rootWindow = 0;
    std::map<std::uint32_t, WindowOnScreen> windows;

private:
    std::string folder_;
    IniFileStore store_;
};

// Records each form's run with the marks held while it runs, in brackets.
class FakeForms final : public SaverForms {
public:
    explicit FakeForms(FakePlatform& platform) : platform_(platform) {}
    void RunPreview(std::uint32_t host) override { Record("preview " + std::to_string(host)); }
    void RunSettingsDialog(MusicSettings& settings, const SaverPlaces& places) override {
        Record("dialog kind " + std::to_string(settings.BgmKind));
        lastPlaces = places;
    }
    void RunShow(const MusicSettings& settings, bool pointerHidden, const SaverPlaces& places,
                 std::uint32_t hostWindow) override {
        Record("show kind " + std::to_string(settings.BgmKind) +
               (pointerHidden ? " pointer hidden" : " pointer shown") + (hostWindow ? " in " + std::to_string(hostWindow) : std::string()));
        lastPlaces = places;
    }
    SaverPlaces lastPlaces;

private:
    void Record(std::string run) {
        for (const std::string& mark : platform_.heldMarks) run += " [" + mark + "]";
        platform_.calls.push_back(run);
    }
    FakePlatform& platform_;
};

using Calls = std::vector<std::string>;

const std::string kGuard[] = {"find Velmoran_Main", "find <Velmoran>"};
const std::string kMessage = "message Velmoran: Velmoran.dll が同じﾌｫﾙﾀﾞに見つかりません！";

class StartupTest : public testing::Test {
protected:
    StartupTest() {
        folder.Write(kSettingsFileName, std::string("[Section]\r\n") + kKeyBgmKind + "=1\r\n");
    }
    void AddViewer() { folder.Write(kViewerFileName, "MZ"); }

    Calls Run(const std::string& commandLine, std::set<std::string> openWindows = {}) {
        return RunWith(commandLine, [&](FakePlatform& p) { p.openWindows = openWindows; });
    }
    Calls RunWith(const std::string& commandLine, const std::function<void(FakePlatform&)>& setUp) {
        FakePlatform platform(folder.Path());
        setUp(platform);
        FakeForms forms(platform);
        status = Main(commandLine, platform.Seam(), forms);
        EXPECT_TRUE(platform.heldMarks.empty()) << "a mark outlives the start: " << commandLine;
        marksTaken = platform.marksTaken;
        places = forms.lastPlaces;
        return platform.calls;
    }
    // A desktop of XScreenSaver: -root shows in window 77 of a 1280 x 1024
    // screen, where window 16 covers the screen and window 9 is a preview pane.
    Calls RunHack(const std::string& commandLine, std::set<std::string> openWindows = {}) {
        return RunWith(commandLine, [&](FakePlatform& p) {
            p.hacks = true;
            p.rootWindow = 77;
            p.windows[16] = {1280, 1024, 1280, 1024};
            p.windows[9] = {320, 240, 1280, 1024};
            p.openWindows = openWindows;
        });
    }
    static Calls Guarded(Calls rest) {
        rest.insert(rest.begin(), std::begin(kGuard), std::end(kGuard));
        return rest;
    }

    TempFolder folder;
    SaverPlaces places;
    int status = -1;
    int marksTaken = 0;
};

TEST_F(StartupTest, AnOpenShowOrDialogEndsEveryModeAtOnce) {
    AddViewer();
    for (const char* line : {"/s", "/S", "/c", "/p 1234", "/a", "", "/"}) {
        EXPECT_EQ(Run(line, {"Velmoran_Main"}), Guarded({})) << line;
        EXPECT_EQ(Run(line, {"<Velmoran>"}), Guarded({})) << line;
        EXPECT_EQ(Run(line, {"Velmoran_Main", "<Velmoran>"}), Guarded({})) << line;
    }
}

TEST_F(StartupTest, TheGuardIgnoresOtherTitles) {
    AddViewer();
    EXPECT_EQ(Run("/c", {"Velmoran", "velmoran_main", "<Velmoran> "}),
              Guarded({"settings", "dialog kind 1 [<Velmoran>]"}));
}

TEST_F(StartupTest, PreviewNeedsNeitherSettingsNorViewer) {
    EXPECT_EQ(Run("/p 1234"), Guarded({"preview 1234"}));
    EXPECT_EQ(Run("/P:1234"), Guarded({"preview 1234"}));
    EXPECT_EQ(Run("/p1234"), Guarded({"preview 234"}));
    EXPECT_EQ(Run("/p"), Guarded({"preview 0"}));
}

TEST_F(StartupTest, AMissingViewerIsReportedAfterTheSettingsWereRead) {
    for (const char* line : {"/s", "/c", "/c:1234", "/a", "", "/", "-S extra"})
        EXPECT_EQ(Run(line), Guarded({"settings", kMessage})) << '"' << line << '"';
}

TEST_F(StartupTest, SettingsSwitchOpensTheDialog) {
    AddViewer();
    EXPECT_EQ(Run("/c"), Guarded({"settings", "dialog kind 1 [<Velmoran>]"}));
    EXPECT_EQ(Run("/C:1234"), Guarded({"settings", "dialog kind 1 [<Velmoran>]"}));
}

TEST_F(StartupTest, RunSwitchHidesThePointerBeforeTheShow) {
    AddViewer();
    for (const char* line : {"/s", "/S", "-s", "xs", "/S extra"})
        EXPECT_EQ(Run(line), Guarded({"settings", "hide pointer", "show kind 1 pointer hidden [Velmoran_Main]"}))
            << line;
}

TEST_F(StartupTest, EmptyCommandLineRunsAShowWithThePointerShown) {
    AddViewer();
    EXPECT_EQ(Run(""), Guarded({"settings", "show kind 1 pointer shown [Velmoran_Main]"}));
}

// Where the forms' windows carry no titles (Wayland), the marks stand for
// them: held while the show or the dialog runs, let go at its end (RunWith
// checks), and never for the preview, which runs beside the settings dialog
// of the system.
TEST_F(StartupTest, TheShowAndTheDialogRunMarkedThePreviewNot) {
    AddViewer();
    EXPECT_EQ(Run("/s"), Guarded({"settings", "hide pointer", "show kind 1 pointer hidden [Velmoran_Main]"}));
    EXPECT_EQ(Run("/c"), Guarded({"settings", "dialog kind 1 [<Velmoran>]"}));
    EXPECT_EQ(RunHack("-root"), Guarded({"settings", "show kind 1 pointer shown in 77 [Velmoran_Main]"}));
    EXPECT_EQ(Run("/p 5"), Guarded({"preview 5"}));
    EXPECT_EQ(RunHack("-window-id 9"), Guarded({"measure 9", "preview 9"}));
    EXPECT_EQ(status, 0);
}

TEST_F(StartupTest, NothingIsMarkedWhereNoFormRuns) {
    const auto hacks = [](FakePlatform& p) {
        p.hacks = true;
        p.rootWindow = 77;
    };
    for (const char* line : {"/s", "/c", "-root", ""}) {
        RunWith(line, hacks);
        EXPECT_EQ(marksTaken, 0) << "no viewer: " << line;
    }
    AddViewer();
    for (const char* line : {"/a", "/p 3", "-window-id 9", "-window-id 12"}) {
        RunWith(line, hacks);
        EXPECT_EQ(marksTaken, 0) << line;
    }
    RunWith("/s", hacks);
    EXPECT_EQ(marksTaken, 1);
}

// A desktop without an X display (Wayland without Xwayland) runs shows, but
// the saver's own windows cannot open there.
TEST_F(StartupTest, WithoutItsWindowsTheDialogAndThePreviewSayWhyAndFail) {
    AddViewer();
    const auto noWindows = [](FakePlatform& p) { p.formsCanOpen = false; };
    EXPECT_EQ(RunWith("/c", noWindows), Guarded({"message Velmoran: " + std::string(kDialogNeedsWindowsMessage)}));
    EXPECT_EQ(status, kFormCannotOpenStatus);
    EXPECT_EQ(RunWith("/p 1234", noWindows),
              Guarded({"message Velmoran: " + std::string(kPreviewNeedsWindowsMessage)}));
    EXPECT_EQ(status, kFormCannotOpenStatus);
    EXPECT_EQ(RunWith("/s", noWindows),
              Guarded({"settings", "hide pointer", "show kind 1 pointer hidden [Velmoran_Main]"}));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(RunWith("/c", [](FakePlatform& p) {
                  p.formsCanOpen = false;
                  p.openWindows = {"Velmoran_Main"};
              }),
              Guarded({}))
        << "beside a show the saver ends silently, as ever";
    EXPECT_EQ(status, 0);
}

TEST_F(StartupTest, OtherSwitchesEndSilently) {
    AddViewer();
    for (const char* line : {"/a", "/", "s", " /s", "/x 1"})
        EXPECT_EQ(Run(line), Guarded({"settings"})) << '"' << line << '"';
}

TEST_F(StartupTest, HackSwitchesComeBeforeTheModeLetter) {
    AddViewer();
    for (const char* line : {"-root", "--root", "-root -fps", "  --root  "})
        EXPECT_EQ(RunHack(line), Guarded({"settings", "show kind 1 pointer shown in 77 [Velmoran_Main]"})) << line;
    for (const char* line : {"-window-id 16", "--window-id 0x10", "--window-id=0X10", "-root --window-id 16"})
        EXPECT_EQ(RunHack(line), Guarded({"measure 16", "settings", "show kind 1 pointer shown in 16 [Velmoran_Main]"}))
            << line;
}

TEST_F(StartupTest, ASmallGivenWindowTakesTheStillPreview) {
    EXPECT_EQ(RunHack("--window-id 0x9"), Guarded({"measure 9", "preview 9"})) << "needs neither settings nor viewer";
}

TEST_F(StartupTest, AHackWithoutItsWindowEndsSilently) {
    AddViewer();
    EXPECT_EQ(RunHack("-window-id 12"), Guarded({"measure 12"})) << "no such window";
    EXPECT_EQ(RunHack("-window-id"), Guarded({"measure 0"}));
    EXPECT_EQ(RunHack("-window-id none"), Guarded({"measure 0"}));
    EXPECT_EQ(RunWith("-root", [](FakePlatform& p) { p.hacks = true; }), Guarded({})) << "no root window";
}

TEST_F(StartupTest, AHackMissingItsViewerSaysSoInTheLog) {
    EXPECT_EQ(RunHack("-root"), Guarded({"settings", "log: " + std::string(kMissingViewerMessage)}));
}

TEST_F(StartupTest, TheGuardHoldsForHacksToo) {
    AddViewer();
    EXPECT_EQ(RunHack("-window-id 9", {"<Velmoran>"}), Guarded({}));
    EXPECT_EQ(RunHack("-root", {"Velmoran_Main", "<Velmoran>"}), Guarded({}));
    EXPECT_EQ(RunHack("-root", {"Velmoran_Main"}), Guarded({"await Velmoran_Main 1500 ms"}))
        << "a show that stays";
}

// XScreenSaver starts the next display mode (the same, when it cycles) as it
// ends the last.
TEST_F(StartupTest, AHackWaitsForTheShowXScreenSaverIsEnding) {
    AddViewer();
    const Calls calls = RunWith("-root", [](FakePlatform& p) {
        p.hacks = true;
        p.rootWindow = 77;
        p.openWindows = {"Velmoran_Main"};
        p.departing = {"Velmoran_Main"};
    });
    EXPECT_EQ(calls,
              Guarded({"await Velmoran_Main 1500 ms", "settings", "show kind 1 pointer shown in 77 [Velmoran_Main]"}));
    // A show started by the system ends at once beside one, as ever.
    EXPECT_EQ(RunWith("/s", [](FakePlatform& p) {
                  p.hacks = true;
                  p.openWindows = {"Velmoran_Main"};
                  p.departing = {"Velmoran_Main"};
              }),
              Guarded({}));
}

TEST_F(StartupTest, WithHacksTheScreenSaverSwitchesStayAsTheyWere) {
    AddViewer();
    EXPECT_EQ(RunHack("/s"), Guarded({"settings", "hide pointer", "show kind 1 pointer hidden [Velmoran_Main]"}));
    EXPECT_EQ(RunHack("-s"), Guarded({"settings", "hide pointer", "show kind 1 pointer hidden [Velmoran_Main]"}));
    EXPECT_EQ(RunHack(""), Guarded({"settings", "show kind 1 pointer shown [Velmoran_Main]"}));
    EXPECT_EQ(RunHack("/p 1234"), Guarded({"preview 1234"}));
    EXPECT_EQ(RunHack("/c:1234"), Guarded({"settings", "dialog kind 1 [<Velmoran>]"}));
    for (const char* line : {"/a", "/r", "-r", "-rootless", "/root", "/s -root"}) {
        const Calls expected = std::string(line) == "/s -root"
                                   ? Guarded({"settings", "hide pointer", "show kind 1 pointer hidden [Velmoran_Main]"})
                                   : Guarded({"settings"});
        EXPECT_EQ(RunHack(line), expected) << line;
    }
}

TEST_F(StartupTest, WithoutHacksTheirSwitchesEndSilentlyAsAnyOtherLetter) {
    AddViewer();
    for (const char* line : {"-root", "--root", "-window-id 16"}) EXPECT_EQ(Run(line), Guarded({"settings"})) << line;
}

TEST_F(StartupTest, ASaverInAFolderTheUserCannotWriteKeepsTheSettingsInTheUsersOwn) {
    AddViewer();
    TempFolder user;
    const auto readOnlyProgram = [&](FakePlatform& p) {
        p.userFolder = user.Path();
        p.readOnlyFolder = folder.Path();
    };
    // Read beside the saver until the user's own file exists; written there.
    EXPECT_EQ(RunWith("/c", readOnlyProgram), Guarded({"settings", "dialog kind 1 [<Velmoran>]"}));
    EXPECT_EQ(places.settingsFile, user / kSettingsFileName);
    EXPECT_EQ(places.settingsRead, folder / kSettingsFileName);
    user.Write(kSettingsFileName, std::string("[Section]\r\n") + kKeyBgmKind + "=0\r\n");
    EXPECT_EQ(RunWith("/s", readOnlyProgram),
              Guarded({"settings", "hide pointer", "show kind 0 pointer hidden [Velmoran_Main]"}));
    EXPECT_EQ(places.settingsRead, user / kSettingsFileName);
}

}  // namespace
}  // namespace velmoran
