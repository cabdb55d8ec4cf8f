// The few file operations whose safe form the standard library lacks: a
// file opened for reading only when it is a regular file, without waiting
// on a named pipe or a device; a new file and new folders that only their
// owner may read.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace velmoran {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

// The file at `path` (system text) opened for binary reading; nothing when
// it cannot be opened or is anything but a regular file. Opening never
// waits: a named pipe without a writer is refused at once.
File OpenRegularFile(const std::string& path);

// A new file at `path`, opened for binary writing, that only its owner may
// read (0600 on POSIX systems; on Windows the folder's own access rules).
// Nothing when the path exists already, a link among it, or the file cannot
// be made.
File CreatePrivateFile(const std::filesystem::path& path);

// Makes the folder and any missing parents, those made for their owner only
// (0700 on POSIX systems). False when the folder is not there afterwards.
bool CreatePrivateFolders(const std::filesystem::path& folder);

}  // namespace velmoran
