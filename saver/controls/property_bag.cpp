#include "saver/controls/property_bag.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace velmoran {
namespace {

bool SameKey(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// "&H" followed by up to eight hex digits (an optional trailing "&"), read as
// a signed 32-bit value the way the notation is written for colours.
std::optional<double> ParseHex(std::string_view s) {
    s.remove_prefix(2);
    if (!s.empty() && s.back() == '&') s.remove_suffix(1);
    std::uint32_t bits = 0;
    if (s.empty() || s.size() > 8) return std::nullopt;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), bits, 16);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return s.size() > 4 ? double(std::int32_t(bits)) : double(std::int16_t(std::uint16_t(bits)));
}

std::optional<double> ParseNumber(std::string_view text) {
    std::string_view s = Trim(text);
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) return ParseHex(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

MemoryPropertyBag::MemoryPropertyBag(std::initializer_list<Entry> entries) {
    for (const Entry& e : entries) Set(e.first, e.second);
}

const PropertyValue* MemoryPropertyBag::Find(std::string_view key) const {
    for (const Entry& e : entries_)
        if (SameKey(e.first, key)) return &e.second;
    return nullptr;
}

void MemoryPropertyBag::Set(std::string_view key, PropertyValue value) {
    for (Entry& e : entries_)
        if (SameKey(e.first, key)) {
            e.second = std::move(value);
            return;
        }
    entries_.emplace_back(std::string(key), std::move(value));
}

PropertyValue MemoryPropertyBag::ReadProperty(std::string_view key, const PropertyValue& fallback) const {
    const PropertyValue* found = Find(key);
    return found ? *found : fallback;
}

void MemoryPropertyBag::WriteProperty(std::string_view key, const PropertyValue& value,
                                      const PropertyValue& fallback) {
    if (value != fallback) {
        Set(key, value);
        return;
    }
    std::erase_if(entries_, [&](const Entry& e) { return SameKey(e.first, key); });
}

std::optional<bool> ToBoolean(const PropertyValue& value) {
    const std::string* text = std::get_if<std::string>(&value);
    if (!text) return std::nullopt;
    std::string_view s = Trim(*text);
    if (SameKey(s, "true")) return true;
    if (SameKey(s, "false")) return false;
    std::optional<double> number = ParseNumber(s);
    if (!number) return std::nullopt;
    return *number != 0;
}

std::optional<std::int64_t> ToInteger(const PropertyValue& value, std::int64_t low, std::int64_t high) {
    const std::string* text = std::get_if<std::string>(&value);
    if (!text) return std::nullopt;
    std::optional<double> number = ParseNumber(*text);
    if (!number) return std::nullopt;
    double rounded = std::nearbyint(*number);  // halves go to the even neighbour
    if (rounded < double(low) || rounded > double(high)) return std::nullopt;
    return std::int64_t(rounded);
}

std::optional<std::string> ToText(const PropertyValue& value) {
    if (const std::string* text = std::get_if<std::string>(&value)) return *text;
    return std::nullopt;
}

std::optional<ButtonFont> ToFont(const PropertyValue& value) {
    if (const ButtonFont* font = std::get_if<ButtonFont>(&value)) return *font;
    return std::nullopt;
}

std::string BooleanText(bool value) { return value ? "-1" : "0"; }

std::string IntegerText(std::int64_t value) { return std::to_string(value); }

}  // namespace velmoran
