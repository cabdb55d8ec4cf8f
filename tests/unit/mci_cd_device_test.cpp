// The audio CD as a media device, over a disc held in memory: its replies,
// positions in both time formats, errors, and the audio it hands out.
#include "saver/mci/cd_device.h"

#include <gtest/gtest.h>

#include "mci_fakes.h"

namespace velmoran::testing {
namespace {

constexpr std::size_t kTrackBytes = 40 * kSectorBytes;

class CdDeviceTest : public ::testing::Test {
protected:
    std::string Ask(const char* command) { return Answer(cd, command); }

    // What the sound output gets for `length` bytes.
    std::vector<std::uint8_t> Heard(std::size_t length) {
        std::vector<std::uint8_t> out(length, 0xAA);
        cd.Fill(out.data(), out.size());
        return out;
    }

    MemoryDisc disc{TwoTracks()};
    CdDevice cd{disc};
};

TEST_F(CdDeviceTest, AClosedTrayOfTwoTracksRestsStoppedAtTheFirst) {
    EXPECT_EQ(Ask("status cdaudio number of tracks"), "2");
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(Ask("status cdaudio current track"), "1");
    EXPECT_EQ(Ask("status cdaudio media present"), "true");
    EXPECT_EQ(Ask("status cdaudio time format"), "msf");
    EXPECT_EQ(Ask("status cdaudio position"), "00:02:00");  // msf counts the 2-second lead-in
}

TEST_F(CdDeviceTest, TrackPositionsInMsfAndTmsf) {
    EXPECT_EQ(Ask("status cdaudio position track 2"), "00:02:40");
    ASSERT_EQ(Ask("set cdaudio time format tmsf"), "");
    EXPECT_EQ(Ask("status cdaudio time format"), "tmsf");
    EXPECT_EQ(Ask("status cdaudio position track 1"), "01:00:00:00");
    EXPECT_EQ(Ask("status cdaudio position track 2"), "02:00:00:00");
    EXPECT_EQ(Ask("status cdaudio position track 3"), "code 282");
    EXPECT_EQ(Ask("status cdaudio position track two"), "code 270");
    // Numbers beyond an int are no track, not the track they wrap around to.
    EXPECT_EQ(Ask("status cdaudio position track 4294967297"), "code 282");
    EXPECT_EQ(Ask("status cdaudio position track 4294967298"), "code 282");
    EXPECT_EQ(Ask("status cdaudio position track 99999999999999999999"), "code 270");
    ASSERT_EQ(Ask("set cdaudio time format msf"), "");
    EXPECT_EQ(Ask("status cdaudio position track 2"), "00:02:40");
}

TEST_F(CdDeviceTest, PlayFromATrackUntilStopped) {
    ASSERT_EQ(Ask("set cdaudio time format tmsf"), "");
    ASSERT_EQ(Ask("play cdaudio from 02:00:00:00"), "");
    EXPECT_EQ(Ask("status cdaudio mode"), "playing");
    EXPECT_EQ(Ask("status cdaudio current track"), "2");
    EXPECT_EQ(Heard(1000), Slice(MemoryDisc::Bytes(40, 1), 0, 1000));
    ASSERT_EQ(Ask("stop cdaudio"), "");
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(Ask("status cdaudio current track"), "2") << "it stays where it stopped";
    EXPECT_EQ(Heard(64), std::vector<std::uint8_t>(64, 0)) << "silence while stopped";
    // A plain play goes on from there, in the middle of a sector too.
    ASSERT_EQ(Ask("play cdaudio"), "");
    EXPECT_EQ(Heard(500), Slice(MemoryDisc::Bytes(40, 1), 1000, 500));
}

TEST_F(CdDeviceTest, TheWholeDiscPlaysThroughAndRestsAtItsStart) {
    ASSERT_EQ(Ask("play cdaudio"), "");
    const std::vector<std::uint8_t> heard = Heard(2 * kTrackBytes + 100);
    EXPECT_EQ(Slice(heard, 0, 2 * kTrackBytes), MemoryDisc::Bytes(0, 80));
    EXPECT_EQ(Slice(heard, 2 * kTrackBytes, 100), std::vector<std::uint8_t>(100, 0)) << "silence after the end";
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(Ask("status cdaudio current track"), "1");
}

TEST_F(CdDeviceTest, PlayToAPositionEndsThere) {
    ASSERT_EQ(Ask("set cdaudio time format tmsf"), "");
    ASSERT_EQ(Ask("play cdaudio from 01:00:00:10 to 01:00:00:12"), "");
    const std::vector<std::uint8_t> heard = Heard(3 * kSectorBytes);
    EXPECT_EQ(Slice(heard, 0, 2 * kSectorBytes), MemoryDisc::Bytes(10, 2));
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(Ask("status cdaudio position"), "01:00:00:12") << "not the end of the disc: it rests there";
}

TEST_F(CdDeviceTest, DataTracksAreSteppedOver) {
    MemoryDisc mixed({1, {{0, true}, {10, false}, {20, true}}, 30});
    CdDevice device(mixed);
    ASSERT_EQ(Answer(device, "play cdaudio"), "");
    std::vector<std::uint8_t> heard(20 * kSectorBytes);
    device.Fill(heard.data(), heard.size());
    EXPECT_EQ(Slice(heard, 0, 10 * kSectorBytes), MemoryDisc::Bytes(0, 10));
    EXPECT_EQ(Slice(heard, 10 * kSectorBytes, 10 * kSectorBytes), MemoryDisc::Bytes(20, 10));
}

TEST_F(CdDeviceTest, SeekMovesWithoutPlaying) {
    ASSERT_EQ(Ask("seek cdaudio to 00:02:40"), "");
    EXPECT_EQ(Ask("status cdaudio current track"), "2");
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    ASSERT_EQ(Ask("seek cdaudio to end"), "");
    EXPECT_EQ(Ask("status cdaudio position"), "00:03:05");  // the lead-out, 80 sectors in
    ASSERT_EQ(Ask("seek cdaudio to start"), "");
    EXPECT_EQ(Ask("status cdaudio position"), "00:02:00");
    EXPECT_EQ(Ask("seek cdaudio 5"), "code 273");
}

TEST_F(CdDeviceTest, BadPositionsAndWordsGiveTheirCodes) {
    ASSERT_EQ(Ask("set cdaudio time format tmsf"), "");
    EXPECT_EQ(Ask("play cdaudio from Error:282"), "code 270");
    EXPECT_EQ(Ask("play cdaudio from 01:00:60:00"), "code 270") << "60 seconds";
    EXPECT_EQ(Ask("play cdaudio from 01:00:00:75"), "code 270") << "75 frames";
    EXPECT_EQ(Ask("play cdaudio from 03:00:00:00"), "code 282") << "no track 3";
    EXPECT_EQ(Ask("play cdaudio from 01:00:00:20 to 01:00:00:10"), "code 282") << "backwards";
    EXPECT_EQ(Ask("play cdaudio from 02:00:00:00 speed 2"), "code 259");
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped") << "no failed play started";
    EXPECT_EQ(Ask("set cdaudio time format frames"), "code 293");
    EXPECT_EQ(Ask("set cdaudio door open"), "code 274");
    EXPECT_EQ(Ask("status cdaudio volume"), "code 259");
    EXPECT_EQ(Ask("stop cdaudio now"), "code 259");
    EXPECT_EQ(Ask("eject cdaudio"), "code 261");
}

TEST_F(CdDeviceTest, AStretchThatCannotBeReadStaysSilentAndPlayGoesOn) {
    disc.unreadable = {1};
    ASSERT_EQ(Ask("play cdaudio"), "");
    EXPECT_EQ(Heard(2 * kSectorBytes), std::vector<std::uint8_t>(2 * kSectorBytes, 0));
    EXPECT_EQ(Ask("status cdaudio mode"), "playing");
    EXPECT_EQ(Heard(kSectorBytes), MemoryDisc::Bytes(2, 1));
}

TEST(DiscLayout, PositionsReadAndWrittenInBothFormats) {
    const DiscLayout disc = TwoTracks();
    std::int32_t sector = -1;
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kMsf, "00:02:00", sector), 0);
    EXPECT_EQ(sector, 0);
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kMsf, "0:2:40", sector), 0);
    EXPECT_EQ(sector, 40);
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kMsf, "00:03:05", sector), 0) << "the lead-out is a valid end";
    EXPECT_EQ(sector, 80);
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kTmsf, "2", sector), 0) << "a track alone is its start";
    EXPECT_EQ(sector, 40);
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kTmsf, "1:00:00:39", sector), 0);
    EXPECT_EQ(sector, 39);

    sector = -1;
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kMsf, "00:01:74", sector), 282) << "inside the lead-in";
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kMsf, "00:03:06", sector), 282) << "past the lead-out";
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kMsf, "00:02:00:00", sector), 270);
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kTmsf, "1:2:3:4:5", sector), 270);
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kTmsf, "100:00:00:00", sector), 270);
    EXPECT_EQ(ParsePosition(disc, TimeFormat::kMsf, "00::00", sector), 270);
    EXPECT_EQ(sector, -1) << "a failed parse leaves the sector alone";

    EXPECT_EQ(FormatPosition(disc, TimeFormat::kMsf, 40), "00:02:40");
    EXPECT_EQ(FormatPosition(disc, TimeFormat::kTmsf, 45), "02:00:00:05");
    EXPECT_EQ(FormatPosition(disc, TimeFormat::kTmsf, 0), "01:00:00:00");
}

}  // namespace
}  // namespace velmoran::testing
