#include "saver/music/music_player.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "unit/scripted_media.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using velmoran::MusicPlayer;
using velmoran::MusicSettings;
using velmoran::testing::ScriptedMedia;

constexpr int kInvalidDevice = 263;  // the device is not open
constexpr int kNotReady = 276;
constexpr int kOutOfRange = 282;

class MusicPlayerTest : public ::testing::Test {
protected:
    ScriptedMedia media;
    MusicSettings settings;
    MusicPlayer player{media, settings};

    // What the drive answers to the three queries of every CD tick.
    void Drive(const std::string& currentTrack, const std::string& mode) {
        media.Answer("status cdaudio current track", 0, currentTrack);
        media.Answer("status cdaudio number of tracks", 0, "12");
        media.Answer("status cdaudio mode", 0, mode);
    }
    // One tick of the show's CD timer: what it sent.
    std::vector<std::string> Tick() {
        media.TakeLog();
        player.PollCdAudio();
        return media.TakeLog();
    }
};

const char* const kCurrent = "status cdaudio current track [512]";
const char* const kTracks = "status cdaudio number of tracks [512]";
const char* const kMode = "status cdaudio mode [255]";

TEST_F(MusicPlayerTest, EmptyCommandIsRefusedWithoutSendingAndQueriesAsMinusOne) {
    std::string text;
    EXPECT_EQ(player.MciCommand("", text), -1);
    EXPECT_EQ(text, "コマンド文字列が指定されていません");
    EXPECT_EQ(player.MciQuery(""), "Error:-1");
    EXPECT_THAT(media.TakeLog(), IsEmpty());
}

TEST_F(MusicPlayerTest, CommandGivesReplyOrErrorTextWithItsCode) {
    media.Answer("status cdaudio mode", 0, "playing");
    media.Answer("status dvd mode", kInvalidDevice);
    media.Answer("status x mode", 999);
    media.ErrorText(kInvalidDevice, "device not open");
    std::string text;

    EXPECT_EQ(player.MciCommand("status cdaudio mode", text), 0);
    EXPECT_EQ(text, "playing");
    EXPECT_EQ(player.MciCommand("status dvd mode", text), kInvalidDevice);
    EXPECT_EQ(text, "device not open");
    EXPECT_EQ(player.MciCommand("status x mode", text), 999);
    EXPECT_EQ(text, "Error (文字列が取れません)");
    // A command that answers nothing does not hand on the last reply.
    EXPECT_EQ(player.MciCommand("play cdaudio", text), 0);
    EXPECT_EQ(text, "");
    EXPECT_THAT(media.TakeLog(), ElementsAre("status cdaudio mode [512]", "status dvd mode [512]",
                                             "status x mode [512]", "play cdaudio [512]"));
}

TEST_F(MusicPlayerTest, ReplyWithoutNulIsReadNoFurtherThanItsBuffer) {
    media.ForgetNul();
    media.Answer("status cdaudio position", 0, std::string(600, '7'));
    std::string text;
    player.MciCommand("status cdaudio position", text);
    EXPECT_EQ(text, std::string(512, '7'));
}

TEST_F(MusicPlayerTest, QueryTurnsFailureIntoErrorAndCode) {
    media.Answer("status cdaudio current track", kInvalidDevice);
    media.ErrorText(kInvalidDevice, "device not open");
    media.Answer("status cdaudio number of tracks", 0, "9");
    EXPECT_EQ(player.MciQuery("status cdaudio current track"), "Error:263");
    EXPECT_EQ(player.ResultText(), "device not open");  // kept, not passed on
    EXPECT_EQ(player.MciQuery("status cdaudio number of tracks"), "9");
}

TEST_F(MusicPlayerTest, PlayAddsOnlyThePositionsGiven) {
    media.Answer("play cdaudio from 03:00:00:00 to 04:00:00:00", kOutOfRange);
    EXPECT_EQ(player.MciPlay("cdaudio", "", ""), 0);
    EXPECT_EQ(player.MciPlay("cdaudio", "03:00:00:00", ""), 0);
    EXPECT_EQ(player.MciPlay("cdaudio", "", "04:00:00:00"), 0);
    EXPECT_EQ(player.MciPlay("cdaudio", "03:00:00:00", "04:00:00:00"), kOutOfRange);
    EXPECT_THAT(media.TakeLog(), ElementsAre("play cdaudio [512]", "play cdaudio from 03:00:00:00 [512]",
                                             "play cdaudio to 04:00:00:00 [512]",
                                             "play cdaudio from 03:00:00:00 to 04:00:00:00 [512]"));
}

TEST_F(MusicPlayerTest, CdOpensInTrackTimeFormatAndClosesAfterStopping) {
    player.OpenCdAudio();
    EXPECT_THAT(media.TakeLog(), ElementsAre("open cdaudio", "set cdaudio time format tmsf"));
    player.CloseCdAudio();
    EXPECT_THAT(media.TakeLog(), ElementsAre("stop cdaudio", "close cdaudio"));
}

TEST_F(MusicPlayerTest, WholeDiscStartsAtFirstTickAndAgainWhenStopped) {
    player.OpenCdAudio();
    Drive("1", "stopped");
    EXPECT_THAT(Tick(), ElementsAre(kCurrent, kTracks, kMode, "play cdaudio [512]"));
    EXPECT_TRUE(player.CdAudioOk());

    Drive("1", "playing");
    EXPECT_THAT(Tick(), ElementsAre(kCurrent, kTracks, kMode));
    Drive("7", "playing");
    EXPECT_THAT(Tick(), ElementsAre(kCurrent, kTracks, kMode));

    Drive("1", "stopped");  // the disc has played to its end
    EXPECT_THAT(Tick(), ElementsAre(kCurrent, kTracks, kMode, "play cdaudio [512]"));
    EXPECT_TRUE(player.CdAudioOk());
}

TEST_F(MusicPlayerTest, ChosenTrackIsPlayedAgainWhenPlayMovesOnOrStops) {
    settings.BgmRepeat = 3;
    media.Answer("status cdaudio position track 3", 0, "03:00:00:00");
    const std::vector<std::string> jump = {kCurrent, kTracks, kMode, "status cdaudio position track 3 [512]",
                                           "play cdaudio from 03:00:00:00 [512]"};

    Drive("1", "stopped");  // first tick after opening
    EXPECT_EQ(Tick(), jump);
    Drive("3", "playing");
    EXPECT_THAT(Tick(), ElementsAre(kCurrent, kTracks, kMode));
    Drive("4", "playing");  // up to one tick of track 4 is heard
    EXPECT_EQ(Tick(), jump);
    Drive("3", "stopped");
    EXPECT_EQ(Tick(), jump);
    EXPECT_TRUE(player.CdAudioOk());
}

TEST_F(MusicPlayerTest, NoDiscEndsPollingAtTheFirstTickWithNothingMoreSent) {
    player.OpenCdAudio();
    media.Answer("status cdaudio current track", kNotReady);
    EXPECT_THAT(Tick(), ElementsAre(kCurrent));
    EXPECT_FALSE(player.CdAudioOk());
}

TEST_F(MusicPlayerTest, AnyErrorWordInTheTrackRepliesEndsPolling) {
    Drive("1", "stopped");
    media.Answer("status cdaudio number of tracks", kNotReady);
    EXPECT_THAT(Tick(), ElementsAre(kCurrent, kTracks));
    EXPECT_FALSE(player.CdAudioOk());

    Drive("1", "playing");
    EXPECT_THAT(Tick(), ElementsAre(kCurrent, kTracks, kMode));
    EXPECT_TRUE(player.CdAudioOk());  // every poll starts out well

    media.Answer("status cdaudio current track", 0, "drive error");
    EXPECT_THAT(Tick(), ElementsAre(kCurrent));
    EXPECT_FALSE(player.CdAudioOk());
}

TEST_F(MusicPlayerTest, TrackReplyThatIsNoNumberEndsRepeatPolling) {
    settings.BgmRepeat = 2;
    Drive("two", "playing");
    EXPECT_THAT(Tick(), ElementsAre(kCurrent, kTracks, kMode));
    EXPECT_FALSE(player.CdAudioOk());
}

TEST_F(MusicPlayerTest, FailedModeQueryIsNotTakenForTheLastAnswer) {
    Drive("1", "stopped");
    Tick();
    media.Answer("status cdaudio mode", kNotReady);  // the buffer still says "stopped"
    EXPECT_THAT(Tick(), ElementsAre(kCurrent, kTracks, kMode));
    EXPECT_TRUE(player.CdAudioOk());
}

TEST_F(MusicPlayerTest, TrackMissingFromTheDiscKeepsTryingSilently) {
    settings.BgmRepeat = 20;
    media.Answer("status cdaudio position track 20", kOutOfRange);
    media.Answer("play cdaudio from Error:282", kOutOfRange);
    Drive("1", "stopped");
    EXPECT_THAT(Tick(), ElementsAre(kCurrent, kTracks, kMode, "status cdaudio position track 20 [512]",
                                    "play cdaudio from Error:282 [512]"));
    EXPECT_TRUE(player.CdAudioOk());
}

TEST_F(MusicPlayerTest, Mp3PathWithSpacesIsQuotedThenPlayed) {
    settings.BgmFile = "C:\\My Music\\slow song.mp3";
    player.StartMp3();
    EXPECT_THAT(media.TakeLog(), ElementsAre("open \"C:\\My Music\\slow song.mp3\" type MPEGVideo Alias MP3Play",
                                             "play MP3Play"));
}

TEST_F(MusicPlayerTest, Mp3ThatFailsToOpenIsNotPlayedAndItsTicksFailQuietly) {
    settings.BgmFile = "/gone.mp3";
    media.Answer("open \"/gone.mp3\" type MPEGVideo Alias MP3Play", 275);
    media.Answer("status MP3Play mode", kInvalidDevice);
    player.StartMp3();
    player.RepeatMp3();
    EXPECT_THAT(media.TakeLog(), ElementsAre("open \"/gone.mp3\" type MPEGVideo Alias MP3Play",
                                             "status MP3Play mode [30]", "stop MP3Play", "play MP3Play from 0"));
}

TEST_F(MusicPlayerTest, EndedMp3RestartsFromZeroAndPlayingOneIsLeftAlone) {
    media.Answer("status MP3Play mode", 0, "playing");
    player.RepeatMp3();
    EXPECT_THAT(media.TakeLog(), ElementsAre("status MP3Play mode [30]"));
    EXPECT_TRUE(player.IsMp3Playing());

    media.Answer("status MP3Play mode", 0, "stopped");
    media.TakeLog();
    player.RepeatMp3();
    EXPECT_THAT(media.TakeLog(), ElementsAre("status MP3Play mode [30]", "stop MP3Play", "play MP3Play from 0"));

    // A failed query leaves "playing" in the buffer; the file counts as ended.
    media.Answer("status MP3Play mode", 0, "playing");
    player.RepeatMp3();
    media.Answer("status MP3Play mode", kInvalidDevice);
    EXPECT_FALSE(player.IsMp3Playing());
}

TEST_F(MusicPlayerTest, Mp3ClosesAfterStopping) {
    player.CloseMp3();
    EXPECT_THAT(media.TakeLog(), ElementsAre("stop MP3Play", "close MP3Play"));
}

TEST_F(MusicPlayerTest, WavLoopsOnlyWhereAWaveDeviceExists) {
    settings.BgmFile = "/music/rain.wav";
    media.SetWaveDevices(0);
    player.StartWav();
    EXPECT_THAT(media.TakeLog(), IsEmpty());

    media.SetWaveDevices(2);
    player.StartWav();
    player.StopWav();
    EXPECT_THAT(media.TakeLog(), ElementsAre("loop wave /music/rain.wav", "stop wave"));
}

}  // namespace
