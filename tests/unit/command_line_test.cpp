#include "saver/startup/command_line.h"

#include <gtest/gtest.h>

namespace velmoran {
namespace {

TEST(CommandLine, ModeLetterIsTheSecondCharacterInUpperCase) {
    const std::pair<const char*, char> cases[] = {
        {"/s", 'S'},      {"/S", 'S'},      {"-s", 'S'},  {"xs", 'S'},      {"/S extra", 'S'},
        {"/p 1234", 'P'}, {"/p:1234", 'P'}, {"/c", 'C'},  {"/C", 'C'},      {"/c:1234", 'C'},
        {"/a", 'A'},      {"/", '\0'},      {"", '\0'},   {"s", '\0'},      {" /s", '/'},
    };
    for (const auto& [line, letter] : cases) EXPECT_EQ(ModeLetter(line), letter) << '"' << line << '"';
}

TEST(CommandLine, PreviewHostIsTheNumberFromTheFourthCharacter) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"/p 1234", 1234},     {"/p:1234", 1234},  {"/P 1234", 1234},   {"/p1234", 234},
        {"/p  77 extra", 77},  {"/p 12.4", 12},    {"/p 12.6", 13},     {"/p 2.5", 2},
        {"/p +9", 9},          {"/p", 0},          {"/p ", 0},          {"/p x12", 0},
        {"/p 4294967296", 0},  {"/p 2147483647", 2147483647u},          {"/p -1", 0xFFFFFFFFu},
        {"/p 1e3", 1000},
    };
    for (const auto& [line, host] : cases) EXPECT_EQ(PreviewHost(line), host) << '"' << line << '"';
}

}  // namespace
}  // namespace velmoran
