// MP3 and WAV files through the Linux media back end, heard through SDL's
// disk driver.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>
#include <thread>

#include "audio/disk_audio.h"
#include "saver/music/music_player.h"
#include "saver/x11_fltk/program/media_module.h"

namespace velmoran::testing {
namespace {

using namespace std::chrono_literals;

TEST(Mp3Playback, PlaysAndStartsFromTheBeginningAfterEachEnd) {
    DiskAudio audio;
    std::filesystem::create_directory(audio.Folder() / "my music");
    MusicSettings settings;
    settings.BgmFile = (audio.Folder() / "my music" / "slow song.mp3").string();
    WriteMp3(settings.BgmFile, 0.6, 441);
    {
        MediaModule media{kMediaModuleFolder};
        MusicPlayer player(media, settings);
        player.StartMp3();
        EXPECT_TRUE(player.IsMp3Playing());
        Ticks(2300ms, 250ms, [&] { player.RepeatMp3(); });
        player.CloseMp3();
        EXPECT_EQ(player.MciQuery("status MP3Play mode"), "Error:263");
    }
    const Samples heard = audio.Heard();
    const std::vector<Stretch> plays = Sounding(heard);
    ASSERT_GE(plays.size(), 3u) << "the file and at least two restarts";
    for (std::size_t i = 0; i + 1 < plays.size(); ++i) {
        SCOPED_TRACE(i);
        // Each play is the whole file, from its beginning.
        EXPECT_NEAR(Seconds(plays[i].last - plays[i].first), 0.6, 0.06);
        EXPECT_NEAR(Frequency(heard, plays[i]), 441, 10);
        // Restarted within a tick of its end.
        EXPECT_LE(Seconds(plays[i + 1].first - plays[i].last), 0.55);
    }
}

TEST(Mp3Playback, FileThatIsNoMusicStaysSilent) {
    DiskAudio audio;
    MusicSettings settings;
    settings.BgmFile = (audio.Folder() / "notes.mp3").string();
    WriteWav(audio.Folder() / "other.wav", Noise(100, 3));
    std::filesystem::copy_file(audio.Folder() / "other.wav", settings.BgmFile);
    std::filesystem::resize_file(settings.BgmFile, 20);  // a header cut short
    {
        MediaModule media{kMediaModuleFolder};
        MusicPlayer player(media, settings);
        player.StartMp3();
        player.RepeatMp3();
        EXPECT_FALSE(player.IsMp3Playing());
        player.CloseMp3();
    }
    EXPECT_TRUE(Sounding(audio.Heard()).empty());
}

TEST(WavPlayback, LoopsWithoutAGapUntilStopped) {
    DiskAudio audio;
    MusicSettings settings;
    settings.BgmFile = (audio.Folder() / "loop.wav").string();
    const Samples wave = Noise(kRate / 4, 4);
    WriteWav(settings.BgmFile, wave);
    {
        MediaModule media{kMediaModuleFolder};
        MusicPlayer player(media, settings);
        player.StartWav();
        std::this_thread::sleep_for(1200ms);
        player.StopWav();
        std::this_thread::sleep_for(300ms);
    }
    const Samples heard = audio.Heard();
    const std::size_t start = Find(heard, Slice(wave, 0, 256));
    ASSERT_NE(start, std::string::npos) << "the file was not heard";
    Samples looped;
    for (int i = 0; i < 4; ++i) looped.insert(looped.end(), wave.begin(), wave.end());
    EXPECT_EQ(Slice(heard, start, looped.size()), looped) << "four rounds, sample for sample";
    const std::vector<Stretch> sound = Sounding(heard);
    ASSERT_EQ(sound.size(), 1u);
    EXPECT_GE(heard.size() - sound.back().last, 2 * kRate / 5) << "silent after the stop";
}

TEST(WavPlayback, UnreadableFileStaysSilent) {
    DiskAudio audio;
    MusicSettings settings;
    settings.BgmFile = (audio.Folder() / "broken.wav").string();
    WriteWav(settings.BgmFile, Noise(kRate, 6));
    std::filesystem::resize_file(settings.BgmFile, 30);  // the header cut short
    {
        MediaModule media{kMediaModuleFolder};
        MusicPlayer player(media, settings);
        player.StartWav();
        std::this_thread::sleep_for(200ms);
        player.StopWav();
    }
    EXPECT_TRUE(Sounding(audio.Heard()).empty());
}

// A named pipe without a writer would hold open() for good. Should it, the
// test writes to it so that it ends, and fails.
TEST(WavPlayback, NamedPipeIsRefusedWithoutWaiting) {
    DiskAudio audio;
    MusicSettings settings;
    settings.BgmFile = (audio.Folder() / "loop.wav").string();
    ASSERT_EQ(mkfifo(settings.BgmFile.c_str(), 0600), 0);
    {
        MediaModule media{kMediaModuleFolder};
        MusicPlayer player(media, settings);
        std::future<void> started = std::async(std::launch::async, [&] {
            player.StartWav();
            player.StopWav();
        });
        const bool ended = started.wait_for(10s) == std::future_status::ready;
        if (!ended) close(open(settings.BgmFile.c_str(), O_WRONLY));
        started.wait();
        EXPECT_TRUE(ended) << "the wave loop waited on the pipe";
    }
    EXPECT_TRUE(Sounding(audio.Heard()).empty());
}

TEST(NoSoundDevice, NothingPlaysAndNothingBreaks) {
    DiskAudio audio;
    DiskAudio::NoDevice();
    MusicSettings settings;
    settings.BgmFile = (audio.Folder() / "song.mp3").string();
    WriteMp3(settings.BgmFile, 0.2, 441);
    setenv("VELMORAN_CDROM", WriteDisc(audio.Folder(), {Noise(kSectorSamples / 2, 5)}).c_str(), 1);

    MediaModule media{kMediaModuleFolder};
    MusicPlayer player(media, settings);
    EXPECT_EQ(media.WaveOutputDevices(), 0);
    player.StartWav();
    player.StopWav();
    player.StartMp3();
    EXPECT_FALSE(player.IsMp3Playing());
    player.OpenCdAudio();
    player.PollCdAudio();
    EXPECT_FALSE(player.CdAudioOk());
    unsetenv("VELMORAN_CDROM");
}

}  // namespace
}  // namespace velmoran::testing
