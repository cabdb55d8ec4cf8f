// A media control command string taken apart: "<verb> <device> <words...>",
// where a double-quoted name may hold spaces. Keywords compare without
// regard to case; "wait" and "notify" are dropped, since every command
// completes before it returns and nobody is notified.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmoran::mci {

struct Request {
    std::string verb;    // in lower case
    std::string device;  // as given, without its quotes
    std::vector<std::string> words;
};

// 0 and the request, or the error code of a malformed command.
std::int32_t Parse(const char* command, Request& request);

bool SameWord(std::string_view a, std::string_view b);
std::string Lower(std::string_view text);
// The words joined by single spaces, in lower case.
std::string Phrase(const std::vector<std::string>& words);
// A whole non-negative decimal number.
std::optional<std::int64_t> Number(std::string_view text);

// The words as keyword/value pairs ("from 0 to 5"), for the keywords given.
// 0 and the values found, or the error code for an unknown keyword or a
// keyword without its value.
struct Options {
    std::vector<std::pair<std::string, std::string>> values;  // keyword in lower case
    const std::string* Find(std::string_view keyword) const;
};
std::int32_t ParseOptions(const std::vector<std::string>& words, const std::vector<std::string_view>& keywords,
                          Options& options);

}  // namespace velmoran::mci
