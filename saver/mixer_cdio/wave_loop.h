// A wave file played over and over on a mixer channel until stopped. The
// whole file is decoded up front, so that the loop joins without a gap.
#pragma once

struct Mix_Chunk;

namespace velmoran {

class WaveLoop {
public:
    WaveLoop() = default;
    WaveLoop(const WaveLoop&) = delete;
    WaveLoop& operator=(const WaveLoop&) = delete;
    ~WaveLoop() { Stop(); }

    // Needs the mixer output open. A file that cannot be read stays silent.
    void Start(const char* path);
    void Stop();

private:
    Mix_Chunk* chunk_ = nullptr;
    int channel_ = -1;
};

}  // namespace velmoran
