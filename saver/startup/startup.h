// The saver's start: refuse to run beside a show or an open settings dialog,
// take the mode from the command line and hand over to its form.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/window_facts.h"
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

// What the start asks of the platform.
class StartupPlatform {
public:
    virtual ~StartupPlatform() = default;

    // True when any top-level window, hidden ones included, has exactly this title.
    virtual bool WindowExists(const std::string& title) = 0;

    // Waits, looking now and then, for the window titled so to go; false when
    // it is still there after the time given.
    virtual bool WindowGoneWithin(const std::string& title, std::chrono::milliseconds time) = 0;

    // The running program's folder: no trailing separator except at a root.
    virtual std::string ProgramFolder() = 0;

    // The user's own folder for the settings file; empty when none is known.
    virtual std::string UserSettingsFolder() = 0;

    // Whether this user may make files in the folder.
    virtual bool FolderWritable(const std::string& folder) = 0;

    virtual ProfileStore& Profiles() = 0;

    // Hides the mouse pointer until the show shows it again.
    virtual void HidePointer() = 0;

    // A modal message with an OK button; returns when it was closed.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;

    // Whether the desktop runs screen savers as XScreenSaver's display modes
    // ("hacks", hack_switches.h), which the saver then takes on (X11).
    virtual bool RunsHacks() = 0;

    // The window a hack started with -root shows in: the one XScreenSaver
    // made for it, or the screen's root window; 0 when there is none.
    virtual std::uint32_t HackRootWindow() = 0;

    // A window's size and its screen's; nothing when there is no such window.
    virtual std::optional<WindowOnScreen> MeasureWindow(std::uint32_t window) = 0;

    // A message for the log, where no window of the saver could be seen: a
    // hack's windows lie under XScreenSaver's, which keeps its error output.
    virtual void LogMessage(const std::string& text) = 0;
};

// Runs the saver for one command line (the text after the program's name)
// until its form has gone; the process ends after it.
void Main(std::string_view commandLine, StartupPlatform& platform, SaverForms& forms);

}  // namespace velmoran
