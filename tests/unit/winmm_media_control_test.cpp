// The Windows media back end against the system's own winmm (Wine here).
#ifdef _WIN32

#include "saver/win32/winmm_media_control.h"

#include <gtest/gtest.h>

#include "saver/music/music_player.h"

namespace {

TEST(WinmmMediaControl, UnknownDeviceFailsWithItsCodeAndText) {
    velmoran::WinmmMediaControl media;
    char reply[30] = "";
    const std::int32_t code = media.SendString("status NoSuchAlias mode", reply, sizeof reply);
    EXPECT_NE(code, 0);
    char text[256] = "";
    EXPECT_TRUE(media.ErrorString(code, text, sizeof text));
    EXPECT_STRNE(text, "");
}

TEST(WinmmMediaControl, MissingMp3StaysSilentThroughAWholeShow) {
    velmoran::WinmmMediaControl media;
    velmoran::MusicSettings settings;
    settings.BgmFile = "C:\\no such folder\\no such song.mp3";
    velmoran::MusicPlayer player(media, settings);
    player.StartMp3();
    EXPECT_FALSE(player.IsMp3Playing());
    player.RepeatMp3();
    EXPECT_EQ(player.MciQuery("status MP3Play mode").rfind("Error:", 0), 0u);
    player.CloseMp3();
}

}  // namespace

#endif
