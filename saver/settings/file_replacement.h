// Giving a file new contents in one step, so that it is never left half
// written, without following links that others may lay in its folder.
#pragma once

#include <filesystem>
#include <string>

namespace velmoran {

// Replaces the contents of `file` (when it is a symbolic link, or a chain of
// them, the file the link leads to, so that the link stays a link) with
// `bytes`: they go to a new temporary file beside it, made under a name of
// its own that did not exist before (never through a link lying in wait),
// which then takes the file's place and permissions in one step. A missing
// folder is made first, readable by its owner only. False when any of it
// fails or the file may not be rewritten (a file marked read-only, with no
// write permission for anyone, or one this process may not open for
// writing); the file is as it was then.
bool ReplaceFileContents(const std::filesystem::path& file, const std::string& bytes);

}  // namespace velmoran
