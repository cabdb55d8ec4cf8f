#include "saver/settings/paths.h"

#include <cstdio>

namespace velmoran {

namespace {

char Separator(PathStyle style) { return style == PathStyle::Windows ? '\\' : '/'; }

bool EndsFolderName(char c, PathStyle style) {
    return c == Separator(style) || (style == PathStyle::Windows && c == ':');
}

}  // namespace

bool FileExists(std::string_view path, PathStyle style) {
    if (!path.empty() && path.back() == Separator(style)) path.remove_suffix(1);
    if (path.empty()) return false;
    std::FILE* file = std::fopen(std::string(path).c_str(), "rb");
    if (!file) return false;
    // A folder opens on POSIX systems but cannot be read.
    std::fgetc(file);
    const bool readable = !std::ferror(file);
    std::fclose(file);
    return readable;
}

std::string FolderOf(std::string_view path, PathStyle style) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < path.size(); ++i)
        if (EndsFolderName(path[i], style)) length = i + 1;
    std::string folder(path.substr(0, length));
    const bool posixRoot = style == PathStyle::Posix && folder.size() == 1;
    if (!folder.empty() && folder.back() == Separator(style) && !posixRoot) folder.pop_back();
    return folder;
}

std::string ProgramFolderOf(std::string_view programPath, PathStyle style) {
    std::string folder = FolderOf(programPath, style);
    const bool driveOnly = style == PathStyle::Windows && !folder.empty() && folder.back() == ':';
    if (driveOnly) folder += Separator(style);
    return folder;
}

std::string FileInFolder(std::string_view folder, std::string_view fileName, PathStyle style) {
    std::string path(folder);
    path += Separator(style);
    path += fileName;
    return path;
}

}  // namespace velmoran
