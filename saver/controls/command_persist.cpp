// Loading the button from its host's property bag and saving it there.
#include "saver/controls/command.h"

#include <cstdint>
#include <limits>

namespace velmoran {
namespace {

template <typename T>
std::optional<std::int64_t> Read(const PropertyBag& bag, std::string_view key, const char* fallback) {
    return ToInteger(bag.ReadProperty(key, std::string(fallback)), std::numeric_limits<T>::min(),
                     std::numeric_limits<T>::max());
}

}  // namespace

// An entry that cannot be read as what it stands for leaves that property as
// it was.
void Command::UserControl_ReadProperties(const PropertyBag& PropBag) {
    if (auto enabled = ToBoolean(PropBag.ReadProperty("Enabled", BooleanText(true)))) enabled_ = *enabled;
    if (auto caption = ToText(PropBag.ReadProperty("Caption", std::string("Command1"))))
        lblMsg_.text = *caption;
    if (auto font = ToFont(PropBag.ReadProperty("Font", site_.AmbientFont()))) lblMsg_.font = *font;
    if (auto firstRun = Read<std::uint8_t>(PropBag, "FirstRun", "1")) firstRun_ = std::uint8_t(*firstRun);
    if (auto colour = Read<std::int32_t>(PropBag, "FontColour", "0"))
        lblMsg_.colour = std::uint32_t(std::int32_t(*colour));
    if (auto style = Read<std::int16_t>(PropBag, "Visible", "1")) SetBackStyle(std::int16_t(*style));
    surface_.ShowCaption(lblMsg_);
    ResetFace();
}

void Command::UserControl_WriteProperties(PropertyBag& PropBag) {
    PropBag.WriteProperty("Enabled", BooleanText(enabled_), BooleanText(true));
    PropBag.WriteProperty("Caption", lblMsg_.text, std::string("Command1"));
    PropBag.WriteProperty("FirstRun", IntegerText(firstRun_), std::string("1"));
    PropBag.WriteProperty("Font", lblMsg_.font, site_.AmbientFont());
    PropBag.WriteProperty("FontColour", IntegerText(std::int32_t(lblMsg_.colour)), std::string("0"));
    PropBag.WriteProperty("Visible", IntegerText(backStyle_), std::string("1"));
    ResetFace();
}

}  // namespace velmoran
