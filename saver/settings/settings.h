// The music settings: the saver's only settings, kept in Velmoran.ini beside
// the program. One record for the whole process.
#pragma once

#include <cstdint>
#include <string>

namespace velmoran {

// Section and key names exactly as stored in the file: code page 932 bytes,
// so that one file serves the Windows and the Linux build alike.
inline constexpr const char* kIniSection = "Section";
inline constexpr const char* kKeyBgmKind = "BGM\x8B\xE6\x95\xAA";             // BGM区分
inline constexpr const char* kKeyBgmRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";       // BGMﾘﾋﾟｰﾄ
inline constexpr const char* kKeyBgmFile = "BGM\xCC\xA7\xB2\xD9";             // BGMﾌｧｲﾙ

// Values of BgmKind.
inline constexpr std::int16_t kBgmNone = 0;
inline constexpr std::int16_t kBgmCd = 1;
inline constexpr std::int16_t kBgmMusicFile = 2;

struct MusicSettings {
    std::int16_t BgmKind = 0;    // kBgmNone, kBgmCd or kBgmMusicFile; other values play nothing
    std::int16_t BgmRepeat = 0;  // CD track to repeat; 0 plays the whole disc
    std::string BgmFile;         // MP3 or WAV file, empty when none
    std::string BgmFolder;       // where the file chooser opens; never stored
};

}  // namespace velmoran
