// The saver's stand-in for the Linux sound module: it loads the module only
// from the folder it is given, and where the module cannot be loaded every
// command fails as the sound back end's do on a machine without a sound
// device, silently, through a whole show's music.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "saver/mci/errors.h"
#include "saver/mixer_cdio/media_module_entry.h"
#include "saver/music/music_player.h"
#include "saver/x11_fltk/program/media_module.h"

namespace velmoran {
namespace {
namespace fs = std::filesystem;

// A fresh folder for one test.
class Folder {
public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "velmoran-module.XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~Folder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    const fs::path& Path() const { return path_; }
    fs::path Module() const { return path_ / kMediaModuleFileName; }

private:
    fs::path path_;
};

// What lies where the module should be.
enum class Fault { NoFile, NotAnObject, NoFactory, LibraryMissing };

void Lay(const Folder& folder, Fault fault) {
    switch (fault) {
        case Fault::NoFile: return;
        case Fault::NotAnObject: std::ofstream(folder.Module()) << "\x7f" "ELF, or so it says\n"; return;
        // A shared object without the factory.
        case Fault::NoFactory: fs::copy_file(VELMORAN_TEST_NO_FACTORY, folder.Module()); return;
        // A module with the factory, whose library is nowhere to be found.
        case Fault::LibraryMissing: fs::copy_file(VELMORAN_TEST_ORPHAN_MODULE, folder.Module()); return;
    }
}

class UnloadableModule : public ::testing::TestWithParam<Fault> {
protected:
    UnloadableModule() { Lay(folder, GetParam()); }

    std::int32_t Send(const char* command) {
        char reply[64] = "?";
        return media.SendString(command, reply, sizeof reply);
    }

    Folder folder;
    MediaModule media{folder.Path()};
};

TEST_P(UnloadableModule, CommandsFailAsWithoutASoundDevice) {
    EXPECT_EQ(Send("open cdaudio"), mci::kHardware);
    EXPECT_EQ(Send("open \"/music/song.mp3\" type MPEGVideo Alias MP3Play"), mci::kHardware);
    EXPECT_EQ(Send("status MP3Play mode"), mci::kInvalidDeviceName);
    EXPECT_EQ(Send("play cdaudio"), mci::kInvalidDeviceName);
    EXPECT_EQ(Send("close all"), mci::kOk);
    EXPECT_EQ(Send(""), mci::kMissingCommandString);
    char text[128] = "";
    ASSERT_TRUE(media.ErrorString(mci::kHardware, text, sizeof text));
    EXPECT_STREQ(text, mci::ErrorText(mci::kHardware));
    EXPECT_FALSE(media.ErrorString(-5, text, sizeof text));
    EXPECT_EQ(media.WaveOutputDevices(), 0);
}

TEST_P(UnloadableModule, AShowsMusicStaysSilentToItsEnd) {
    MusicSettings settings;
    settings.BgmFile = "/music/song.mp3";
    MusicPlayer player(media, settings);
    player.StartWav();
    player.StopWav();
    player.StartMp3();
    EXPECT_FALSE(player.IsMp3Playing());
    player.RepeatMp3();
    player.CloseMp3();
    EXPECT_EQ(player.MciQuery("status MP3Play mode"), "Error:263");
    player.OpenCdAudio();
    player.PollCdAudio();
    EXPECT_FALSE(player.CdAudioOk());
    player.CloseCdAudio();
}

std::string FaultName(const ::testing::TestParamInfo<Fault>& info) {
    constexpr const char* kNames[] = {"NoFile", "NotAnObject", "NoFactory", "LibraryMissing"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Faults, UnloadableModule,
                         ::testing::Values(Fault::NoFile, Fault::NotAnObject, Fault::NoFactory, Fault::LibraryMissing),
                         FaultName);

// The real module, from its own folder; by a relative name not even from
// the current folder, where it lies too.
TEST(MediaModule, LoadsTheModuleFromTheAbsoluteFolderOnly) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);  // an output that always opens
    const fs::path real = fs::path(VELMORAN_MEDIA_MODULE).parent_path();
    EXPECT_EQ(MediaModule(real).WaveOutputDevices(), 1);

    Folder here;
    fs::copy_file(VELMORAN_MEDIA_MODULE, here.Module());
    const fs::path before = fs::current_path();
    fs::current_path(here.Path());
    EXPECT_EQ(MediaModule(fs::path()).WaveOutputDevices(), 0);
    EXPECT_EQ(MediaModule(fs::path(".")).WaveOutputDevices(), 0);
    fs::current_path(before);
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace velmoran
