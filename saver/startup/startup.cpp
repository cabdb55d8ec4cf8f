#include "saver/startup/startup.h"

#include <memory>

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
    const std::shared_ptr<void> mark = seam.MarkForm(kRunFormTitle);
    forms.RunShow(settings, false, places, window);
}

// The dialog and the preview open windows of the saver's own, which a
// desktop without an X display (Wayland without Xwayland) cannot show.
bool FormOpens(char mode, const StartupSeam& seam) {
    if ((mode != 'C' && mode != 'P') || seam.FormsCanOpen()) return true;
    seam.ShowMessage(mode == 'C' ? kDialogNeedsWindowsMessage : kPreviewNeedsWindowsMessage, kProgramTitle);
    return false;
}

}  // namespace

int Main(std::string_view commandLine, const StartupSeam& seam, SaverForms& forms) {
    // Hack switches come first: by the mode letter "-root" would read as 'R'.
    const std::optional<HackSwitches> hack = seam.RunsHacks() ? HackSwitchesOf(commandLine) : std::nullopt;
    if (SaverAlreadyOpen(seam, hack.has_value())) return 0;
    if (hack) {
        RunHack(*hack, seam, forms);
        return 0;
    }
    const char mode = ModeLetter(commandLine);
    if (!FormOpens(mode, seam)) return kFormCannotOpenStatus;
    if (mode == 'P') {
        // The preview needs neither the settings nor the viewer, and marks
        // nothing: it runs beside the dialog of the settings program.
        forms.RunPreview(PreviewHost(commandLine));
        return 0;
    }
    const SaverPlaces places = Places(seam);
    MusicSettings settings = LoadSettings(seam.SystemProfileStore(), places);
    if (!FileExists(places.viewerFile)) {
        seam.ShowMessage(kMissingViewerMessage, kProgramTitle);
        return 0;
    }
    if (mode == 'C') {
        const std::shared_ptr<void> mark = seam.MarkForm(kSettingsDialogTitle);
        forms.RunSettingsDialog(settings, places);
        return 0;
    }
    if (mode != 'S' && !commandLine.empty()) return 0;
    const std::shared_ptr<void> mark = seam.MarkForm(kRunFormTitle);
    // A show started by the system hides the pointer; one started without a
    // switch leaves it.
    const bool hidePointer = mode == 'S';
    if (hidePointer) seam.HidePointer();
    forms.RunShow(settings, hidePointer, places, 0);
    return 0;
}

}  // namespace velmoran
