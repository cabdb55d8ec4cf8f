#include "saver/settings/system_text.h"

#include <gtest/gtest.h>

#include <string>

#include "code_page_932.h"
#include "saver/show/music_file_kind.h"

namespace velmoran {
namespace {

using test::Cp932;

TEST(SystemText, CharactersBeginAfterWholeDoubleByteCharacters) {
    EXPECT_EQ(CharacterStarts("a" HYOU "b" SO, Cp932), (std::vector<std::size_t>{0, 1, 3, 4}));
    EXPECT_EQ(CharacterStarts("\\" "\\", Cp932), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(CharacterStarts("a\x95", Cp932), (std::vector<std::size_t>{0, 1})) << "a lead byte at the end";
    EXPECT_EQ(CharacterStarts("", Cp932), std::vector<std::size_t>{});
    // UTF-8: é (2 bytes), 表 (3), an emoji (4), a stray continuation byte (1).
    EXPECT_EQ(CharacterStarts("\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x8E\xB5\x80x", Utf8CharacterSize),
              (std::vector<std::size_t>{0, 2, 5, 9, 10}));
}

TEST(SystemText, LastCharactersCountCharactersNotBytes) {
    EXPECT_EQ(LastCharacters("x" HYOU "AV", 3, Cp932), HYOU "AV");
    EXPECT_EQ(LastCharacters("a" SO, 1, Cp932), SO);
    EXPECT_EQ(LastCharacters("a\\", 1, Cp932), "\\");
    EXPECT_EQ(LastCharacters("ab", 3, Cp932), "ab");
    EXPECT_EQ(LastCharacters("song.wav", 3, Utf8CharacterSize), "wav");
}

// The second byte of ジ is 'W', of ヘ 'w', of ノ 'm': the last three bytes of
// these names spell an extension, their last three characters do not.
TEST(MusicFileKind, ByTheLastThreeCharactersInAnyCase) {
    const std::pair<std::string, MusicFile> cases[] = {
        {"C:\\Music\\song.wav", MusicFile::Wav}, {"C:\\Music\\song.Mp3", MusicFile::Mp3},
        {"C:\\" KYOKU ".WAV", MusicFile::Wav},   {"C:\\" SO "\\" HYOU ".mp3", MusicFile::Mp3},
        {"C:\\x" JI "AV", MusicFile::Other},     {"C:\\x" HE "av", MusicFile::Other},
        {"C:\\x" NO "p3", MusicFile::Other},     {"song.mid", MusicFile::Other},
        {"av", MusicFile::Other},                {"", MusicFile::Other},
    };
    for (const auto& [file, kind] : cases) EXPECT_EQ(MusicFileKind(file, Cp932), kind) << file;
    EXPECT_EQ(MusicFileKind("x" JI "AV", Utf8CharacterSize), MusicFile::Wav) << "bytes taken one by one";
}

}  // namespace
}  // namespace velmoran
