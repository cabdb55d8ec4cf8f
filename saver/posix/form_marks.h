// Marks that a form runs in a process, where its window carries no title that
// other processes can see (a Wayland surface): a file a mark in one folder of
// the session, locked for as long as the mark is held. A file whose lock can
// be taken was left by a process that ended without removing it.
//
// The folder lies in the user's runtime folder and must be the user's own,
// closed to others and no link; its files the same. Anything else there is
// not trusted and marks nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "saver/display/display_driver.h"

namespace velmoran {

// The folder of the marks of one session: velmoran-<session> in the user's
// runtime folder (XDG_RUNTIME_DIR), the session's name (WAYLAND_DISPLAY) in
// the safe form of a file name. Empty where the runtime folder is not an
// absolute path or no session is named.
std::string FormMarksFolder(const std::string& runtimeFolder, const std::string& session);

// Holds a mark that a form titled so runs in this process, for as long as the
// handle lives; the folder is made (0700) where it is missing. Nothing where
// the folder is empty or not trusted, or no mark could be made there.
std::shared_ptr<void> HoldFormMark(const std::string& folder, const std::string& title);

// The process of each mark of the title held in the folder, one entry a
// mark; marks left by ended processes are removed on the way.
std::vector<ProcessId> ProcessesMarked(const std::string& folder, const std::string& title);

}  // namespace velmoran
