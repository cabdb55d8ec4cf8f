// The saver's start: refuse to run beside a show or an open settings dialog,
// take the mode from the command line and hand over to its form.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/window_facts.h"
#include "saver/display/display_driver.h"
#include "saver/program_title.h"
#include "saver/settings/profile_store.h"
#include "saver/startup/forms.h"
#include "saver/startup/hack_switches.h"

namespace velmoran {

// How long a hack waits for a show of ours that is ending: XScreenSaver
// starts the next display mode (the same one, when it cycles) as it ends the
// last, whose end takes up to half a second.
inline constexpr std::chrono::milliseconds kHackDepartureGrace{1500};

inline constexpr const char* kMissingViewerMessage =
    "Velmoran.dll が同じﾌｫﾙﾀﾞに見つかりません！";

// The saver's own windows need an X display on Linux; a Wayland desktop
// without Xwayland has none, though a show runs there.
inline constexpr const char* kDialogNeedsWindowsMessage =
    "the settings dialog needs an X display (Xwayland on a Wayland desktop)";
inline constexpr const char* kPreviewNeedsWindowsMessage =
    "the preview needs an X display (Xwayland on a Wayland desktop)";

// The saver's exit status where the form the command line asks for cannot
// open on this desktop; 0 otherwise.
inline constexpr int kFormCannotOpenStatus = 1;

// The entries of the saver's seam that the start uses, under the names the
// seam gives them (saver/backend.h, saver/settings/system_places.h and the
// display driver's table): RunSaver fills them from the back end and the
// chosen display driver, a unit test with fakes. The last two are the start's
// own, which RunSaver fills portably.
struct StartupSeam {
    std::function<std::string()> ProgramPath;
    std::function<std::string()> UserSettingsFolder;
    std::function<bool(const std::string& folder)> FolderWritable;
    std::function<ProfileStore&()> SystemProfileStore;
    std::function<void(const std::string& text, const std::string& caption)> ShowMessage;
    std::function<bool()> FormsCanOpen;
    std::function<bool()> RunsHacks;
    std::function<std::uint32_t()> HackRootWindow;
    std::function<std::optional<WindowOnScreen>(std::uint32_t window)> MeasureWindow;
    std::function<std::vector<std::optional<ProcessId>>(const std::string& title)> ProcessesOfWindowsTitled;
    std::function<std::shared_ptr<void>(const std::string& title)> MarkForm;
    std::function<void()> HidePointer;

    // Waits, looking now and then, for the windows titled so to go; false
    // when one is still there after the time given.
    std::function<bool(const std::string& title, std::chrono::milliseconds time)> WindowGoneWithin;

    // A message for the log, where no window of the saver could be seen: a
    // hack's windows lie under XScreenSaver's, which keeps its error output.
    std::function<void(const std::string& text)> LogMessage;
};

// Runs the saver for one command line (the text after the program's name)
// until its form has gone; the process ends after it, with the status
// returned. The show and the dialog hold their marks (MarkForm) while they
// run, so that a saver started beside them sees them where their windows
// carry no titles.
int Main(std::string_view commandLine, const StartupSeam& seam, SaverForms& forms);

}  // namespace velmoran
