#include "saver/startup/startup.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "saver/settings/ini_file_store.h"
#include "saver/settings/paths.h"
#include "temp_folder.h"

namespace velmoran {
namespace {

using test::TempFolder;

// Records what the start asked of the platform, in order.
class FakePlatform final : public StartupPlatform {
public:
    explicit FakePlatform(std::string folder) : folder_(std::move(folder)) {}

    bool WindowExists(const std::string& title) override {
        calls.push_back("find " + title);
        return openWindows.count(title) > 0;
    }
    std::string ProgramFolder() override { return folder_; }
    ProfileStore& Profiles() override {
        calls.push_back("settings");
        return store_;
    }
    void HidePointer() override { calls.push_back("hide pointer"); }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        calls.push_back("message " + caption + ": " + text);
    }

    std::set<std::string> openWindows;
    std::vector<std::string> calls;

private:
    std::string folder_;
    IniFileStore store_;
};

class FakeForms final : public SaverForms {
public:
    explicit FakeForms(std::vector<std::string>& calls) : calls_(calls) {}
    void RunPreview(std::uint32_t host) override { calls_.push_back("preview " + std::to_string(host)); }
    void RunSettingsDialog(MusicSettings& settings, const SaverPlaces&) override {
        calls_.push_back("dialog kind " + std::to_string(settings.BgmKind));
    }
    void RunShow(const MusicSettings& settings, bool pointerHidden, const SaverPlaces&) override {
        calls_.push_back("show kind " + std::to_string(settings.BgmKind) +
                         (pointerHidden ? " pointer hidden" : " pointer shown"));
    }

private:
    std::vector<std::string>& calls_;
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
        FakePlatform platform(folder.Path());
        platform.openWindows = std::move(openWindows);
        FakeForms forms(platform.calls);
        Main(commandLine, platform, forms);
        return platform.calls;
    }
    static Calls Guarded(Calls rest) {
        rest.insert(rest.begin(), std::begin(kGuard), std::end(kGuard));
        return rest;
    }

    TempFolder folder;
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
    EXPECT_EQ(Run("/c", {"Velmoran", "velmoran_main", "<Velmoran> "}), Guarded({"settings", "dialog kind 1"}));
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
    EXPECT_EQ(Run("/c"), Guarded({"settings", "dialog kind 1"}));
    EXPECT_EQ(Run("/C:1234"), Guarded({"settings", "dialog kind 1"}));
}

TEST_F(StartupTest, RunSwitchHidesThePointerBeforeTheShow) {
    AddViewer();
    for (const char* line : {"/s", "/S", "-s", "xs", "/S extra"})
        EXPECT_EQ(Run(line), Guarded({"settings", "hide pointer", "show kind 1 pointer hidden"})) << line;
}

TEST_F(StartupTest, EmptyCommandLineRunsAShowWithThePointerShown) {
    AddViewer();
    EXPECT_EQ(Run(""), Guarded({"settings", "show kind 1 pointer shown"}));
}

TEST_F(StartupTest, OtherSwitchesEndSilently) {
    AddViewer();
    for (const char* line : {"/a", "/", "s", " /s", "/x 1"})
        EXPECT_EQ(Run(line), Guarded({"settings"})) << '"' << line << '"';
}

}  // namespace
}  // namespace velmoran
