#include "saver/mci/cd_device.h"

#include <algorithm>
#include <cstring>

#include "saver/mci/errors.h"

namespace velmoran {
namespace {

std::int64_t Bytes(std::int32_t sector) { return std::int64_t{sector} * kSectorBytes; }
std::int32_t SectorOf(std::int64_t bytes) { return static_cast<std::int32_t>(bytes / kSectorBytes); }

}  // namespace

CdDevice::CdDevice(const AudioDisc& disc)
    : disc_(disc), layout_(disc.Layout()), position_(Bytes(layout_.Start())) {}

std::int32_t CdDevice::Run(const mci::Request& request, std::string& reply) {
    if (request.verb == "play") return Play(request.words);
    if (request.verb == "stop") {
        if (!request.words.empty()) return mci::kUnrecognizedKeyword;
        std::lock_guard lock(mutex_);
        playing_ = false;
        return mci::kOk;
    }
    if (request.verb == "seek") return Seek(request.words);
    if (request.verb == "set") return Set(request.words);
    if (request.verb == "status") return Status(request.words, reply);
    return mci::kUnrecognizedCommand;
}

std::int32_t CdDevice::Play(const std::vector<std::string>& words) {
    mci::Options options;
    if (const std::int32_t code = mci::ParseOptions(words, {"from", "to"}, options); code != mci::kOk) return code;
    std::int32_t from = CurrentSector(), to = layout_.leadout;
    if (const std::string* text = options.Find("from"))
        if (const std::int32_t code = ParsePosition(layout_, format_, *text, from); code != mci::kOk) return code;
    if (const std::string* text = options.Find("to"))
        if (const std::int32_t code = ParsePosition(layout_, format_, *text, to); code != mci::kOk) return code;
    if (from >= to) return mci::kOutOfRange;

    std::lock_guard lock(mutex_);
    // Without a start position play goes on from where it is, mid-sector too.
    if (options.Find("from")) position_ = Bytes(from);
    end_ = Bytes(to);
    playing_ = true;
    return mci::kOk;
}

std::int32_t CdDevice::Seek(const std::vector<std::string>& words) {
    if (words.size() != 2 || !mci::SameWord(words[0], "to")) return mci::kMissingParameter;
    std::int32_t sector = layout_.Start();
    if (mci::SameWord(words[1], "end"))
        sector = layout_.leadout;
    else if (!mci::SameWord(words[1], "start"))
        if (const std::int32_t code = ParsePosition(layout_, format_, words[1], sector); code != mci::kOk)
            return code;
    std::lock_guard lock(mutex_);
    playing_ = false;
    position_ = Bytes(sector);
    return mci::kOk;
}

std::int32_t CdDevice::Set(const std::vector<std::string>& words) {
    const std::string phrase = mci::Phrase(words);
    if (phrase == "time format tmsf")
        format_ = TimeFormat::kTmsf;
    else if (phrase == "time format msf")
        format_ = TimeFormat::kMsf;
    else if (phrase.starts_with("time format"))
        return mci::kBadTimeFormat;
    else
        return mci::kUnsupportedFunction;
    return mci::kOk;
}

std::int32_t CdDevice::Status(const std::vector<std::string>& words, std::string& reply) {
    const std::string item = mci::Phrase(words);
    if (item == "mode") {
        std::lock_guard lock(mutex_);
        reply = playing_ ? "playing" : "stopped";
    } else if (item == "number of tracks") {
        reply = std::to_string(layout_.tracks.size());
    } else if (item == "current track") {
        reply = std::to_string(layout_.TrackAt(CurrentSector()));
    } else if (item == "position") {
        reply = FormatPosition(layout_, format_, CurrentSector());
    } else if (words.size() == 3 && mci::Phrase({words[0], words[1]}) == "position track") {
        const auto track = mci::Number(words[2]);
        if (!track) return mci::kBadInteger;
        if (!layout_.HasTrack(*track)) return mci::kOutOfRange;
        reply = FormatPosition(layout_, format_, layout_.TrackStart(static_cast<int>(*track)));
    } else if (item == "media present") {
        reply = "true";
    } else if (item == "time format") {
        reply = format_ == TimeFormat::kTmsf ? "tmsf" : "msf";
    } else {
        return mci::kUnrecognizedKeyword;
    }
    return mci::kOk;
}

std::int32_t CdDevice::CurrentSector() {
    std::lock_guard lock(mutex_);
    return std::min(SectorOf(position_), layout_.leadout);
}

void CdDevice::Fill(std::uint8_t* stream, std::size_t length) {
    std::memset(stream, 0, length);
    std::lock_guard lock(mutex_);
    std::size_t done = 0;
    while (playing_ && done < length) done += Stream(stream + done, length - done);
}

// Streams from the current position up to the end of its track at most, so
// that data tracks are stepped over. Called with the mutex held.
std::size_t CdDevice::Stream(std::uint8_t* out, std::size_t length) {
    const auto audio = layout_.AudioFrom(SectorOf(position_));
    if (!audio || Bytes(*audio) >= end_) {
        Finish();
        return 0;
    }
    if (*audio != SectorOf(position_)) position_ = Bytes(*audio);
    const std::int64_t stop = std::min(end_, Bytes(layout_.TrackEnd(layout_.TrackAt(*audio))));
    const auto count = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(length), stop - position_));
    const std::int32_t first = SectorOf(position_);
    const auto skip = static_cast<std::size_t>(position_ - Bytes(first));
    const auto sectors = static_cast<std::int32_t>((skip + count + kSectorBytes - 1) / kSectorBytes);
    sectors_.resize(static_cast<std::size_t>(sectors) * kSectorBytes);
    // A stretch that cannot be read stays silent; play goes on past it.
    if (disc_.Read(first, sectors, sectors_.data())) std::memcpy(out, sectors_.data() + skip, count);
    position_ += static_cast<std::int64_t>(count);
    if (position_ >= end_) Finish();
    return count;
}

void CdDevice::Finish() {
    playing_ = false;
    // At the end of the disc the drive rests at its start again.
    if (end_ >= Bytes(layout_.leadout)) position_ = Bytes(layout_.Start());
}

}  // namespace velmoran
