#include "saver/settings/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "code_page_932.h"
#include "temp_folder.h"

namespace velmoran {
namespace {

using test::Cp932;
using test::TempFolder;


TEST(FolderOf, WindowsPaths) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Music\\song.mp3", "C:\\Music"}, {"C:\\song.mp3", "C:"}, {"C:song.mp3", "C:"},
        {"C:\\Music\\", "C:\\Music"},         {"song.mp3", ""},       {"", ""},
        {"\\song.mp3", ""},                   {"\\\\srv\\share\\a.wav", "\\\\srv\\share"},
        {"C:/Music/song.mp3", "C:"},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(FolderOf(path, PathStyle::Windows, Cp932), folder) << path;
}

TEST(FolderOf, PosixPaths) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/a/Music/song.mp3", "/home/a/Music"}, {"/song.mp3", "/"}, {"/home/a/Music/", "/home/a/Music"},
        {"song.mp3", ""},                            {"C:song.mp3", ""}, {"a/b:c/d.wav", "a/b:c"},
    };
    for (const auto& [path, folder] : cases)
        EXPECT_EQ(FolderOf(path, PathStyle::Posix, Utf8CharacterSize), folder) << path;
}

// A separator is a separator only where a character begins: the second byte
// of 表, ソ or 能 is the same byte as '\\' but ends no folder name.
TEST(FolderOf, WindowsPathsInCodePage932) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Music\\" HYOU ".mp3", "C:\\Music"},
        {"C:\\" SO "\\" KYOKU ".mp3", "C:\\" SO},
        {"C:\\" KYOKU "\\" SO ".mp3", "C:\\" KYOKU},
        {"C:\\" NOU "\\", "C:\\" NOU},
        {"C:\\" NOU, "C:"},
        {"C:" HYOU SO NOU, "C:"},
        {HYOU SO ".wav", ""},
        {"C:\\" HYOU "\\" SO "\\" NOU "\\x.wav", "C:\\" HYOU "\\" SO "\\" NOU},
        {"C:\\a\\\x95", "C:\\a"},  // a lead byte cut off by the end of the text
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(FolderOf(path, PathStyle::Windows, Cp932), folder) << path;
}

TEST(ProgramFolderOf, KeepsTheSeparatorOfARootOnly) {
    EXPECT_EQ(ProgramFolderOf("C:\\Windows\\Velmoran.scr", PathStyle::Windows, Cp932), "C:\\Windows");
    EXPECT_EQ(ProgramFolderOf("C:\\Velmoran.scr", PathStyle::Windows, Cp932), "C:\\");
    EXPECT_EQ(ProgramFolderOf("C:\\" SO "\\Velmoran.scr", PathStyle::Windows, Cp932), "C:\\" SO);
    EXPECT_EQ(ProgramFolderOf("/opt/velmoran/Velmoran.scr", PathStyle::Posix, Utf8CharacterSize), "/opt/velmoran");
    EXPECT_EQ(ProgramFolderOf("/Velmoran.scr", PathStyle::Posix, Utf8CharacterSize), "/");
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

#ifndef _WIN32
// File names are bytes here, whatever the code page.

// Only the last character is dropped when it is a separator: the second
// byte of a path's last character 表 is kept.
TEST(FileExists, DropsATrailingSeparatorOnlyWhereACharacterBegins) {
    TempFolder folder;
    const std::string cut = folder.Write("a\x95", "ID3");
    EXPECT_TRUE(FileExists(cut + "\x5C", PathStyle::Windows, Utf8CharacterSize));
    EXPECT_FALSE(FileExists(cut + "\x5C", PathStyle::Windows, Cp932)) << "names a file a" HYOU ", not a\\x95";
    folder.Write("a" HYOU, "ID3");
    EXPECT_TRUE(FileExists(folder / ("a" HYOU), PathStyle::Windows, Cp932));
}

// A named pipe never holds the saver up: opening one would wait for a writer.
TEST(FileExists, NamedPipesAndDevicesAreNoFiles) {
    TempFolder folder;
    const std::string pipe = folder / "song.mp3";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(FileExists(pipe));
    EXPECT_FALSE(FileExists("/dev/null"));
}
#endif

}  // namespace
}  // namespace velmoran
