// The process's audio output through SDL_mixer, opened on first use. It runs
// in the CD's own sample format, so that CD audio streams without conversion.
#pragma once

namespace velmoran {

inline constexpr int kOutputRate = 44100;
inline constexpr int kOutputChannels = 2;   // 16-bit little-endian samples
inline constexpr int kOutputFrames = 2048;  // per mixing pass

class MixerOutput {
public:
    MixerOutput() = default;
    MixerOutput(const MixerOutput&) = delete;
    MixerOutput& operator=(const MixerOutput&) = delete;
    ~MixerOutput();

    // True once the output is open. Opening is tried once: a machine without
    // a sound device stays silent for the life of the process.
    bool Ready();

private:
    enum class State { kUntried, kOpen, kUnavailable };
    State state_ = State::kUntried;
};

}  // namespace velmoran
