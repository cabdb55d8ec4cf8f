#include "saver/show/music_file_kind.h"

#include <cctype>
#include <string>

namespace velmoran {

MusicFile MusicFileKind(std::string_view file, CharacterSize size) {
    std::string tail(LastCharacters(file, 3, size));
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (tail == "WAV") return MusicFile::Wav;
    if (tail == "MP3") return MusicFile::Mp3;
    return MusicFile::Other;
}

}  // namespace velmoran
