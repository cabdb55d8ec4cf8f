#include "saver/dialog/label_lines.h"

#include <gtest/gtest.h>

namespace velmoran {
namespace {

using Lines = std::vector<std::string>;

// One unit a byte: an ASCII character is 1 wide, a Japanese character 3.
double Bytes(std::string_view text) { return double(text.size()); }

Lines Break(std::string_view text, double width) { return LabelLines(text, width, Bytes); }

TEST(LabelLines, BreakAtTheLastSpaceThatLetsTheLineFit) {
    EXPECT_EQ(Break("short", 10), Lines{"short"});
    EXPECT_EQ(Break("alpha beta gamma", 10), (Lines{"alpha beta", "gamma"}));
    EXPECT_EQ(Break("alpha beta gamma", 12), (Lines{"alpha beta", "gamma"}));
    EXPECT_EQ(Break("C:\\My Music\\song one.mp3", 14), (Lines{"C:\\My", "Music\\song", "one.mp3"}));
}

TEST(LabelLines, TheSpacesOfABreakShowOnNeitherLine) {
    EXPECT_EQ(Break("one   two", 4), (Lines{"one", "two"}));
    EXPECT_EQ(Break("one   twothree", 8), (Lines{"one", "twothree"}));
    EXPECT_EQ(Break("  indented", 20), Lines{"  indented"});
}

TEST(LabelLines, AWordWiderThanALineIsBrokenWhereItOverflows) {
    EXPECT_EQ(Break("/home/someone/music/long.mp3", 10), (Lines{"/home/some", "one/music/", "long.mp3"}));
    // It starts a line of its own first.
    EXPECT_EQ(Break("ab averyveryverylongword", 10), (Lines{"ab", "averyveryv", "erylongwor", "d"}));
}

TEST(LabelLines, ALineHoldsAtLeastOneCharacterAndNeverHalfOfOne) {
    EXPECT_EQ(Break("abc", 0.5), (Lines{"a", "b", "c"}));
    EXPECT_EQ(Break("曲目曲目曲", 7), (Lines{"曲目", "曲目", "曲"}));
    EXPECT_EQ(Break("曲", 1), Lines{"曲"});
}

TEST(LabelLines, LineFeedsEndLines) {
    EXPECT_EQ(Break("first\nsecond", 100), (Lines{"first", "second"}));
    EXPECT_EQ(Break("first\r\n\r\nthird", 100), (Lines{"first", "", "third"}));
    EXPECT_EQ(Break("", 100), Lines{});
}

TEST(LabelLines, MeasuresWhatWouldBeDrawn) {
    // Narrow and wide letters: the fit is decided by the measured width,
    // not by the count of characters.
    const TextWidth measure = [](std::string_view text) {
        double width = 0;
        for (char c : text) width += c == 'W' ? 3 : 1;
        return width;
    };
    EXPECT_EQ(LabelLines("WWWiii", 7, measure), (Lines{"WW", "Wiii"}));
}

}  // namespace
}  // namespace velmoran
