#include "saver/startup/startup.h"

#include "saver/settings/load_settings.h"
#include "saver/settings/paths.h"
#include "saver/startup/command_line.h"

namespace velmoran {

namespace {

bool SaverAlreadyOpen(StartupPlatform& platform) {
    // Both titles are always looked up.
    const bool showRunning = platform.WindowExists(kRunFormTitle);
    const bool dialogOpen = platform.WindowExists(kSettingsDialogTitle);
    return showRunning || dialogOpen;
}

}  // namespace

void Main(std::string_view commandLine, StartupPlatform& platform, SaverForms& forms) {
    if (SaverAlreadyOpen(platform)) return;
    const char mode = ModeLetter(commandLine);
    if (mode == 'P') {
        // The preview needs neither the settings nor the viewer.
        forms.RunPreview(PreviewHost(commandLine));
        return;
    }
    const SaverPlaces places = PlacesOf(platform.ProgramFolder());
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
    forms.RunShow(settings, hidePointer, places);
}

}  // namespace velmoran
