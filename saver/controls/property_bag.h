// The property bag a host hands to a control to load its saved properties
// from and to save them into. Values are texts, or a font object; keys are
// matched without regard to letter case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "saver/controls/button_font.h"

namespace velmoran {

using PropertyValue = std::variant<std::string, ButtonFont>;

class PropertyBag {
public:
    virtual ~PropertyBag() = default;

    // The value stored under key, or fallback when there is none.
    virtual PropertyValue ReadProperty(std::string_view key, const PropertyValue& fallback) const = 0;

    // Stores value under key; a value equal to fallback is left out of the bag.
    virtual void WriteProperty(std::string_view key, const PropertyValue& value,
                               const PropertyValue& fallback) = 0;
};

// A bag held in memory, entries in the order they were first written. Hosts
// fill one from their stored design data with Set.
class MemoryPropertyBag final : public PropertyBag {
public:
    using Entry = std::pair<std::string, PropertyValue>;

    MemoryPropertyBag() = default;
    MemoryPropertyBag(std::initializer_list<Entry> entries);

    PropertyValue ReadProperty(std::string_view key, const PropertyValue& fallback) const override;
    void WriteProperty(std::string_view key, const PropertyValue& value,
                       const PropertyValue& fallback) override;

    void Set(std::string_view key, PropertyValue value);
    const PropertyValue* Find(std::string_view key) const;
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

// Conversions of stored values, each failing (nullopt) where the value is not
// of that kind or out of the range of the type it goes into.
std::optional<bool> ToBoolean(const PropertyValue& value);      // "True"/"False" or a number
std::optional<std::int64_t> ToInteger(const PropertyValue& value, std::int64_t low, std::int64_t high);
std::optional<std::string> ToText(const PropertyValue& value);
std::optional<ButtonFont> ToFont(const PropertyValue& value);

// The texts booleans and integers are stored as.
std::string BooleanText(bool value);  // "-1" or "0"
std::string IntegerText(std::int64_t value);

}  // namespace velmoran
