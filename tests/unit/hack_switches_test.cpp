#include "saver/startup/hack_switches.h"

#include <gtest/gtest.h>

namespace velmoran {
namespace {

TEST(HackSwitches, RootOrAGivenWindowWithOneOrTwoDashes) {
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"-root", std::nullopt},          {"--root", std::nullopt},         {" -root -fps", std::nullopt},
        {"-window-id 12", 12u},           {"--window-id 0x1a", 26u},        {"-window-id 0XFF", 255u},
        {"--window-id=0x400007", 0x400007u}, {"-root --window-id 5", 5u},   {"-window-id 3 -root", 3u},
        {"-window-id", 0u},               {"-window-id x", 0u},             {"-window-id 0x", 0u},
        {"-window-id -1", 0u},            {"-window-id 4294967296", 0u},    {"-window-id 4294967295", 0xFFFFFFFFu},
    };
    for (const auto& [line, window] : cases) {
        const auto hack = HackSwitchesOf(line);
        ASSERT_TRUE(hack) << line;
        EXPECT_EQ(hack->window, window) << line;
    }
}

TEST(HackSwitches, OnlyAFirstWordThatIsOneMakesAHack) {
    for (const char* line : {"", "/s", "/s -root", "-s", "/p 1234", "/c", "/root", "-rootless", "root", "-r",
                             "-window", "-fps -root", "---root", "-Root"})
        EXPECT_FALSE(HackSwitchesOf(line)) << '"' << line << '"';
}

TEST(HackSwitches, WindowIdsAsXScreenSaverWritesThem) {
    EXPECT_EQ(WindowIdOf("0x600008"), 0x600008u);
    EXPECT_EQ(WindowIdOf(" 6291464 "), 6291464u);
    EXPECT_EQ(WindowIdOf("0x"), 0u);
    EXPECT_EQ(WindowIdOf("12abc"), 0u);
    EXPECT_EQ(WindowIdOf("+12"), 0u);
    EXPECT_EQ(WindowIdOf("0x1FFFFFFFF"), 0u);
}

TEST(HackSwitches, APaneOfAtMostHalfTheScreenHoldsThePreview) {
    EXPECT_TRUE(HoldsPreview({320, 240, 1280, 1024}));
    EXPECT_TRUE(HoldsPreview({640, 1024, 1280, 1024}));
    EXPECT_TRUE(HoldsPreview({1280, 512, 1280, 1024}));
    EXPECT_FALSE(HoldsPreview({641, 513, 1280, 1024}));
    EXPECT_FALSE(HoldsPreview({1280, 1024, 1280, 1024}));
    EXPECT_TRUE(HoldsPreview({0, 0, 0, 0})) << "nothing to show a show in";
}

}  // namespace
}  // namespace velmoran
