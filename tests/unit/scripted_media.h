// A stand-in for the platform's media facilities: answers each command string
// as the test scripted it and records everything it was asked, in order.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "saver/music/media_control.h"

namespace velmoran::testing {

class ScriptedMedia final : public MediaControl {
public:
    // From now on the command answers with this code and, on success, this
    // reply. Unscripted commands succeed with an empty reply. A failure
    // leaves the caller's buffer as it was, as a real device may.
    void Answer(const std::string& command, std::int32_t code, std::string reply = "") {
        answers_[command] = {code, std::move(reply)};
    }
    void ErrorText(std::int32_t code, std::string text) { errorTexts_[code] = std::move(text); }
    void SetWaveDevices(int count) { waveDevices_ = count; }
    // Replies fill the buffer without a terminating NUL.
    void ForgetNul() { terminate_ = false; }

    // Each entry: the command, then " [n]" when a reply buffer of n bytes
    // came with it; "loop wave <name>" and "stop wave" for the wave player.
    std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }

    std::int32_t SendString(const char* command, char* reply, std::uint32_t replyLength) override {
        std::string entry = command;
        if (reply) entry += " [" + std::to_string(replyLength) + "]";
        log_.push_back(entry);
        auto it = answers_.find(command);
        if (it == answers_.end()) return Write("", reply, replyLength), 0;
        if (it->second.first == 0) Write(it->second.second, reply, replyLength);
        return it->second.first;
    }
    bool ErrorString(std::int32_t code, char* text, std::uint32_t length) override {
        auto it = errorTexts_.find(code);
        if (it == errorTexts_.end()) return false;
        Write(it->second, text, length);
        return true;
    }
    int WaveOutputDevices() override { return waveDevices_; }
    void StartLoopingWave(const char* name) override { log_.push_back(std::string("loop wave ") + name); }
    void StopWave() override { log_.push_back("stop wave"); }

private:
    void Write(const std::string& text, char* buffer, std::uint32_t length) const {
        if (!buffer || length == 0) return;
        if (!terminate_) {
            std::memcpy(buffer, text.data(), std::min<std::size_t>(text.size(), length));
            return;
        }
        const std::size_t n = std::min<std::size_t>(text.size(), length - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }

    std::map<std::string, std::pair<std::int32_t, std::string>> answers_;
    std::map<std::int32_t, std::string> errorTexts_;
    std::vector<std::string> log_;
    int waveDevices_ = 1;
    bool terminate_ = true;
};

}  // namespace velmoran::testing
