#include "saver/mci/request.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "saver/mci/errors.h"

namespace velmoran::mci {
namespace {

// Splits at blanks; a quoted name is one token.
std::int32_t Tokens(std::string_view text, std::vector<std::string>& tokens) {
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i == text.size()) return kOk;
        if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) return kMissingStringArgument;
            tokens.emplace_back(text.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        tokens.emplace_back(text.substr(start, i - start));
    }
}

}  // namespace

std::int32_t Parse(const char* command, Request& request) {
    std::vector<std::string> tokens;
    if (const std::int32_t code = Tokens(command ? command : "", tokens); code != kOk) return code;
    if (tokens.empty()) return kMissingCommandString;
    if (tokens.size() < 2) return kMissingDeviceName;
    request.verb = Lower(tokens[0]);
    request.device = tokens[1];
    request.words.clear();
    for (std::size_t i = 2; i < tokens.size(); ++i)
        if (!SameWord(tokens[i], "wait") && !SameWord(tokens[i], "notify")) request.words.push_back(tokens[i]);
    return kOk;
}

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string Phrase(const std::vector<std::string>& words) {
    std::string phrase;
    for (const std::string& word : words) {
        if (!phrase.empty()) phrase += ' ';
        phrase += Lower(word);
    }
    return phrase;
}

std::optional<std::int64_t> Number(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < 0) return std::nullopt;
    return value;
}

const std::string* Options::Find(std::string_view keyword) const {
    for (const auto& [key, value] : values)
        if (key == keyword) return &value;
    return nullptr;
}

std::int32_t ParseOptions(const std::vector<std::string>& words, const std::vector<std::string_view>& keywords,
                          Options& options) {
    for (std::size_t i = 0; i < words.size(); i += 2) {
        const std::string key = Lower(words[i]);
        if (std::find(keywords.begin(), keywords.end(), key) == keywords.end()) return kUnrecognizedKeyword;
        if (i + 1 == words.size()) return kMissingParameter;
        options.values.emplace_back(key, words[i + 1]);
    }
    return kOk;
}

}  // namespace velmoran::mci
