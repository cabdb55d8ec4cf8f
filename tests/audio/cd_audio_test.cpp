// The audio CD through the Linux media back end: a two-track BIN/CUE image
// made here, played by the music player and heard through SDL's disk driver.
#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/disk_audio.h"
#include "saver/music/music_player.h"
#include "saver/x11_fltk/program/media_module.h"

namespace velmoran::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kTrackSectors = 40;  // 0.53 s each
// Longest silence between the end of play and its restart: one 200 ms tick
// and a few mixing passes, with room for a busy machine.
constexpr double kRestartGap = 0.5;

class CdAudioTest : public ::testing::Test {
protected:
    CdAudioTest() {
        track1 = Noise(kTrackSectors * kSectorSamples / 2, 1);
        track2 = Noise(kTrackSectors * kSectorSamples / 2, 2);
        setenv("VELMORAN_CDROM", WriteDisc(audio.Folder(), {track1, track2}).c_str(), 1);
    }
    ~CdAudioTest() override { unsetenv("VELMORAN_CDROM"); }

    // A show with the CD: open, the 200 ms timer for the time given, close.
    Samples Show(std::chrono::milliseconds length) {
        {
            MediaModule media{kMediaModuleFolder};
            MusicPlayer player(media, settings);
            player.OpenCdAudio();
            Ticks(length, 200ms, [&] {
                player.PollCdAudio();
                EXPECT_TRUE(player.CdAudioOk());
            });
            player.CloseCdAudio();
        }
        return audio.Heard();
    }

    std::string Status(MediaControl& media, const char* command) {
        char reply[64] = "?";
        const std::int32_t code = media.SendString(command, reply, sizeof reply);
        return code == 0 ? reply : "code " + std::to_string(code);
    }

    DiskAudio audio;
    MusicSettings settings;
    Samples track1, track2;
};

TEST_F(CdAudioTest, WholeDiscPlaysThroughAndStartsAgainWhenItHasEnded) {
    Samples disc = track1;
    disc.insert(disc.end(), track2.begin(), track2.end());
    const Samples heard = Show(2600ms);

    const std::size_t first = Find(heard, Slice(disc, 0, 256));
    ASSERT_NE(first, std::string::npos) << "the disc was not heard";
    EXPECT_EQ(Slice(heard, first, disc.size()), disc) << "both tracks, sample for sample";
    const std::size_t again = Find(heard, Slice(disc, 0, 256), first + disc.size());
    ASSERT_NE(again, std::string::npos) << "the disc did not start again";
    EXPECT_LE(Seconds(again - first - disc.size()), kRestartGap);
    EXPECT_EQ(Slice(heard, again, track1.size()), track1);
}

TEST_F(CdAudioTest, ChosenLastTrackStartsAgainAfterTheDiscEnds) {
    settings.BgmRepeat = 2;
    const Samples heard = Show(2000ms);

    EXPECT_EQ(Find(heard, Slice(track1, 0, 256)), std::string::npos) << "track 1 must not be heard";
    const std::size_t first = Find(heard, Slice(track2, 0, 256));
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(Slice(heard, first, track2.size()), track2);
    const std::size_t again = Find(heard, Slice(track2, 0, 256), first + track2.size());
    ASSERT_NE(again, std::string::npos) << "track 2 did not start again";
    EXPECT_LE(Seconds(again - first - track2.size()), kRestartGap);
    EXPECT_EQ(Slice(heard, again, track2.size()), track2);
}

TEST_F(CdAudioTest, ChosenFirstTrackIsJumpedBackToWithinATickOfTheNext) {
    settings.BgmRepeat = 1;
    const Samples heard = Show(2000ms);

    const std::size_t first = Find(heard, Slice(track1, 0, 256));
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(Slice(heard, first, track1.size()), track1);
    // Play runs on into track 2 until the next tick jumps back.
    const std::size_t end = first + track1.size();
    EXPECT_EQ(Slice(heard, end, 256), Slice(track2, 0, 256));
    const std::size_t again = Find(heard, Slice(track1, 0, 256), end);
    ASSERT_NE(again, std::string::npos) << "track 1 was not played again";
    EXPECT_LE(Seconds(again - end), kRestartGap);
    EXPECT_EQ(Slice(heard, end, again - end), Slice(track2, 0, again - end)) << "only the start of track 2";
    EXPECT_EQ(Slice(heard, again, track1.size()), track1);
}

TEST_F(CdAudioTest, StatusRepliesDescribeTheImage) {
    MediaModule media{kMediaModuleFolder};
    ASSERT_EQ(media.SendString("open cdaudio", nullptr, 0), 0);
    EXPECT_EQ(Status(media, "status cdaudio number of tracks"), "2");
    EXPECT_EQ(Status(media, "status cdaudio mode"), "stopped");
    EXPECT_EQ(Status(media, "status cdaudio current track"), "1");
    EXPECT_EQ(Status(media, "status cdaudio position track 2"), "00:02:40");  // msf, after the lead-in

    ASSERT_EQ(media.SendString("set cdaudio time format tmsf", nullptr, 0), 0);
    EXPECT_EQ(Status(media, "status cdaudio position track 1"), "01:00:00:00");
    EXPECT_EQ(Status(media, "status cdaudio position track 2"), "02:00:00:00");
    EXPECT_EQ(Status(media, "status cdaudio position track 3"), "code 282");
    EXPECT_EQ(Status(media, "play cdaudio from Error:282"), "code 270");
    EXPECT_EQ(Status(media, "play cdaudio from 01:00:60:00"), "code 270");

    ASSERT_EQ(media.SendString("play cdaudio from 02:00:00:00", nullptr, 0), 0);
    EXPECT_EQ(Status(media, "status cdaudio mode"), "playing");
    EXPECT_EQ(Status(media, "STATUS CDAudio Mode wait"), "playing");
    EXPECT_EQ(Status(media, "status cdaudio current track"), "2");
    char tooShort[4] = "?";
    EXPECT_EQ(media.SendString("status cdaudio mode", tooShort, sizeof tooShort), 268);
    EXPECT_STREQ(tooShort, "");

    ASSERT_EQ(media.SendString("stop cdaudio", nullptr, 0), 0);
    EXPECT_EQ(Status(media, "status cdaudio mode"), "stopped");
    EXPECT_EQ(Status(media, "status cdaudio current track"), "2");
    ASSERT_EQ(media.SendString("close cdaudio", nullptr, 0), 0);
    EXPECT_EQ(Status(media, "status cdaudio mode"), "code 263");
    char text[256] = "";
    EXPECT_TRUE(media.ErrorString(263, text, sizeof text));
    EXPECT_STRNE(text, "");
}

TEST_F(CdAudioTest, NoImageAndNoDriveEndPollingAtTheFirstTick) {
    for (const char* source : {"/nonexistent/disc.cue", "/dev/no-such-drive"}) {
        setenv("VELMORAN_CDROM", source, 1);
        MediaModule media{kMediaModuleFolder};
        MusicPlayer player(media, settings);
        player.OpenCdAudio();
        player.PollCdAudio();
        EXPECT_FALSE(player.CdAudioOk()) << source;
        EXPECT_EQ(player.MciQuery("status cdaudio current track"), "Error:263");
        player.CloseCdAudio();
    }
}

TEST_F(CdAudioTest, ImageWhoseBinIsMissingIsNoDisc) {
    std::filesystem::remove(audio.Folder() / "disc.bin");
    MediaModule media{kMediaModuleFolder};
    EXPECT_NE(media.SendString("open cdaudio", nullptr, 0), 0);
}

}  // namespace
}  // namespace velmoran::testing
