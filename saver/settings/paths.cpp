#include "saver/settings/paths.h"

#include "common/safe_files.h"
#include "saver/settings/system_places.h"

namespace velmoran {

namespace {

char Separator(PathStyle style) { return style == PathStyle::Windows ? '\\' : '/'; }

bool EndsFolderName(std::string_view character, PathStyle style) {
    return character.size() == 1 &&
           (character[0] == Separator(style) || (style == PathStyle::Windows && character[0] == ':'));
}

// The path without its last character when that is a separator.
std::string_view WithoutTrailingSeparator(std::string_view path, PathStyle style, CharacterSize size) {
    const std::string_view last = LastCharacters(path, 1, size);
    if (last.size() == 1 && last[0] == Separator(style)) path.remove_suffix(1);
    return path;
}

}  // namespace

bool FileExists(std::string_view path, PathStyle style, CharacterSize size) {
    path = WithoutTrailingSeparator(path, style, size);
    if (path.empty()) return false;
    return OpenRegularFile(std::string(path)) != nullptr;
}

bool FileExists(std::string_view path) { return FileExists(path, kNativePathStyle, SystemCharacterSize); }

std::string FolderOf(std::string_view path, PathStyle style, CharacterSize size) {
    std::size_t length = 0;
    for (std::size_t start : CharacterStarts(path, size)) {
        const std::size_t end = start + size(static_cast<unsigned char>(path[start]));
        if (EndsFolderName(path.substr(start, end - start), style)) length = end;
    }
    const std::string_view folder = path.substr(0, length);
    const bool posixRoot = style == PathStyle::Posix && folder.size() == 1;
    return std::string(posixRoot ? folder : WithoutTrailingSeparator(folder, style, size));
}

std::string FolderOf(std::string_view path) { return FolderOf(path, kNativePathStyle, SystemCharacterSize); }

std::string ProgramFolderOf(std::string_view programPath, PathStyle style, CharacterSize size) {
    std::string folder = FolderOf(programPath, style, size);
    const bool driveOnly = style == PathStyle::Windows && !folder.empty() && folder.back() == ':';
    if (driveOnly) folder += Separator(style);
    return folder;
}

std::string ProgramFolderOf(std::string_view programPath) {
    return ProgramFolderOf(programPath, kNativePathStyle, SystemCharacterSize);
}

std::string FileInFolder(std::string_view folder, std::string_view fileName, PathStyle style) {
    std::string path(folder);
    path += Separator(style);
    path += fileName;
    return path;
}

}  // namespace velmoran
