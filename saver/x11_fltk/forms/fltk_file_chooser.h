// The desktop's file-open dialog (GTK's when it is there, FLTK's own
// otherwise), for the settings dialog's "..." button.
#pragma once

#include <optional>
#include <string>

#include "saver/dialog/settings_dialog_view.h"

namespace velmoran {

// The chosen file's path, or nothing when the user cancelled or the dialog
// failed. The request's patterns ("*.MP3;*.WAV") match names in any letter
// case, as they do on the system the patterns come from.
std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request);

// The request's filter as FLTK takes it: "description<TAB>pattern", the
// patterns as one FLTK pattern ("*.MP3;*.WAV" gives "{*.MP3,*.WAV}").
// FLTK finds the pattern after the first '(' it shows, so round brackets in
// the description become full-width ones.
std::string FltkFilter(const std::string& description, const std::string& patterns);

}  // namespace velmoran
