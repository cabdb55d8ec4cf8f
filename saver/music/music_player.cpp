#include "saver/music/music_player.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <exception>
#include <optional>

namespace velmoran {
namespace {

constexpr const char* kNoCommandText = "コマンド文字列が指定されていません";
constexpr const char* kNoErrorText = "Error (文字列が取れません)";
constexpr const char* kMp3Alias = "MP3Play";
// The CD mode query passes one byte less than its buffer holds.
constexpr std::uint32_t kCdModeLength = 255;

// A reply as far as its first NUL, never beyond the buffer, even when a
// device forgot to terminate it.
template <std::size_t N>
std::string UpToNul(const std::array<char, N>& buffer) {
    return std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
}

template <std::size_t N>
bool StartsWith(const std::array<char, N>& buffer, const char* word) {
    return std::strncmp(buffer.data(), word, std::min(N, std::strlen(word))) == 0;
}

// MciQuery marks failures "Error:<code>"; a drive may also answer in words.
bool ReportsError(const std::string& reply) {
    std::string upper = reply;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper.find("ERR") != std::string::npos;
}

std::optional<int> TrackNumber(const std::string& reply) {
    const auto first = reply.find_first_not_of(' ');
    const auto last = reply.find_last_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    int track = 0;
    const char* end = reply.data() + last + 1;
    auto [stop, error] = std::from_chars(reply.data() + first, end, track);
    if (error != std::errc() || stop != end) return std::nullopt;
    return track;
}

}  // namespace

MusicPlayer::MusicPlayer(MediaControl& media, const MusicSettings& settings)
    : media_(media), settings_(settings) {}

void MusicPlayer::Send(const std::string& command) {
    media_.SendString(command.c_str(), nullptr, 0);
}

std::int32_t MusicPlayer::MciCommand(const std::string& command, std::string& text) {
    if (command.empty()) {
        text = kNoCommandText;
        return -1;
    }
    // A command without a reply must not hand on the previous one.
    reply_[0] = '\0';
    const std::int32_t code =
        media_.SendString(command.c_str(), reply_.data(), static_cast<std::uint32_t>(reply_.size()));
    if (code == 0) {
        text = UpToNul(reply_);
        return 0;
    }
    error_[0] = '\0';
    if (media_.ErrorString(code, error_.data(), static_cast<std::uint32_t>(error_.size())))
        text = UpToNul(error_);
    else
        text = kNoErrorText;
    return code;
}

std::string MusicPlayer::MciQuery(const std::string& command) {
    const std::int32_t code = MciCommand(command, resultText_);
    if (code != 0) return "Error:" + std::to_string(code);
    return resultText_;
}

std::int32_t MusicPlayer::MciPlay(const std::string& device, const std::string& from, const std::string& to) {
    std::string command = "play " + device;
    if (!from.empty()) command += " from " + from;
    if (!to.empty()) command += " to " + to;
    return MciCommand(command, resultText_);
}

void MusicPlayer::OpenCdAudio() {
    // The disc does not start here: the first poll finds the drive stopped.
    Send("open cdaudio");
    Send("set cdaudio time format tmsf");
}

void MusicPlayer::PollCdAudio() {
    cdAudioOk_ = true;
    try {
        if (!KeepCdPlaying()) cdAudioOk_ = false;
    } catch (const std::exception&) {
        cdAudioOk_ = false;
    }
}

bool MusicPlayer::KeepCdPlaying() {
    // No disc or no drive shows here first, as an error reply.
    const std::string current = MciQuery("status cdaudio current track");
    if (ReportsError(current)) return false;
    if (ReportsError(MciQuery("status cdaudio number of tracks"))) return false;
    const bool stopped = CdStopped();

    if (settings_.BgmRepeat == 0) {
        // The whole disc: a drive that has played to the end rests stopped.
        if (stopped) MciPlay("cdaudio", "", "");
        return true;
    }
    const std::optional<int> track = TrackNumber(current);
    if (!track) return false;
    // Play has moved on to the next track or ended: back to the chosen one.
    if (stopped || *track != settings_.BgmRepeat) {
        const std::string start = MciQuery("status cdaudio position track " + std::to_string(settings_.BgmRepeat));
        MciPlay("cdaudio", start, "");
    }
    return true;
}

bool MusicPlayer::CdStopped() {
    // Cleared first, so that a failed query is not read as the last answer.
    cdMode_[0] = '\0';
    media_.SendString("status cdaudio mode", cdMode_.data(), kCdModeLength);
    return StartsWith(cdMode_, "stopped");
}

void MusicPlayer::CloseCdAudio() {
    Send("stop cdaudio");
    Send("close cdaudio");
}

void MusicPlayer::StartMp3() {
    // Quoted, so that a path with spaces stays one name.
    const std::string open = "open \"" + settings_.BgmFile + "\" type MPEGVideo Alias " + kMp3Alias;
    if (media_.SendString(open.c_str(), nullptr, 0) == 0) Send(std::string("play ") + kMp3Alias);
}

bool MusicPlayer::IsMp3Playing() {
    mp3Mode_[0] = '\0';
    const std::int32_t code = media_.SendString("status MP3Play mode", mp3Mode_.data(),
                                                static_cast<std::uint32_t>(mp3Mode_.size()));
    return code == 0 && StartsWith(mp3Mode_, "playing");
}

void MusicPlayer::RepeatMp3() {
    if (IsMp3Playing()) return;
    Send(std::string("stop ") + kMp3Alias);
    Send(std::string("play ") + kMp3Alias + " from 0");
}

void MusicPlayer::CloseMp3() {
    Send(std::string("stop ") + kMp3Alias);
    Send(std::string("close ") + kMp3Alias);
}

void MusicPlayer::StartWav() {
    if (media_.WaveOutputDevices() <= 0) return;  // no sound device, no music
    media_.StartLoopingWave(settings_.BgmFile.c_str());
}

void MusicPlayer::StopWav() {
    media_.StopWave();
}

}  // namespace velmoran
