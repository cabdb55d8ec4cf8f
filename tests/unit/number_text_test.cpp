#include "saver/settings/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace velmoran {
namespace {

TEST(NumberText, WholeNumberTakesBlanksSignFractionAndExponent) {
    const std::pair<const char*, double> cases[] = {
        {"2", 2},    {" 1.9 ", 1.9}, {"-1.5", -1.5}, {"+3", 3}, {"\t7\t", 7},
        {".5", 0.5}, {"4.", 4},      {"1e3", 1000},  {"25E-1", 2.5},
    };
    for (const auto& [text, value] : cases) {
        ASSERT_TRUE(WholeNumber(text).has_value()) << '"' << text << '"';
        EXPECT_DOUBLE_EQ(*WholeNumber(text), value) << '"' << text << '"';
    }
}

TEST(NumberText, WholeNumberRefusesAnythingElse) {
    for (const char* text : {"", " ", "abc", "1x", "1 2", "-", ".", "e3", "--1", "0x10", "inf", "nan", "1,5"})
        EXPECT_FALSE(WholeNumber(text).has_value()) << '"' << text << '"';
}

TEST(NumberText, HugeExponentsAreInfiniteAndTinyOnesZero) {
    EXPECT_TRUE(std::isinf(*WholeNumber("1e400")));
    EXPECT_TRUE(std::isinf(*WholeNumber("-1e400")));
    EXPECT_EQ(*WholeNumber("1e-400"), 0.0);
}

// Beyond the range of a double, where the leading digit stands decides, not
// the exponent's sign alone.
TEST(NumberText, NumbersBeyondTheRangeAreZeroOrInfiniteByTheirSize) {
    const std::string zeros(400, '0');
    EXPECT_EQ(*WholeNumber("0." + zeros + "1"), 0.0);
    EXPECT_EQ(*WholeNumber("-0." + zeros + "1"), 0.0);
    EXPECT_EQ(*WholeNumber("0." + zeros + "1e3"), 0.0);
    EXPECT_TRUE(std::isinf(*WholeNumber("1" + zeros)));
    EXPECT_TRUE(std::isinf(*WholeNumber("1" + zeros + "e-5")));
    EXPECT_TRUE(std::isinf(*WholeNumber("0.001e999999999999999999999")));
    EXPECT_EQ(*WholeNumber("1000e-999999999999999999999"), 0.0);
    EXPECT_EQ(LeadingNumber("0." + zeros + "7 x"), 0.0);
}

TEST(NumberText, LeadingNumberStopsWhereTheNumberEnds) {
    EXPECT_EQ(LeadingNumber("1234"), 1234);
    EXPECT_EQ(LeadingNumber("  56 extra"), 56);
    EXPECT_EQ(LeadingNumber("-7x"), -7);
    EXPECT_EQ(LeadingNumber("1e"), 1);
    EXPECT_EQ(LeadingNumber("x12"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
}

}  // namespace
}  // namespace velmoran
