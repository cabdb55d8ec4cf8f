#include "saver/mci/file_device.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "saver/mci/errors.h"

namespace velmoran {
namespace {

std::string Milliseconds(double seconds) { return std::to_string(std::llround(seconds * 1000)); }

}  // namespace

std::int32_t MusicFileDevice::Open(const std::string& path, std::unique_ptr<MciDevice>& device) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return mci::kFileNotFound;
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) return mci::kInvalidFile;
    device.reset(new MusicFileDevice(music));
    return mci::kOk;
}

MusicFileDevice::~MusicFileDevice() {
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
}

std::int32_t MusicFileDevice::Run(const mci::Request& request, std::string& reply) {
    if (request.verb == "play") return Play(request.words);
    if (request.verb == "stop") {
        if (!request.words.empty()) return mci::kUnrecognizedKeyword;
        Stop();
        return mci::kOk;
    }
    if (request.verb == "seek") return Seek(request.words);
    if (request.verb == "set") {
        const std::string phrase = mci::Phrase(request.words);
        if (phrase == "time format milliseconds" || phrase == "time format ms") return mci::kOk;
        return phrase.starts_with("time format") ? mci::kBadTimeFormat : mci::kUnsupportedFunction;
    }
    if (request.verb == "status") return Status(request.words, reply);
    return mci::kUnrecognizedCommand;
}

std::int32_t MusicFileDevice::Play(const std::vector<std::string>& words) {
    mci::Options options;
    if (const std::int32_t code = mci::ParseOptions(words, {"from", "to"}, options); code != mci::kOk) return code;
    if (options.Find("to")) return mci::kUnsupportedFunction;
    double from = resumeAt_;
    if (const std::string* text = options.Find("from")) {
        const auto ms = mci::Number(*text);
        if (!ms) return mci::kBadInteger;
        from = static_cast<double>(*ms) / 1000;
    } else if (Playing()) {
        return mci::kOk;
    }
    const double length = Length();
    if (length > 0 && from > length) return mci::kOutOfRange;
    Stop();
    resumeAt_ = from;
    // From the very end there is nothing left to hear: play is over at once.
    if (length > 0 && from >= length) return mci::kOk;
    if (Mix_FadeInMusicPos(music_, 1, 0, from) != 0) return mci::kHardware;
    started_ = true;
    return mci::kOk;
}

std::int32_t MusicFileDevice::Seek(const std::vector<std::string>& words) {
    if (words.size() != 2 || !mci::SameWord(words[0], "to")) return mci::kMissingParameter;
    double to = 0;
    if (mci::SameWord(words[1], "end")) {
        to = Length();
    } else if (!mci::SameWord(words[1], "start")) {
        const auto ms = mci::Number(words[1]);
        if (!ms) return mci::kBadInteger;
        to = static_cast<double>(*ms) / 1000;
    }
    Stop();
    resumeAt_ = to;
    return mci::kOk;
}

std::int32_t MusicFileDevice::Status(const std::vector<std::string>& words, std::string& reply) {
    const std::string item = mci::Phrase(words);
    if (item == "mode")
        reply = Playing() ? "playing" : "stopped";
    else if (item == "position")
        reply = Milliseconds(Playing() ? Mix_GetMusicPosition(music_) : resumeAt_);
    else if (item == "length")
        reply = Milliseconds(Length());
    else if (item == "time format")
        reply = "milliseconds";
    else
        return mci::kUnrecognizedKeyword;
    return mci::kOk;
}

// Notices a play that has come to the end of the file: it rests there.
bool MusicFileDevice::Playing() {
    if (started_ && !Mix_PlayingMusic()) {
        started_ = false;
        resumeAt_ = Length();
    }
    return started_;
}

void MusicFileDevice::Stop() {
    if (!Playing()) return;
    resumeAt_ = std::max(0.0, Mix_GetMusicPosition(music_));
    Mix_HaltMusic();
    started_ = false;
}

double MusicFileDevice::Length() const {
    return std::max(0.0, Mix_MusicDuration(music_));
}

}  // namespace velmoran
