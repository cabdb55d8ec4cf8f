#include "saver/settings/ini_text.h"

#include <optional>
#include <vector>

namespace velmoran {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
        // The second byte of a double-byte character may look like a letter.
        if (IsLeadByte(a[i]) && i + 1 < a.size()) {
            ++i;
            if (a[i] != b[i]) return false;
        }
    }
    return true;
}

struct Line {
    std::size_t begin;  // first byte
    std::size_t end;    // past the content, before its line break
    std::size_t next;   // first byte of the following line
};

// Lines end at LF (a CR before it belongs to the break). Where no LF follows,
// they end at CR, as the system's reader splits a file written with CR alone.
std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    const std::size_t lastLf = text.rfind('\n');
    std::size_t begin = 0;
    while (begin < text.size()) {
        const bool lfFollows = lastLf != std::string_view::npos && lastLf >= begin;
        const std::size_t at = text.find(lfFollows ? '\n' : '\r', begin);
        if (at == std::string_view::npos) {
            lines.push_back({begin, text.size(), text.size()});
            break;
        }
        const std::size_t end = lfFollows && at > begin && text[at - 1] == '\r' ? at - 1 : at;
        lines.push_back({begin, end, at + 1});
        begin = at + 1;
    }
    return lines;
}

enum class LineKind { Blank, Section, Entry };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::string_view name;
    std::string_view value;
};

ParsedLine Parse(std::string_view content) {
    std::string_view line = Trim(content);
    if (line.empty()) return {};
    // "[name]" heads a section; a "[" without a "]" after it heads none, and
    // the system reads the line as a key like any other.
    if (const std::size_t close = line.rfind(']'); line.front() == '[' && close != std::string_view::npos)
        return {LineKind::Section, Trim(line.substr(1, close - 1)), {}};
    // A line without "=" is a key without a value, as the system reads it.
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {LineKind::Entry, line, {}};
    return {LineKind::Entry, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

// Where a key of a section lies in the text's lines.
struct Place {
    std::optional<std::size_t> header;  // the section's "[...]" line
    std::optional<std::size_t> entry;   // the key's line
    std::size_t lastFilled = 0;         // the section's last line that is not blank
};

Place Locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
             std::string_view key) {
    Place place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine line = Parse(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
        if (line.kind == LineKind::Section) {
            if (place.header) break;
            if (SameName(line.name, section)) place.header = place.lastFilled = i;
        } else if (line.kind == LineKind::Entry && place.header) {
            place.lastFilled = i;
            if (!place.entry && SameName(line.name, key)) place.entry = i;
        }
    }
    return place;
}

// The system hands a value out as a NUL-terminated string: a NUL in the file
// ends it there.
std::string_view UpToNul(std::string_view value) { return value.substr(0, value.find('\0')); }

std::string_view Unquoted(std::string_view value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

std::string_view LineBreakOf(std::string_view text) {
    if (text.find("\r\n") != std::string_view::npos) return "\r\n";
    if (text.find('\n') != std::string_view::npos) return "\n";
    return text.find('\r') != std::string_view::npos ? "\r" : "\r\n";
}

std::string Entry(std::string_view key, std::string_view value) {
    std::string entry(key);
    entry += '=';
    entry += value;
    return entry;
}

std::string WithSectionAppended(std::string_view text, const std::vector<Line>& lines,
                                std::string_view section, std::string_view entry,
                                std::string_view lineBreak) {
    std::string out(text);
    const bool lastLineOpen = !lines.empty() && lines.back().end == text.size();
    if (lastLineOpen) out += lineBreak;
    const bool endsBlank = lines.empty() ||
                           Parse(text.substr(lines.back().begin, lines.back().end - lines.back().begin))
                                   .kind == LineKind::Blank;
    if (!endsBlank) out += lineBreak;
    out += '[';
    out += section;
    out += ']';
    out += lineBreak;
    out += entry;
    out += lineBreak;
    return out;
}

}  // namespace

std::string IniValue(std::string_view text, std::string_view section, std::string_view key) {
    const std::vector<Line> lines = SplitLines(text);
    const Place place = Locate(text, lines, section, key);
    if (!place.entry) return {};
    const Line& line = lines[*place.entry];
    return std::string(Unquoted(UpToNul(Parse(text.substr(line.begin, line.end - line.begin)).value)));
}

std::string IniWithValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
    while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
    const std::string_view lineBreak = LineBreakOf(text);
    const std::vector<Line> lines = SplitLines(text);
    const Place place = Locate(text, lines, section, key);
    std::string out(text);
    if (place.entry) {
        const Line& line = lines[*place.entry];
        const std::string_view storedKey = Parse(text.substr(line.begin, line.end - line.begin)).name;
        out.replace(line.begin, line.end - line.begin, Entry(storedKey, value));
    } else if (place.header) {
        const Line& after = lines[place.lastFilled];
        std::string added = after.next == after.end ? std::string(lineBreak) : std::string();
        added += Entry(key, value);
        added += lineBreak;
        out.insert(after.next, added);
    } else {
        out = WithSectionAppended(text, lines, section, Entry(key, value), lineBreak);
    }
    return out;
}

}  // namespace velmoran
