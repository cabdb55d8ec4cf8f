// Paths of the saver's files and the two path helpers of the settings.
#pragma once

#include <string>
#include <string_view>

#include "common/file_names.h"
#include "saver/settings/system_text.h"

namespace velmoran {

// Windows paths separate folders with '\' and name drives with "C:"; POSIX
// paths separate with '/' and have no drives.
enum class PathStyle { Windows, Posix };

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// Paths are system text, walked a character at a time (`size`); the forms
// without a style and a size take this system's.

// True when the path names a regular file that can be opened for reading.
// One trailing separator is dropped first; folders, other kinds of file (a
// named pipe, a device) and the empty path are false.
bool FileExists(std::string_view path, PathStyle style, CharacterSize size);
bool FileExists(std::string_view path);

// The folder part of a path, without a trailing separator: "C:\Music\a.mp3"
// gives "C:\Music", "C:\a.mp3" and "C:a.mp3" give "C:", "a.mp3" gives "".
// With POSIX paths "/a.mp3" gives "/", the root being a folder of its own.
std::string FolderOf(std::string_view path, PathStyle style, CharacterSize size);
std::string FolderOf(std::string_view path);

// The folder of the running program as its path gives it: no trailing
// separator except at a root ("C:\", "/").
std::string ProgramFolderOf(std::string_view programPath, PathStyle style, CharacterSize size);
std::string ProgramFolderOf(std::string_view programPath);

// A file in the program's folder, the two joined as they are (so a program in
// a root folder gives a doubled separator, as the system's own paths do).
std::string FileInFolder(std::string_view folder, std::string_view fileName,
                         PathStyle style = kNativePathStyle);

}  // namespace velmoran
