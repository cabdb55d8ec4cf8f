#include "saver/settings/load_settings.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "saver/settings/number_text.h"
#include "saver/settings/paths.h"

namespace velmoran {

namespace {

std::optional<std::int16_t> SettingNumber(const std::string& text) {
    const std::optional<double> number = WholeNumber(text);
    if (!number) return std::nullopt;
    const double whole = std::floor(*number);
    if (!(whole >= INT16_MIN && whole <= INT16_MAX)) return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

}  // namespace

MusicSettings LoadSettings(ProfileStore& store, const SaverPlaces& places) {
    const std::string& file = places.settingsRead;
    MusicSettings settings;
    settings.BgmKind = SettingNumber(IniRead(store, kIniSection, kKeyBgmKind, file)).value_or(0);
    settings.BgmRepeat = SettingNumber(IniRead(store, kIniSection, kKeyBgmRepeat, file)).value_or(0);
    settings.BgmFile = IniRead(store, kIniSection, kKeyBgmFile, file);
    if (!settings.BgmFile.empty() && !FileExists(settings.BgmFile)) settings.BgmFile.clear();
    if (settings.BgmFile.empty() && settings.BgmKind == kBgmMusicFile) settings.BgmKind = kBgmNone;
    settings.BgmFolder = settings.BgmFile.empty() ? places.programFolder : FolderOf(settings.BgmFile);
    return settings;
}

}  // namespace velmoran
