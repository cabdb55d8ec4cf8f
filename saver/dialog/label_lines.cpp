#include "saver/dialog/label_lines.h"

namespace velmoran {
namespace {

// Where the UTF-8 character that starts at `at` ends.
std::size_t CharacterEnd(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    return end;
}

std::size_t SkipSpaces(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] == ' ') ++at;
    return at;
}

std::string_view TrimEndSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// How much of `text` fits `width`: the end of its longest beginning that
// does, and at least its first character.
std::size_t FittingEnd(std::string_view text, double width, const TextWidth& measure) {
    std::size_t end = CharacterEnd(text, 0);
    while (end < text.size()) {
        const std::size_t next = CharacterEnd(text, end);
        if (measure(text.substr(0, next)) > width) break;
        end = next;
    }
    return end;
}

// A paragraph, holding no line feed, into lines.
void BreakParagraph(std::string_view text, double width, const TextWidth& measure, std::vector<std::string>& lines) {
    if (text.empty()) {
        lines.emplace_back();
        return;
    }
    while (!text.empty()) {
        const std::size_t end = FittingEnd(text, width, measure);
        if (end == text.size()) {
            lines.emplace_back(text);
            return;
        }
        // The character at `end` overflows: the line ends at the space
        // before it, or there, in the middle of a word that has no room of
        // its own.
        std::size_t lineEnd = end;
        if (text[end] != ' ') {
            const std::size_t space = text.rfind(' ', end - 1);
            if (space != std::string_view::npos) lineEnd = space;
        }
        lines.emplace_back(TrimEndSpaces(text.substr(0, lineEnd)));
        text.remove_prefix(SkipSpaces(text, lineEnd));
    }
}

}  // namespace

std::vector<std::string> LabelLines(std::string_view text, double width, const TextWidth& measure) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t feed = text.find('\n');
        std::string_view paragraph = text.substr(0, feed);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        BreakParagraph(paragraph, width, measure, lines);
        if (feed == std::string_view::npos) break;
        text.remove_prefix(feed + 1);
    }
    return lines;
}

}  // namespace velmoran
