// A music file as a media device, over a stream the test moves on: play,
// stop, seek and status as the music player uses them, and where a plain
// play goes on from.
#include "saver/mci/file_device.h"

#include <gtest/gtest.h>

#include "mci_fakes.h"

namespace velmoran::testing {
namespace {

class FileDeviceTest : public ::testing::Test {
protected:
    FileDeviceTest() {
        auto owned = std::make_unique<FakeStream>(10.0);
        stream = owned.get();
        device = std::make_unique<FileDevice>(std::move(owned));
    }
    std::string Ask(const char* command) { return Answer(*device, command); }

    FakeStream* stream = nullptr;
    std::unique_ptr<FileDevice> device;
};

TEST_F(FileDeviceTest, PlaysFromTheStartAndReportsWhereItIs) {
    EXPECT_EQ(Ask("status MP3Play mode"), "stopped");
    ASSERT_EQ(Ask("play MP3Play"), "");
    EXPECT_EQ(stream->starts, std::vector<double>{0.0});
    EXPECT_EQ(Ask("status MP3Play mode"), "playing");
    stream->position = 2.5;
    EXPECT_EQ(Ask("status MP3Play position"), "2500");
    EXPECT_EQ(Ask("status MP3Play length"), "10000");
    EXPECT_EQ(Ask("play MP3Play"), "") << "playing already";
    EXPECT_EQ(stream->starts.size(), 1u);
}

TEST_F(FileDeviceTest, AtItsEndItRestsStoppedThereUntilPlayedFromTheStart) {
    ASSERT_EQ(Ask("play MP3Play"), "");
    stream->playing = false;  // the file has played to its end
    EXPECT_EQ(Ask("status MP3Play mode"), "stopped");
    EXPECT_EQ(Ask("status MP3Play position"), "10000");
    ASSERT_EQ(Ask("play MP3Play"), "") << "from the end: nothing left to hear";
    EXPECT_EQ(stream->starts.size(), 1u);
    EXPECT_EQ(Ask("status MP3Play mode"), "stopped");
    // What the music player sends to repeat it.
    ASSERT_EQ(Ask("stop MP3Play"), "");
    ASSERT_EQ(Ask("play MP3Play from 0"), "");
    EXPECT_EQ(stream->starts, (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(Ask("status MP3Play mode"), "playing");
}

TEST_F(FileDeviceTest, APlainPlayGoesOnFromWhereItStopped) {
    ASSERT_EQ(Ask("play MP3Play from 1500"), "");
    stream->position = 3.25;
    ASSERT_EQ(Ask("stop MP3Play"), "");
    EXPECT_FALSE(stream->playing);
    EXPECT_EQ(Ask("status MP3Play position"), "3250");
    ASSERT_EQ(Ask("play MP3Play"), "");
    EXPECT_EQ(stream->starts, (std::vector<double>{1.5, 3.25}));
}

TEST_F(FileDeviceTest, SeekSetsWherePlayGoesOn) {
    ASSERT_EQ(Ask("seek MP3Play to 4000"), "");
    EXPECT_EQ(Ask("status MP3Play position"), "4000");
    ASSERT_EQ(Ask("seek MP3Play to end"), "");
    EXPECT_EQ(Ask("status MP3Play position"), "10000");
    ASSERT_EQ(Ask("seek MP3Play to start"), "");
    ASSERT_EQ(Ask("play MP3Play"), "");
    EXPECT_EQ(stream->starts, std::vector<double>{0.0});
    EXPECT_EQ(Ask("seek MP3Play 4000"), "code 273");
    EXPECT_EQ(Ask("seek MP3Play to later"), "code 270");
}

TEST_F(FileDeviceTest, TimeFormatIsMillisecondsOnly) {
    EXPECT_EQ(Ask("set MP3Play time format milliseconds"), "");
    EXPECT_EQ(Ask("set MP3Play time format ms"), "");
    EXPECT_EQ(Ask("status MP3Play time format"), "milliseconds");
    EXPECT_EQ(Ask("set MP3Play time format frames"), "code 293");
    EXPECT_EQ(Ask("set MP3Play audio all off"), "code 274");
}

TEST_F(FileDeviceTest, BadRequestsGiveTheirCodesAndPlayNothing) {
    EXPECT_EQ(Ask("play MP3Play from 10001"), "code 282");
    EXPECT_EQ(Ask("play MP3Play to 5000"), "code 274");
    EXPECT_EQ(Ask("play MP3Play from soon"), "code 270");
    EXPECT_EQ(Ask("play MP3Play from"), "code 273");
    EXPECT_EQ(Ask("stop MP3Play now"), "code 259");
    EXPECT_EQ(Ask("status MP3Play volume"), "code 259");
    EXPECT_EQ(Ask("pause MP3Play"), "code 261");
    EXPECT_TRUE(stream->starts.empty());
    stream->startWorks = false;
    EXPECT_EQ(Ask("play MP3Play"), "code 262");
    EXPECT_EQ(Ask("status MP3Play mode"), "stopped");
}

}  // namespace
}  // namespace velmoran::testing
