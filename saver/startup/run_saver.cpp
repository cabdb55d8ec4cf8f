#include "saver/startup/run_saver.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "saver/backend.h"
#include "saver/dialog/run_dialog.h"
#include "saver/preview/run_preview.h"
#include "saver/show/run_show.h"
#include "saver/startup/startup.h"

namespace velmoran {

namespace {

constexpr std::chrono::milliseconds kWindowLookAgain{50};

bool WindowGoneWithin(const std::string& title, std::chrono::milliseconds time) {
    const auto deadline = std::chrono::steady_clock::now() + time;
    while (!ChosenDisplayDriver().ProcessesOfWindowsTitled(title).empty()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kWindowLookAgain);
    }
    return true;
}

void LogMessage(const std::string& text) { std::fprintf(stderr, "%s: %s\n", kProgramTitle, text.c_str()); }

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

int RunSaver(std::string_view commandLine) {
    const DisplayDriver& driver = ChosenDisplayDriver();
    const StartupSeam seam{
        .ProgramPath = ProgramPath,
        .UserSettingsFolder = UserSettingsFolder,
        .FolderWritable = FolderWritable,
        .SystemProfileStore = SystemProfileStore,
        .ShowMessage = ShowMessage,
        .FormsCanOpen = FormsCanOpen,
        .RunsHacks = RunsHacks,
        .HackRootWindow = driver.HackRootWindow,
        .MeasureWindow = MeasureWindow,
        .ProcessesOfWindowsTitled = driver.ProcessesOfWindowsTitled,
        .MarkForm = driver.MarkForm,
        .HidePointer = driver.HidePointer,
        .WindowGoneWithin = WindowGoneWithin,
        .LogMessage = LogMessage,
    };
    DesktopForms forms;
    return Main(commandLine, seam, forms);
}

}  // namespace velmoran
