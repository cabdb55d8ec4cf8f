// Real audio for the media back end's tests: SDL's disk driver writes all
// that is played into a file of raw 16-bit stereo samples at 44.1 kHz, and
// these helpers make the test sounds and read back what was heard.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmoran::testing {

using Samples = std::vector<std::int16_t>;  // interleaved left, right
inline constexpr int kRate = 44100;
inline constexpr std::size_t kSectorSamples = 2352 / 2;

// The folder of the sound module the build made, which the tests load as
// the saver does (MediaModule).
inline const std::filesystem::path kMediaModuleFolder = std::filesystem::path(VELMORAN_MEDIA_MODULE).parent_path();

// A fresh folder for one test, and the sound output routed into a file in
// it, for every media back end made from now on.
class DiskAudio {
public:
    DiskAudio();
    ~DiskAudio();
    const std::filesystem::path& Folder() const { return folder_; }
    // All that was played; read once the back end has been destroyed.
    Samples Heard() const;
    // A sound output that does not exist, for the no-device path.
    static void NoDevice();

private:
    std::filesystem::path folder_;
};

// Stereo noise: never the same twice, so a stretch of it is found in the
// output at exactly one place.
Samples Noise(std::size_t frames, std::uint32_t seed);
void WriteWav(const std::filesystem::path& path, const Samples& samples);
// An audio-CD image, one BIN file with its CUE sheet; each track a whole
// number of sectors. Returns the CUE sheet's path.
std::filesystem::path WriteDisc(const std::filesystem::path& folder, const std::vector<Samples>& tracks);
// An MP3 of a sine tone, encoded by sox.
void WriteMp3(const std::filesystem::path& path, double seconds, int hertz);

// Calls tick every interval until the time given has passed.
void Ticks(std::chrono::milliseconds total, std::chrono::milliseconds interval, const std::function<void()>& tick);

// Where needle first occurs in haystack at or after from (in samples);
// npos when it does not.
std::size_t Find(const Samples& haystack, const Samples& needle, std::size_t from = 0);
Samples Slice(const Samples& samples, std::size_t from, std::size_t count);
double Seconds(std::size_t samples);

// Stretches of sound, as [first, last) sample indexes: runs of 10 ms blocks
// louder than the threshold, joined across gaps shorter than 30 ms.
struct Stretch {
    std::size_t first, last;
};
std::vector<Stretch> Sounding(const Samples& samples, int threshold = 1000);
// Cycles per second of the left channel within a stretch, by zero crossings.
double Frequency(const Samples& samples, Stretch stretch);

}  // namespace velmoran::testing
