// The grammar of media control command strings.
#include "saver/mci/request.h"

#include <gtest/gtest.h>

#include "saver/mci/errors.h"

namespace velmoran::mci {
namespace {

using Words = std::vector<std::string>;

TEST(MciRequest, VerbDeviceAndWordsWithQuotedNamesKeptWhole) {
    Request r;
    ASSERT_EQ(Parse("OPEN \"/music/my song.mp3\" type MPEGVideo Alias MP3Play", r), kOk);
    EXPECT_EQ(r.verb, "open");
    EXPECT_EQ(r.device, "/music/my song.mp3");
    EXPECT_EQ(r.words, (Words{"type", "MPEGVideo", "Alias", "MP3Play"}));

    ASSERT_EQ(Parse("  status\tcdaudio   position track \"2\"  ", r), kOk);
    EXPECT_EQ(r.verb, "status");
    EXPECT_EQ(r.device, "cdaudio");
    EXPECT_EQ(r.words, (Words{"position", "track", "2"}));
}

TEST(MciRequest, WaitAndNotifyAreDroppedInAnyCase) {
    Request r;
    ASSERT_EQ(Parse("play cdaudio from 1 WAIT to 2 Notify", r), kOk);
    EXPECT_EQ(r.words, (Words{"from", "1", "to", "2"}));
}

TEST(MciRequest, MalformedCommandsGiveTheirCodes) {
    Request r;
    EXPECT_EQ(Parse("", r), kMissingCommandString);
    EXPECT_EQ(Parse("   ", r), kMissingCommandString);
    EXPECT_EQ(Parse(nullptr, r), kMissingCommandString);
    EXPECT_EQ(Parse("close", r), kMissingDeviceName);
    EXPECT_EQ(Parse("open \"unclosed name.mp3", r), kMissingStringArgument);
}

TEST(MciOptions, KeywordsTakeTheWordAfterThem) {
    Options options;
    ASSERT_EQ(ParseOptions({"FROM", "5", "to", "9"}, {"from", "to"}, options), kOk);
    ASSERT_NE(options.Find("from"), nullptr);
    EXPECT_EQ(*options.Find("from"), "5");
    EXPECT_EQ(*options.Find("to"), "9");
    EXPECT_EQ(options.Find("alias"), nullptr);

    Options other;
    EXPECT_EQ(ParseOptions({"from", "5", "speed", "2"}, {"from", "to"}, other), kUnrecognizedKeyword);
    EXPECT_EQ(ParseOptions({"from"}, {"from", "to"}, other), kMissingParameter);
}

TEST(MciOptions, NumbersAreWholeAndNotNegative) {
    EXPECT_EQ(Number("0"), 0);
    EXPECT_EQ(Number("4500"), 4500);
    EXPECT_EQ(Number("-1"), std::nullopt);
    EXPECT_EQ(Number("12ms"), std::nullopt);
    EXPECT_EQ(Number(""), std::nullopt);
    EXPECT_EQ(Phrase({"Time", "FORMAT", "tmsf"}), "time format tmsf");
}

}  // namespace
}  // namespace velmoran::mci
