#include "saver/settings/ini_file_store.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "saver/settings/settings.h"
#include "temp_folder.h"

namespace velmoran {
namespace {

using test::TempFolder;

TEST(IniFileStore, WritesTheKeysAsTheirCodePage932Bytes) {
    TempFolder folder;
    const std::string file = folder / "Velmoran.ini";
    IniFileStore store;
    IniWrite(store, kIniSection, kKeyBgmKind, "2", file);
    IniWrite(store, kIniSection, kKeyBgmRepeat, "0", file);
    IniWrite(store, kIniSection, kKeyBgmFile, "C:\\Music\\song.mp3", file);
    EXPECT_EQ(folder.Read("Velmoran.ini"),
              "[Section]\r\n"
              "BGM\x8B\xE6\x95\xAA=2\r\n"
              "BGM\xD8\xCB\xDF\xB0\xC4=0\r\n"
              "BGM\xCC\xA7\xB2\xD9=C:\\Music\\song.mp3\r\n");
    EXPECT_EQ(IniRead(store, "SECTION", kKeyBgmFile, file), "C:\\Music\\song.mp3");
}

TEST(IniFileStore, RewritesOneKeyAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string original = "; mine\n[Section]\nBGM\x8B\xE6\x95\xAA=1\n[Keep]\nA=b\n";
    const std::string file = folder.Write("Velmoran.ini", original);
    IniFileStore store;
    EXPECT_TRUE(store.Write(kIniSection, kKeyBgmKind, "0", file));
    EXPECT_EQ(folder.Read("Velmoran.ini"), "; mine\n[Section]\nBGM\x8B\xE6\x95\xAA=0\n[Keep]\nA=b\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(IniFileStore, AFileThatCannotBeWrittenStaysAsItWas) {
    TempFolder folder;
    IniFileStore store;
    // A file where a folder should be: no folder can be made there.
    folder.Write("a-file", "x");
    EXPECT_FALSE(store.Write("S", "K", "v", folder / "a-file/Velmoran.ini"));
    EXPECT_FALSE(IniWrite(store, "S", "K", "v", folder / "a-file/Velmoran.ini"));
    // A folder where the file should be: it can be neither read nor replaced.
    std::filesystem::create_directory(folder / "Velmoran.ini");
    EXPECT_FALSE(store.Write("S", "K", "v", folder / "Velmoran.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Velmoran.ini"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2) << "no temporary file left";
}

TEST(IniFileStore, MakesTheMissingFoldersOfTheUsersOwnFile) {
    TempFolder home;
    IniFileStore store;
    const std::string file = home / ".config/velmoran/Velmoran.ini";
    EXPECT_TRUE(IniWrite(store, kIniSection, kKeyBgmKind, "1", file));
    EXPECT_EQ(IniRead(store, kIniSection, kKeyBgmKind, file), "1");
#ifndef _WIN32
    // Settings are the user's own business: new folders are closed to others.
    for (const char* folder : {".config", ".config/velmoran"})
        EXPECT_EQ(std::filesystem::status(home / folder).permissions(), std::filesystem::perms::owner_all) << folder;
#endif
}

TEST(IniFileStore, AReadOnlyFileIsNotReplaced) {
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string original = "[Section]\r\nBGM\x8B\xE6\x95\xAA=1\r\n";
    const std::string file = folder.Write("Velmoran.ini", original);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    IniFileStore store;
    EXPECT_FALSE(store.Write(kIniSection, kKeyBgmKind, "2", file));
    EXPECT_EQ(folder.Read("Velmoran.ini"), original);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none) << "still read-only";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1) << "no temporary file left";
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);  // so that it can be removed
}

TEST(IniFileStore, KeepsTheFilesPermissions) {
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string file = folder.Write("Velmoran.ini", "[Section]\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    const fs::perms before = fs::status(file).permissions();
    IniFileStore store;
    EXPECT_TRUE(store.Write(kIniSection, kKeyBgmKind, "2", file));
    EXPECT_EQ(fs::status(file).permissions(), before);
}

#ifndef _WIN32
// Links are the Linux store's concern: on Windows the system's own calls write the file.
TEST(IniFileStore, ALinkLyingInWaitAtTheOldTemporaryNameIsNotFollowed) {
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string victim = folder.Write("victim", "precious");
    fs::create_symlink(victim, folder / "Velmoran.ini.tmp");
    IniFileStore store;
    EXPECT_TRUE(store.Write(kIniSection, kKeyBgmKind, "2", folder / "Velmoran.ini"));
    EXPECT_EQ(folder.Read("victim"), "precious");
    EXPECT_TRUE(fs::is_symlink(folder / "Velmoran.ini.tmp"));
    EXPECT_EQ(IniRead(store, kIniSection, kKeyBgmKind, folder / "Velmoran.ini"), "2");
}

TEST(IniFileStore, ALinkedSettingsFileIsWrittenThroughAndStaysALink) {
    namespace fs = std::filesystem;
    TempFolder folder;
    fs::create_directory(folder / "real");
    const std::string target = folder.Write("real/settings.ini", "; kept\n[Section]\nBGM\x8B\xE6\x95\xAA=1\n");
    fs::create_symlink("real/settings.ini", folder / "Velmoran.ini");  // relative, as links often are
    fs::create_symlink(folder / "Velmoran.ini", folder / "chained.ini");
    IniFileStore store;
    EXPECT_TRUE(store.Write(kIniSection, kKeyBgmKind, "2", folder / "chained.ini"));
    EXPECT_TRUE(fs::is_symlink(folder / "Velmoran.ini"));
    EXPECT_TRUE(fs::is_symlink(folder / "chained.ini"));
    EXPECT_EQ(folder.Read("real/settings.ini"), "; kept\n[Section]\nBGM\x8B\xE6\x95\xAA=2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "real"), {}), 1) << "no temporary file left";
}

TEST(IniFileStore, ALinkLoopIsNotWritten) {
    namespace fs = std::filesystem;
    TempFolder folder;
    fs::create_symlink(folder / "b.ini", folder / "a.ini");
    fs::create_symlink(folder / "a.ini", folder / "b.ini");
    IniFileStore store;
    EXPECT_FALSE(store.Write(kIniSection, kKeyBgmKind, "2", folder / "a.ini"));
    EXPECT_TRUE(fs::is_symlink(folder / "a.ini"));
}

// Opening a named pipe without a writer would wait for one for ever.
TEST(IniFileStore, ANamedPipeIsNeitherWaitedOnNorWritten) {
    TempFolder folder;
    const std::string file = folder / "Velmoran.ini";
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    IniFileStore store;
    EXPECT_EQ(store.Read(kIniSection, kKeyBgmKind, file), "");
    EXPECT_FALSE(store.Write(kIniSection, kKeyBgmKind, "2", file));
    EXPECT_TRUE(std::filesystem::is_fifo(file));
}
#endif

TEST(IniFileStore, MissingFileReadsEmpty) {
    TempFolder folder;
    IniFileStore store;
    EXPECT_EQ(IniRead(store, kIniSection, kKeyBgmKind, folder / "none.ini"), "");
}

TEST(IniRead, CutsLongValuesTo255Bytes) {
    TempFolder folder;
    const std::string file = folder.Write("Velmoran.ini", "[Section]\nK=" + std::string(300, 'x') + "\n");
    IniFileStore store;
    EXPECT_EQ(IniRead(store, kIniSection, "K", file), std::string(255, 'x'));
}

TEST(IniWrite, AValueEndsBeforeALineBreak) {
    TempFolder folder;
    const std::string file = folder / "Velmoran.ini";
    IniFileStore store;
    IniWrite(store, kIniSection, "K", "/music/a.mp3\n[Section]\nK=evil", file);
    EXPECT_EQ(folder.Read("Velmoran.ini"), "[Section]\r\nK=/music/a.mp3\r\n");
}

}  // namespace
}  // namespace velmoran
