#include "saver/startup/startup.h"

#include "saver/settings/load_settings.h"
#include "saver/settings/paths.h"
#include "saver/startup/command_line.h"

namespace velmoran {

namespace {

bool SaverAlreadyOpen(StartupPlatform& platform, bool hack) {
    // Both titles are always looked up.
    const bool showRunning = platform.WindowExists(kRunFormTitle);
    const bool dialogOpen = platform.WindowExists(kSettingsDialogTitle);
    if (dialogOpen || !showRunning) return dialogOpen;
    // A hack's predecessor may be a show of ours that XScreenSaver is ending.
    return !hack || !platform.WindowGoneWithin(kRunFormTitle, kHackDepartureGrace);
}

SaverPlaces Places(StartupPlatform& platform) {
    const std::string folder = platform.ProgramFolder();
    return PlacesOf(folder, {platform.UserSettingsFolder(), platform.FolderWritable(folder)});
}

// A display mode of XScreenSaver: the still preview in a small window of its
// settings program, a show in any other. The pointer is XScreenSaver's to hide.
void RunHack(const HackSwitches& hack, StartupPlatform& platform, SaverForms& forms) {
    const std::uint32_t window = hack.window ? *hack.window : platform.HackRootWindow();
    if (hack.window) {
        const std::optional<WindowOnScreen> measured = platform.MeasureWindow(window);
        if (!measured) return;
        if (HoldsPreview(*measured)) {
            forms.RunPreview(window);
            return;
        }
    }
    if (window == 0) return;
    const SaverPlaces places = Places(platform);
    const MusicSettings settings = LoadSettings(platform.Profiles(), places);
    if (!FileExists(places.viewerFile)) {
        platform.LogMessage(kMissingViewerMessage);
        return;
    }
    forms.RunShow(settings, false, places, window);
}

}  // namespace

void Main(std::string_view commandLine, StartupPlatform& platform, SaverForms& forms) {
    // Hack switches come first: by the mode letter "-root" would read as 'R'.
    const std::optional<HackSwitches> hack = platform.RunsHacks() ? HackSwitchesOf(commandLine) : std::nullopt;
    if (SaverAlreadyOpen(platform, hack.has_value())) return;
    if (hack) {
        RunHack(*hack, platform, forms);
        return;
    }
    const char mode = ModeLetter(commandLine);
    if (mode == 'P') {
        // The preview needs neither the settings nor the viewer.
        forms.RunPreview(PreviewHost(commandLine));
        return;
    }
    const SaverPlaces places = Places(platform);
    MusicSettings settings = LoadSettings(platform.Profiles(), places);
    if (!FileExists(places.viewerFile)) {
        platform.ShowMessage(kMissingViewerMessage, kProgramTitle);
        return;
    }
    if (mode == 'C') {
        forms.RunSettingsDialog(settings, places);
        return;
    }
    if (mode != 'S' && !commandLine.empty()) return;
    // A show started by the system hides the pointer; one started without a
    // switch leaves it.
    const bool hidePointer = mode == 'S';
    if (hidePointer) platform.HidePointer();
    forms.RunShow(settings, hidePointer, places, 0);
}

}  // namespace velmoran
