#include "saver/settings/load_settings.h"

#include <gtest/gtest.h>

#include "saver/settings/ini_file_store.h"
#include "saver/settings/paths.h"
#include "temp_folder.h"

namespace velmoran {
namespace {

using test::TempFolder;

class LoadSettingsTest : public testing::Test {
protected:
    // Writes Velmoran.ini with the three keys (a key given as nullptr is left out).
    void WriteIni(const char* kind, const char* repeat, const std::string* file) {
        std::string text = "[Section]\r\n";
        if (kind) text += std::string(kKeyBgmKind) + "=" + kind + "\r\n";
        if (repeat) text += std::string(kKeyBgmRepeat) + "=" + repeat + "\r\n";
        if (file) text += std::string(kKeyBgmFile) + "=" + *file + "\r\n";
        program.Write(kSettingsFileName, text);
    }
    MusicSettings Load() { return LoadSettings(store, PlacesOf(program.Path())); }

    TempFolder program;
    TempFolder music;
    IniFileStore store;
};

TEST_F(LoadSettingsTest, MissingFileGivesTheDefaults) {
    const MusicSettings s = Load();
    EXPECT_EQ(s.BgmKind, 0);
    EXPECT_EQ(s.BgmRepeat, 0);
    EXPECT_EQ(s.BgmFile, "");
    EXPECT_EQ(s.BgmFolder, program.Path());
}

TEST_F(LoadSettingsTest, NumbersAreRoundedDownAndBadOnesGiveZero) {
    const std::pair<const char*, std::int16_t> cases[] = {
        {"1.9", 1},     {"-1.5", -2},         {"abc", 0},        {"40000", 0},  {" 7 ", 7},
        {"-3", -3},     {"32767.9", 32767},   {"-32768", -32768}, {"-32768.5", 0}, {"", 0},
        {"1 2", 0},     {"+1", 1},            {"1e400", 0},
    };
    for (const auto& [text, value] : cases) {
        WriteIni(text, text, nullptr);
        const MusicSettings s = Load();
        EXPECT_EQ(s.BgmKind, value) << '"' << text << '"';
        EXPECT_EQ(s.BgmRepeat, value) << '"' << text << '"';
    }
}

TEST_F(LoadSettingsTest, AMissingMusicFileIsDroppedWithTheMusicFileKind) {
    const std::string missing = music / "gone.mp3";
    WriteIni("2", "3", &missing);
    const MusicSettings s = Load();
    EXPECT_EQ(s.BgmKind, 0);
    EXPECT_EQ(s.BgmRepeat, 3);
    EXPECT_EQ(s.BgmFile, "");
    EXPECT_EQ(s.BgmFolder, program.Path());
}

TEST_F(LoadSettingsTest, AFolderIsNoMusicFile) {
    const std::string folder = music.Path();
    WriteIni("2", "0", &folder);
    EXPECT_EQ(Load().BgmKind, 0);
    EXPECT_EQ(Load().BgmFile, "");
}

TEST_F(LoadSettingsTest, AnExistingMusicFileIsKeptAndGivesTheFolder) {
    const std::string song = music.Write("song.mp3", "ID3");
    WriteIni("2", "0", &song);
    const MusicSettings s = Load();
    EXPECT_EQ(s.BgmKind, 2);
    EXPECT_EQ(s.BgmFile, song);
    EXPECT_EQ(s.BgmFolder, music.Path());
}

TEST_F(LoadSettingsTest, TheCdNeedsNoFile) {
    const std::string empty;
    WriteIni("1", "4", &empty);
    const MusicSettings s = Load();
    EXPECT_EQ(s.BgmKind, 1);
    EXPECT_EQ(s.BgmRepeat, 4);
    EXPECT_EQ(s.BgmFolder, program.Path());
}

TEST_F(LoadSettingsTest, AnEmptyFileDropsTheMusicFileKind) {
    const std::string empty;
    WriteIni("2", "0", &empty);
    EXPECT_EQ(Load().BgmKind, 0);
}

TEST_F(LoadSettingsTest, ALongPathIsTestedInIts255ByteForm) {
    // A file whose path is exactly 255 bytes, stored with more after it.
    const std::size_t nameLength = kIniValueLimit - music.Path().size() - 1;
    const std::string cut = music.Write(std::string(nameLength, 'm'), "RIFF");
    ASSERT_EQ(cut.size(), kIniValueLimit);
    const std::string stored = cut + ".wav";
    WriteIni("2", "0", &stored);
    const MusicSettings s = Load();
    EXPECT_EQ(s.BgmKind, 2);
    EXPECT_EQ(s.BgmFile, cut);

    const std::string other = music / std::string(300, 'n');
    WriteIni("2", "0", &other);
    EXPECT_EQ(Load().BgmKind, 0);
    EXPECT_EQ(Load().BgmFile, "");
}

}  // namespace
}  // namespace velmoran
