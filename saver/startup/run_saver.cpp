#include "saver/startup/run_saver.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "saver/backend.h"
#include "saver/dialog/run_dialog.h"
#include "saver/preview/run_preview.h"
#include "saver/settings/paths.h"
#include "saver/show/run_show.h"
#include "saver/startup/startup.h"

namespace velmoran {

namespace {

constexpr std::chrono::milliseconds kWindowLookAgain{50};

// A window with the title exists when the system lists one, whether or not it
// tells its process.
bool WindowExists(const std::string& title) {
    return !ChosenDisplayDriver().ProcessesOfWindowsTitled(title).empty();
}

class DesktopStartup final : public StartupPlatform {
public:
    bool WindowExists(const std::string& title) override { return velmoran::WindowExists(title); }
    bool WindowGoneWithin(const std::string& title, std::chrono::milliseconds time) override {
        const auto deadline = std::chrono::steady_clock::now() + time;
        while (velmoran::WindowExists(title)) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(kWindowLookAgain);
        }
        return true;
    }
    std::string ProgramFolder() override { return ProgramFolderOf(ProgramPath()); }
    std::string UserSettingsFolder() override { return velmoran::UserSettingsFolder(); }
    bool FolderWritable(const std::string& folder) override { return velmoran::FolderWritable(folder); }
    ProfileStore& Profiles() override { return SystemProfileStore(); }
    void HidePointer() override { ChosenDisplayDriver().HidePointer(); }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        velmoran::ShowMessage(text, caption);
    }
    bool RunsHacks() override { return velmoran::RunsHacks(); }
    std::uint32_t HackRootWindow() override { return velmoran::HackRootWindow(); }
    std::optional<WindowOnScreen> MeasureWindow(std::uint32_t window) override {
        return velmoran::MeasureWindow(window);
    }
    void LogMessage(const std::string& text) override {
        std::fprintf(stderr, "%s: %s\n", kProgramTitle, text.c_str());
    }
};

class DesktopForms final : public SaverForms {
public:
    void RunPreview(std::uint32_t hostWindow) override { RunPreviewForm(hostWindow); }
    void RunSettingsDialog(MusicSettings& settings, const SaverPlaces& places) override {
        RunSettingsDialogForm(settings, places);
    }
    void RunShow(const MusicSettings& settings, bool pointerHidden, const SaverPlaces& places,
                 std::uint32_t hostWindow) override {
        velmoran::RunShow(settings, pointerHidden, places, hostWindow);
    }
};

}  // namespace

void RunSaver(std::string_view commandLine) {
    DesktopStartup platform;
    DesktopForms forms;
    Main(commandLine, platform, forms);
}

}  // namespace velmoran
