#include "saver/settings/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace velmoran {
namespace {

using test::TempFolder;

TEST(FolderOf, WindowsPaths) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Music\\song.mp3", "C:\\Music"}, {"C:\\song.mp3", "C:"}, {"C:song.mp3", "C:"},
        {"C:\\Music\\", "C:\\Music"},         {"song.mp3", ""},       {"", ""},
        {"\\song.mp3", ""},                   {"\\\\srv\\share\\a.wav", "\\\\srv\\share"},
        {"C:/Music/song.mp3", "C:"},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(FolderOf(path, PathStyle::Windows), folder) << path;
}

TEST(FolderOf, PosixPaths) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/a/Music/song.mp3", "/home/a/Music"}, {"/song.mp3", "/"}, {"/home/a/Music/", "/home/a/Music"},
        {"song.mp3", ""},                            {"C:song.mp3", ""}, {"a/b:c/d.wav", "a/b:c"},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(FolderOf(path, PathStyle::Posix), folder) << path;
}

TEST(ProgramFolderOf, KeepsTheSeparatorOfARootOnly) {
    EXPECT_EQ(ProgramFolderOf("C:\\Windows\\Velmoran.scr", PathStyle::Windows), "C:\\Windows");
    EXPECT_EQ(ProgramFolderOf("C:\\Velmoran.scr", PathStyle::Windows), "C:\\");
    EXPECT_EQ(ProgramFolderOf("/opt/velmoran/Velmoran.scr", PathStyle::Posix), "/opt/velmoran");
    EXPECT_EQ(ProgramFolderOf("/Velmoran.scr", PathStyle::Posix), "/");
}

TEST(FileInFolder, JoinsAsTheyAre) {
    EXPECT_EQ(FileInFolder("C:\\Windows", kSettingsFileName, PathStyle::Windows), "C:\\Windows\\Velmoran.ini");
    EXPECT_EQ(FileInFolder("C:\\", kViewerFileName, PathStyle::Windows), "C:\\\\Velmoran.dll");
    EXPECT_EQ(FileInFolder("/opt/v", kViewerFileName, PathStyle::Posix), "/opt/v/Velmoran.dll");
}

TEST(FileExists, TrueForReadableFilesOnly) {
    TempFolder folder;
    const std::string file = folder.Write("song.mp3", "ID3");
    const std::string empty = folder.Write("empty.wav", "");
    std::filesystem::create_directory(folder / "sub");
    const char separator = kNativePathStyle == PathStyle::Windows ? '\\' : '/';
    const std::pair<std::string, bool> cases[] = {
        {file, true},
        {empty, true},
        {file + separator, true},
        {file + separator + separator, false},
        {folder / "sub", false},
        {folder / "sub" + separator, false},
        {folder.Path(), false},
        {folder / "missing.mp3", false},
        {"", false},
        {std::string(1, separator), false},
    };
    for (const auto& [path, exists] : cases) EXPECT_EQ(FileExists(path), exists) << '"' << path << '"';
}

}  // namespace
}  // namespace velmoran
