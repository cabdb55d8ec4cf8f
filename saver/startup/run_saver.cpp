#include "saver/startup/run_saver.h"

#include "saver/backend.h"
#include "saver/dialog/run_dialog.h"
#include "saver/preview/run_preview.h"
#include "saver/settings/paths.h"
#include "saver/show/run_show.h"
#include "saver/startup/startup.h"

namespace velmoran {

namespace {

class DesktopStartup final : public StartupPlatform {
public:
    bool WindowExists(const std::string& title) override { return velmoran::WindowExists(title); }
    std::string ProgramFolder() override { return ProgramFolderOf(ProgramPath()); }
    ProfileStore& Profiles() override { return SystemProfileStore(); }
    void HidePointer() override { velmoran::HidePointer(); }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        velmoran::ShowMessage(text, caption);
    }
};

class DesktopForms final : public SaverForms {
public:
    void RunPreview(std::uint32_t hostWindow) override { RunPreviewForm(hostWindow); }
    void RunSettingsDialog(MusicSettings& settings, const SaverPlaces& places) override {
        RunSettingsDialogForm(settings, places);
    }
    void RunShow(const MusicSettings& settings, bool pointerHidden, const SaverPlaces& places) override {
        velmoran::RunShow(settings, pointerHidden, places);
    }
};

}  // namespace

void RunSaver(std::string_view commandLine) {
    DesktopStartup platform;
    DesktopForms forms;
    Main(commandLine, platform, forms);
}

}  // namespace velmoran
