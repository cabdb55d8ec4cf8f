#include "saver/startup/startup.h"

#include "saver/settings/load_settings.h"
#include "saver/settings/paths.h"
#include "saver/startup/command_line.h"

namespace velmoran {

namespace {

// A window with the title exists when the system lists one, whether or not
// it tells its process.
bool WindowExists(const StartupSeam& seam, const std::string& title) {
    return !seam.ProcessesOfWindowsTitled(title).empty();
}

bool SaverAlreadyOpen(const StartupSeam& seam, bool hack) {
    // Both titles are always looked up.
    const bool showRunning = WindowExists(seam, kRunFormTitle);
    const bool dialogOpen = WindowExists(seam, kSettingsDialogTitle);
    if (dialogOpen || !showRunning) return dialogOpen;
    // A hack's predecessor may be a show of ours that XScreenSaver is ending.
    return !hack || !seam.WindowGoneWithin(kRunFormTitle, kHackDepartureGrace);
}

SaverPlaces Places(const StartupSeam& seam) {
    const std::string folder = ProgramFolderOf(seam.ProgramPath());
    return PlacesOf(folder, {seam.UserSettingsFolder(), seam.FolderWritable(folder)});
}

// A display mode of XScreenSaver: the still preview in a small window of its
// settings program, a show in any other. The pointer is XScreenSaver's to hide.
void RunHack(const HackSwitches& hack, const StartupSeam& seam, SaverForms& forms) {
    const std::uint32_t window = hack.window ? *hack.window : seam.HackRootWindow();
    if (hack.window) {
        const std::optional<WindowOnScreen> measured = seam.MeasureWindow(window);
        if (!measured) return;
        if (HoldsPreview(*measured)) {
            forms.RunPreview(window);
            return;
        }
    }
    if (window == 0) return;
    const SaverPlaces places = Places(seam);
    const MusicSettings settings = LoadSettings(seam.SystemProfileStore(), places);
    if (!FileExists(places.viewerFile)) {
        seam.LogMessage(kMissingViewerMessage);
        return;
    }
    forms.RunShow(settings, false, places, window);
}

}  // namespace

void Main(std::string_view commandLine, const StartupSeam& seam, SaverForms& forms) {
    // Hack switches come first: by the mode letter "-root" would read as 'R'.
    const std::optional<HackSwitches> hack = seam.RunsHacks() ? HackSwitchesOf(commandLine) : std::nullopt;
    if (SaverAlreadyOpen(seam, hack.has_value())) return;
    if (hack) {
        RunHack(*hack, seam, forms);
        return;
    }
    const char mode = ModeLetter(commandLine);
    if (mode == 'P') {
        // The preview needs neither the settings nor the viewer.
        forms.RunPreview(PreviewHost(commandLine));
        return;
    }
    const SaverPlaces places = Places(seam);
    MusicSettings settings = LoadSettings(seam.SystemProfileStore(), places);
    if (!FileExists(places.viewerFile)) {
        seam.ShowMessage(kMissingViewerMessage, kProgramTitle);
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
    if (hidePointer) seam.HidePointer();
    forms.RunShow(settings, hidePointer, places, 0);
}

}  // namespace velmoran
