// The media-command interpreter: opening and closing under names, aliases
// and types, which device a command reaches, and how replies and failures
// come back, with stand-in devices.
#include "saver/mci/interpreter.h"

#include <gtest/gtest.h>

#include "saver/mci/errors.h"

namespace velmoran {
namespace {

using Log = std::vector<std::string>;

// Answers every command with what reached it: "<device name> <verb> <words>".
class EchoDevice final : public MciDevice {
public:
    explicit EchoDevice(std::string what) : what_(std::move(what)) {}
    std::int32_t Run(const mci::Request& request, std::string& reply) override {
        reply = what_ + " " + request.verb;
        for (const std::string& word : request.words) reply += " " + word;
        return mci::kOk;
    }

private:
    std::string what_;
};

class FakeDevices final : public MciDevices {
public:
    bool OutputReady() override { return outputReady; }
    std::int32_t OpenCd(std::unique_ptr<MciDevice>& device) override {
        opened.push_back("cd");
        if (openCode == mci::kOk) device = std::make_unique<EchoDevice>("cd");
        return openCode;
    }
    std::int32_t OpenFile(const std::string& path, std::unique_ptr<MciDevice>& device) override {
        opened.push_back("file " + path);
        if (openCode == mci::kOk) device = std::make_unique<EchoDevice>("file");
        return openCode;
    }

    bool outputReady = true;
    std::int32_t openCode = mci::kOk;
    Log opened;
};

class MciInterpreterTest : public testing::Test {
protected:
    std::string Reply(const std::string& command) {
        char reply[64] = "?";
        const std::int32_t code = mci.SendString(command.c_str(), reply, sizeof reply);
        return code == 0 ? std::string(reply) : "code " + std::to_string(code);
    }

    FakeDevices devices;
    MciInterpreter mci{devices};
};

TEST_F(MciInterpreterTest, TheCdOpensUnderItsNameAndHearsItInAnyCase) {
    EXPECT_EQ(Reply("open cdaudio"), "");
    EXPECT_EQ(devices.opened, Log{"cd"});
    EXPECT_EQ(Reply("status CDAudio mode"), "cd status mode");
    EXPECT_EQ(Reply("set cdaudio time format tmsf wait"), "cd set time format tmsf");
    EXPECT_EQ(Reply("status MP3Play mode"), "code 263");
}

TEST_F(MciInterpreterTest, AMusicFileOpensByTypeUnderItsAlias) {
    EXPECT_EQ(Reply("open \"/home/u/My Music/a b.mp3\" type MPEGVideo Alias MP3Play shareable"), "");
    EXPECT_EQ(devices.opened, Log{"file /home/u/My Music/a b.mp3"});
    EXPECT_EQ(Reply("status mp3play mode"), "file status mode");
    EXPECT_EQ(Reply("play MP3Play from 0"), "file play from 0");
    EXPECT_EQ(Reply("status \"/home/u/My Music/a b.mp3\" mode"), "code 263") << "known by its alias only";
}

TEST_F(MciInterpreterTest, TheTypeOrElseTheNameTellsTheCdFromAFile) {
    EXPECT_EQ(Reply("open d: type cdaudio alias disc"), "");
    EXPECT_EQ(Reply("close disc"), "");
    EXPECT_EQ(Reply("open song.wav type waveaudio"), "");
    EXPECT_EQ(Reply("close song.wav"), "");
    EXPECT_EQ(Reply("open song.mp3"), "");
    EXPECT_EQ(devices.opened, (Log{"cd", "file song.wav", "file song.mp3"}));
    EXPECT_EQ(Reply("close all"), "");
    EXPECT_EQ(Reply("open song.mid type sequencer"), "code 263");
    EXPECT_EQ(Reply("open song.mp3 type mpegvideo speed 2"), "code 259");
    EXPECT_EQ(Reply("open song.mp3 alias"), "code 273");
    EXPECT_EQ(devices.opened.size(), 3u) << "nothing opened for a bad command";
}

TEST_F(MciInterpreterTest, OneDeviceAtATime) {
    ASSERT_EQ(Reply("open a.mp3 alias MP3Play"), "");
    EXPECT_EQ(Reply("open b.mp3 alias mp3play"), "code 289");
    EXPECT_EQ(Reply("open cdaudio"), "code 265");
    EXPECT_EQ(Reply("status MP3Play mode"), "file status mode") << "the first stays open";
    EXPECT_EQ(Reply("close cdaudio"), "code 263");
    EXPECT_EQ(Reply("close MP3Play"), "");
    EXPECT_EQ(Reply("status MP3Play mode"), "code 263");
    EXPECT_EQ(Reply("close MP3Play"), "code 263");
    EXPECT_EQ(Reply("open cdaudio"), "");
}

TEST_F(MciInterpreterTest, NoSoundOutputOpensNothing) {
    devices.outputReady = false;
    EXPECT_EQ(Reply("open cdaudio"), "code 262");
    EXPECT_TRUE(devices.opened.empty());
    EXPECT_EQ(Reply("status cdaudio mode"), "code 263");
}

TEST_F(MciInterpreterTest, ADeviceThatFailsToOpenLeavesNothingOpen) {
    devices.openCode = mci::kDeviceNotReady;
    EXPECT_EQ(Reply("open cdaudio"), "code 276");
    EXPECT_EQ(Reply("status cdaudio mode"), "code 263");
    devices.openCode = mci::kOk;
    EXPECT_EQ(Reply("open cdaudio"), "") << "and the next open is free to try again";
}

TEST_F(MciInterpreterTest, MalformedCommandsFailWithTheirCodes) {
    EXPECT_EQ(Reply(""), "code 267");
    EXPECT_EQ(Reply("open"), "code 292");
    EXPECT_EQ(Reply("open \"a.mp3"), "code 269");
}

TEST_F(MciInterpreterTest, AReplyThatDoesNotFitFailsAndLeavesTheBufferEmpty) {
    ASSERT_EQ(mci.SendString("open cdaudio", nullptr, 0), 0);
    char exact[16] = "?";  // "cd status mode" and its NUL: 15 bytes
    EXPECT_EQ(mci.SendString("status cdaudio mode", exact, 15), 0);
    EXPECT_STREQ(exact, "cd status mode");
    char shortBuffer[14] = "?";
    EXPECT_EQ(mci.SendString("status cdaudio mode", shortBuffer, sizeof shortBuffer), 268);
    EXPECT_STREQ(shortBuffer, "");
    EXPECT_EQ(mci.SendString("status cdaudio mode", nullptr, 0), 0) << "no buffer, no reply wanted";
    char failed[16] = "?";
    EXPECT_EQ(mci.SendString("status nothing mode", failed, sizeof failed), 263);
    EXPECT_STREQ(failed, "") << "a failure replies nothing";
}

TEST_F(MciInterpreterTest, EveryCodeItReturnsHasAText) {
    for (std::int32_t code :
         {259, 261, 262, 263, 265, 267, 268, 269, 270, 273, 274, 275, 276, 282, 289, 292, 293, 296}) {
        char text[256] = "";
        EXPECT_TRUE(MciInterpreter::ErrorString(code, text, sizeof text)) << code;
        EXPECT_STRNE(text, "") << code;
    }
    char text[256] = "?";
    EXPECT_FALSE(MciInterpreter::ErrorString(1, text, sizeof text));
    char tiny[4] = "?";
    EXPECT_FALSE(MciInterpreter::ErrorString(263, tiny, sizeof tiny));
    EXPECT_STREQ(tiny, "");
}

TEST_F(MciInterpreterTest, CloseAllLeavesNothingOpen) {
    ASSERT_EQ(Reply("open cdaudio"), "");
    mci.CloseAll();
    EXPECT_EQ(Reply("status cdaudio mode"), "code 263");
}

}  // namespace
}  // namespace velmoran
