#include "audio/disk_audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace velmoran::testing {
namespace fs = std::filesystem;

DiskAudio::DiskAudio() {
    std::string pattern = (fs::temp_directory_path() / "velmoran-audio.XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (folder_ / "heard.raw").c_str(), 1);
}

DiskAudio::~DiskAudio() {
    std::error_code error;
    fs::remove_all(folder_, error);
}

void DiskAudio::NoDevice() {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
}

Samples DiskAudio::Heard() const {
    std::ifstream file(folder_ / "heard.raw", std::ios::binary);
    Samples samples;
    std::int16_t sample;
    while (file.read(reinterpret_cast<char*>(&sample), sizeof sample)) samples.push_back(sample);
    return samples;
}

Samples Noise(std::size_t frames, std::uint32_t seed) {
    Samples samples(frames * 2);
    for (std::int16_t& sample : samples) {
        seed = seed * 1664525u + 1013904223u;
        sample = static_cast<std::int16_t>(static_cast<std::int32_t>(seed >> 16) % 16000 - 8000);
    }
    return samples;
}

namespace {

void Put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i)));
}

void PutSamples(std::ofstream& out, const Samples& samples) {
    for (std::int16_t sample : samples) Put(out, static_cast<std::uint16_t>(sample), 2);
}

std::string Msf(std::size_t sectors) {
    char text[48];
    std::snprintf(text, sizeof text, "%02zu:%02zu:%02zu", sectors / 75 / 60, sectors / 75 % 60, sectors % 75);
    return text;
}

}  // namespace

void WriteWav(const fs::path& path, const Samples& samples) {
    std::ofstream out(path, std::ios::binary);
    const auto bytes = static_cast<std::uint32_t>(samples.size() * 2);
    out << "RIFF";
    Put(out, 36 + bytes, 4);
    out << "WAVEfmt ";
    Put(out, 16, 4);
    Put(out, 1, 2);  // PCM
    Put(out, 2, 2);
    Put(out, kRate, 4);
    Put(out, kRate * 4, 4);
    Put(out, 4, 2);
    Put(out, 16, 2);
    out << "data";
    Put(out, bytes, 4);
    PutSamples(out, samples);
}

fs::path WriteDisc(const fs::path& folder, const std::vector<Samples>& tracks) {
    std::ofstream bin(folder / "disc.bin", std::ios::binary);
    std::ofstream cue(folder / "disc.cue");
    cue << "FILE \"disc.bin\" BINARY\n";
    std::size_t sector = 0;
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        EXPECT_EQ(tracks[t].size() % kSectorSamples, 0u) << "track " << t + 1;
        char line[64];
        std::snprintf(line, sizeof line, "  TRACK %02zu AUDIO\n    INDEX 01 %s\n", t + 1, Msf(sector).c_str());
        cue << line;
        PutSamples(bin, tracks[t]);
        sector += tracks[t].size() / kSectorSamples;
    }
    return folder / "disc.cue";
}

void WriteMp3(const fs::path& path, double seconds, int hertz) {
    const std::string command = "sox -q -n -r 44100 -c 2 '" + path.string() + "' synth " + std::to_string(seconds) +
                                " sine " + std::to_string(hertz) + " vol 0.5";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void Ticks(std::chrono::milliseconds total, std::chrono::milliseconds interval, const std::function<void()>& tick) {
    const auto start = std::chrono::steady_clock::now();
    for (auto next = start + interval; next <= start + total; next += interval) {
        std::this_thread::sleep_until(next);
        tick();
    }
}

std::size_t Find(const Samples& haystack, const Samples& needle, std::size_t from) {
    if (from >= haystack.size()) return std::string::npos;
    const auto it = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(from), haystack.end(), needle.begin(),
                                needle.end());
    return it == haystack.end() ? std::string::npos : static_cast<std::size_t>(it - haystack.begin());
}

Samples Slice(const Samples& samples, std::size_t from, std::size_t count) {
    from = std::min(from, samples.size());
    count = std::min(count, samples.size() - from);
    return Samples(samples.begin() + static_cast<std::ptrdiff_t>(from),
                   samples.begin() + static_cast<std::ptrdiff_t>(from + count));
}

double Seconds(std::size_t samples) {
    return static_cast<double>(samples) / (2.0 * kRate);
}

std::vector<Stretch> Sounding(const Samples& samples, int threshold) {
    constexpr std::size_t kBlock = 2 * kRate / 100;
    constexpr std::size_t kJoin = 3 * kBlock;
    std::vector<Stretch> stretches;
    for (std::size_t at = 0; at + kBlock <= samples.size(); at += kBlock) {
        const bool loud = std::any_of(samples.begin() + static_cast<std::ptrdiff_t>(at),
                                      samples.begin() + static_cast<std::ptrdiff_t>(at + kBlock),
                                      [&](std::int16_t s) { return std::abs(s) > threshold; });
        if (!loud) continue;
        if (!stretches.empty() && at - stretches.back().last < kJoin)
            stretches.back().last = at + kBlock;
        else
            stretches.push_back({at, at + kBlock});
    }
    return stretches;
}

double Frequency(const Samples& samples, Stretch stretch) {
    // Crossings between clearly positive and clearly negative, so that the
    // faint noise at the edges of a sound does not count.
    constexpr int kClear = 1000;
    int crossings = 0, side = 0;
    for (std::size_t i = stretch.first; i < stretch.last; i += 2) {
        const int now = samples[i] > kClear ? 1 : samples[i] < -kClear ? -1 : 0;
        if (now != 0 && side != 0 && now != side) ++crossings;
        if (now != 0) side = now;
    }
    return crossings / 2.0 / Seconds(stretch.last - stretch.first);
}

}  // namespace velmoran::testing
