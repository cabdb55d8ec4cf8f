#include "saver/settings/ini_text.h"

#include <gtest/gtest.h>

#include "saver/settings/settings.h"

namespace velmoran {
namespace {

const std::string kKind = kKeyBgmKind;
const std::string kFile = kKeyBgmFile;

TEST(IniText, FindsKeysWithoutRegardToCaseOrBlanks) {
    const std::string text =
        "; settings\r\n"
        "[Other]\r\n"
        "Key=other\r\n"
        "  [ section ]  \r\n"
        "  key  =  spaced value  \r\n"
        "\t" + kKind + "\t=\t2\r\n";
    EXPECT_EQ(IniValue(text, "Section", "KEY"), "spaced value");
    EXPECT_EQ(IniValue(text, "SECTION", kKind), "2");
    EXPECT_EQ(IniValue(text, "other", "key"), "other");
}

TEST(IniText, MissingSectionOrKeyReadsEmpty) {
    const std::string text = "[Section]\nA=1\n[B]\nC=2\n";
    EXPECT_EQ(IniValue(text, "Section", "C"), "");
    EXPECT_EQ(IniValue(text, "Missing", "A"), "");
    EXPECT_EQ(IniValue("", "Section", "A"), "");
    EXPECT_EQ(IniValue("A=1\n", "Section", "A"), "") << "a key before any section belongs to none";
}

TEST(IniText, FirstSectionAndFirstKeyOfTheNameWin) {
    const std::string text = "[S]\nA=1\nA=2\n[S]\nA=3\nB=4\n";
    EXPECT_EQ(IniValue(text, "S", "A"), "1");
    EXPECT_EQ(IniValue(text, "S", "B"), "") << "the system looks only in the first section of a name";
}

TEST(IniText, ValuesKeepInnerBlanksAndEqualSignsAndLoseSurroundingQuotes) {
    const std::string text = "[S]\nA=x = y\nB=\"C:\\a b.mp3\"\nC='q'\nD=\"open\nE=\nF\n";
    EXPECT_EQ(IniValue(text, "S", "A"), "x = y");
    EXPECT_EQ(IniValue(text, "S", "B"), "C:\\a b.mp3");
    EXPECT_EQ(IniValue(text, "S", "C"), "q");
    EXPECT_EQ(IniValue(text, "S", "D"), "\"open");
    EXPECT_EQ(IniValue(text, "S", "E"), "");
    EXPECT_EQ(IniValue(text, "S", "F"), "");
}

TEST(IniText, DoubleByteCharactersAreNotCaseFolded) {
    // 0x83 0x41 and 0x83 0x61 are two different katakana; their second bytes
    // look like "A" and "a".
    const std::string text = "[S]\nK\x83\x41=1\n";
    EXPECT_EQ(IniValue(text, "S", "k\x83\x41"), "1");
    EXPECT_EQ(IniValue(text, "S", "K\x83\x61"), "");
}

TEST(IniText, WriteReplacesTheKeysLineInPlaceAndKeepsEverythingElse) {
    const std::string text =
        "; comment stays\r\n"
        "[Other]\r\n"
        "X = 1 \r\n"
        "\r\n"
        "[Section]\r\n"
        "  " + kKind + " = 1  \r\n"
        "; another comment\r\n"
        "junk line\r\n"
        "\r\n"
        "[Last]\r\n"
        "Y=2";
    const std::string expected =
        "; comment stays\r\n"
        "[Other]\r\n"
        "X = 1 \r\n"
        "\r\n"
        "[Section]\r\n" +
        kKind + "=2\r\n"
        "; another comment\r\n"
        "junk line\r\n"
        "\r\n"
        "[Last]\r\n"
        "Y=2";
    EXPECT_EQ(IniWithValue(text, "section", kKind, "2"), expected);
}

// Three files the system's own reader takes apart differently from a naive
// reader: lines broken with CR alone, a "[" that never closes, a NUL in a value.
TEST(IniText, LinesBrokenWithCarriageReturnsAloneAreLines) {
    const std::string text = "[Other]\rA=other\r[Section]\rA=1\rB= two \r";
    EXPECT_EQ(IniValue(text, "Section", "A"), "1");
    EXPECT_EQ(IniValue(text, "Section", "B"), "two");
    EXPECT_EQ(IniValue(text, "Other", "A"), "other");
    // Once an LF follows, lines run to it: a CR before it is only a blank.
    EXPECT_EQ(IniValue("[S]\rA=1\rB=2\n", "S", "A"), "") << "the first line is \"[S]\\rA=1\\rB=2\"";
    EXPECT_EQ(IniValue("[S]\nA=1\rB=2\n", "S", "A"), "1\rB=2");
    EXPECT_EQ(IniValue("[S]\nA=1\rB=2", "S", "B"), "2") << "after the last LF, CR breaks lines again";
}

TEST(IniText, WritingIntoACarriageReturnFileKeepsItsLineBreak) {
    const std::string text = "[Section]\rA=1\r";
    EXPECT_EQ(IniWithValue(text, "Section", "A", "2"), "[Section]\rA=2\r");
    EXPECT_EQ(IniWithValue(text, "Section", "B", "3"), "[Section]\rA=1\rB=3\r");
    EXPECT_EQ(IniWithValue(text, "New", "C", "4"), "[Section]\rA=1\r\r[New]\rC=4\r");
    EXPECT_EQ(IniValue(IniWithValue(text, "New", "C", "4"), "Section", "A"), "1");
}

TEST(IniText, AnUnclosedBracketHeadsNoSection) {
    const std::string text = "[Section]\r\nA=1\r\n[Other\r\nB=2\r\n";
    EXPECT_EQ(IniValue(text, "Other", "B"), "") << "no section named Other";
    EXPECT_EQ(IniValue(text, "Section", "B"), "2") << "B stays in the section before";
    EXPECT_EQ(IniValue("[Section\r\nA=1\r\n", "Section", "A"), "");
    EXPECT_EQ(IniValue("[a]b]\nA=1\n", "a]b", "A"), "1") << "the name runs to the last ]";
    // A write finds the section the reader finds.
    EXPECT_EQ(IniWithValue(text, "Section", "B", "3"), "[Section]\r\nA=1\r\n[Other\r\nB=3\r\n");
}

TEST(IniText, AValueEndsAtANul) {
    using namespace std::string_literals;
    const std::string text = "[S]\r\nA=ab\0cd\r\nB=\"q \0x\"\r\nC=\0\r\n"s;
    EXPECT_EQ(IniValue(text, "S", "A"), "ab");
    EXPECT_EQ(IniValue(text, "S", "B"), "\"q ") << "cut first, then unquoted";
    EXPECT_EQ(IniValue(text, "S", "C"), "");
}

TEST(IniText, WriteAddsAMissingKeyAtTheEndOfItsSection) {
    const std::string text = "[Section]\nA=1\n\n[Next]\nB=2\n";
    EXPECT_EQ(IniWithValue(text, "Section", "C", "3"), "[Section]\nA=1\nC=3\n\n[Next]\nB=2\n");
    EXPECT_EQ(IniWithValue("[Section]", "Section", "C", "3"), "[Section]\r\nC=3\r\n");
    EXPECT_EQ(IniWithValue("[Section]\r\nA=1", "Section", "C", "3"), "[Section]\r\nA=1\r\nC=3\r\n");
}

TEST(IniText, WriteAddsAMissingSectionAtTheEnd) {
    EXPECT_EQ(IniWithValue("", "Section", kFile, "/m/a.mp3"), "[Section]\r\n" + kFile + "=/m/a.mp3\r\n");
    EXPECT_EQ(IniWithValue("[A]\nB=1", "Section", "C", "2"), "[A]\nB=1\n\n[Section]\nC=2\n");
    EXPECT_EQ(IniWithValue("[A]\r\nB=1\r\n\r\n", "Section", "C", "2"), "[A]\r\nB=1\r\n\r\n[Section]\r\nC=2\r\n");
}

TEST(IniText, WrittenValuesReadBackAsWritten) {
    std::string text;
    for (const std::string& value : std::initializer_list<std::string>{"2", "-3", "", "C:\\Music\\曲.mp3", "a=b", "'x'y", std::string(300, 'v')}) {
        text = IniWithValue(text, "Section", kFile, value);
        EXPECT_EQ(IniValue(text, "Section", kFile), value);
    }
    EXPECT_EQ(IniWithValue("", "S", "K", "  lead"), "[S]\r\nK=lead\r\n") << "leading blanks are dropped";
}

}  // namespace
}  // namespace velmoran
