#include "saver/x11_fltk/forms/fltk_file_chooser.h"

#include <gtest/gtest.h>

namespace velmoran {
namespace {

TEST(FileChooserFilter, PatternsJoinIntoOneFltkPattern) {
    EXPECT_EQ(FltkFilter("BGMﾌｧｲﾙ (MP3 WAV)", "*.MP3;*.WAV"), "BGMﾌｧｲﾙ （MP3 WAV）\t{*.MP3,*.WAV}");
    EXPECT_EQ(FltkFilter("All", "*"), "All\t{*}");
}

TEST(FileChooserFilter, FltksOwnCharactersAreQuotedAndBreaksLeftOut) {
    EXPECT_EQ(FltkFilter("a\tb\nc", "{x},[y]|z\\"), "abc\t{\\{x\\}\\,\\[y\\]\\|z\\\\}");
}

}  // namespace
}  // namespace velmoran
