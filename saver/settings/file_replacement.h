// Giving a file new contents in one step, so that it is never left half
// written, without following links that others may lay in its folder.
#pragma once

#include <filesystem>
#include <string>

namespace velmoran {

// Where a write of `file` lands: the file itself, or, when it is a symbolic
// link (or a chain of them), the file the link leads to, so that the link
// stays a link. At most 40 links are followed, as the system does.
std::filesystem::path WriteTarget(const std::filesystem::path& file);

// Whether the file may be given new contents: false for a file marked
// read-only (no write permission for anyone) and for one this process may
// not open for writing; true for a file that does not exist yet.
bool MayRewrite(const std::filesystem::path& file);

// Replaces the contents of `file` (a link's target, see WriteTarget) with
// `bytes`: they go to a new temporary file beside it, made under a name of
// its own that did not exist before (never through a link lying in wait),
// which then takes the file's place and permissions in one step. A missing
// folder is made first, readable by its owner only. False when any of it
// fails or the file may not be rewritten; the file is as it was then.
bool ReplaceFileContents(const std::filesystem::path& file, const std::string& bytes);

}  // namespace velmoran
