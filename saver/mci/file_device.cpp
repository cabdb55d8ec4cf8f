#include "saver/mci/file_device.h"

#include <algorithm>
#include <cmath>

#include "saver/mci/errors.h"

namespace velmoran {
namespace {

std::string Milliseconds(double seconds) { return std::to_string(std::llround(seconds * 1000)); }

}  // namespace

std::int32_t FileDevice::Run(const mci::Request& request, std::string& reply) {
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

std::int32_t FileDevice::Play(const std::vector<std::string>& words) {
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
    if (!stream_->Start(from)) return mci::kHardware;
    started_ = true;
    return mci::kOk;
}

std::int32_t FileDevice::Seek(const std::vector<std::string>& words) {
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

std::int32_t FileDevice::Status(const std::vector<std::string>& words, std::string& reply) {
    const std::string item = mci::Phrase(words);
    if (item == "mode")
        reply = Playing() ? "playing" : "stopped";
    else if (item == "position")
        reply = Milliseconds(Playing() ? stream_->Position() : resumeAt_);
    else if (item == "length")
        reply = Milliseconds(Length());
    else if (item == "time format")
        reply = "milliseconds";
    else
        return mci::kUnrecognizedKeyword;
    return mci::kOk;
}

// Notices a play that has come to the end of the file: it rests there.
bool FileDevice::Playing() {
    if (started_ && !stream_->Playing()) {
        started_ = false;
        resumeAt_ = Length();
    }
    return started_;
}

void FileDevice::Stop() {
    if (!Playing()) return;
    resumeAt_ = std::max(0.0, stream_->Position());
    stream_->Halt();
    started_ = false;
}

double FileDevice::Length() const {
    return std::max(0.0, stream_->Length());
}

}  // namespace velmoran
