// The saver's start: refuse to run beside a show or an open settings dialog,
// take the mode from the command line and hand over to its form.
#pragma once

#include <string>
#include <string_view>

#include "common/window_facts.h"
#include "saver/settings/profile_store.h"
#include "saver/startup/forms.h"

namespace velmoran {

inline constexpr const char* kProgramTitle = "Velmoran";
inline constexpr const char* kMissingViewerMessage =
    "Velmoran.dll が同じﾌｫﾙﾀﾞに見つかりません！";

// What the start asks of the platform.
class StartupPlatform {
public:
    virtual ~StartupPlatform() = default;

    // True when any top-level window, hidden ones included, has exactly this title.
    virtual bool WindowExists(const std::string& title) = 0;

    // The running program's folder: no trailing separator except at a root.
    virtual std::string ProgramFolder() = 0;

    virtual ProfileStore& Profiles() = 0;

    // Hides the mouse pointer until the show shows it again.
    virtual void HidePointer() = 0;

    // A modal message with an OK button; returns when it was closed.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

// Runs the saver for one command line (the text after the program's name)
// until its form has gone; the process ends after it.
void Main(std::string_view commandLine, StartupPlatform& platform, SaverForms& forms);

}  // namespace velmoran
