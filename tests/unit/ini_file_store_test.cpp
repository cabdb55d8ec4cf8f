#include "saver/settings/ini_file_store.h"

#include <gtest/gtest.h>

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
    EXPECT_FALSE(store.Write("S", "K", "v", folder / "missing-folder/Velmoran.ini"));
    // A folder where the file should be: it can be neither read nor replaced.
    std::filesystem::create_directory(folder / "Velmoran.ini");
    EXPECT_FALSE(store.Write("S", "K", "v", folder / "Velmoran.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Velmoran.ini"));
    EXPECT_FALSE(std::filesystem::exists(folder / "Velmoran.ini.tmp"));
    IniWrite(store, "S", "K", "v", folder / "missing-folder/Velmoran.ini");  // silently
}

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
