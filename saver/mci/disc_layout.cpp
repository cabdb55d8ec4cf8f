#include "saver/mci/disc_layout.h"

#include <algorithm>
#include <cstdio>

#include "saver/mci/errors.h"
#include "saver/mci/request.h"

namespace velmoran {
namespace {

constexpr std::int32_t kFramesPerSecond = 75;
constexpr std::int32_t kLeadIn = 2 * kFramesPerSecond;  // msf 00:02:00 is sector 0

std::string Msf(std::int32_t frames) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", frames / (60 * kFramesPerSecond),
                  frames / kFramesPerSecond % 60, frames % kFramesPerSecond);
    return text;
}

// "a[:b[:c[:d]]]" into up to four numbers; false when malformed.
bool Fields(std::string_view text, std::vector<std::int64_t>& fields) {
    while (true) {
        const std::size_t colon = text.find(':');
        const auto field = mci::Number(text.substr(0, colon));
        if (!field || fields.size() == 4) return false;
        fields.push_back(*field);
        if (colon == std::string_view::npos) return true;
        text.remove_prefix(colon + 1);
    }
}

// Minutes, seconds and frames from the given fields on, as frames.
std::optional<std::int64_t> Frames(const std::vector<std::int64_t>& fields, std::size_t from) {
    std::int64_t minutes = 0, seconds = 0, frames = 0;
    if (from < fields.size()) minutes = fields[from];
    if (from + 1 < fields.size()) seconds = fields[from + 1];
    if (from + 2 < fields.size()) frames = fields[from + 2];
    if (seconds >= 60 || frames >= kFramesPerSecond || minutes > 99) return std::nullopt;
    return (minutes * 60 + seconds) * kFramesPerSecond + frames;
}

}  // namespace

std::int32_t DiscLayout::TrackEnd(int track) const {
    return track == LastTrack() ? leadout : TrackStart(track + 1);
}

int DiscLayout::TrackAt(std::int32_t sector) const {
    int track = firstTrack;
    for (int t = firstTrack; t <= LastTrack(); ++t)
        if (TrackStart(t) <= sector) track = t;
    return track;
}

std::optional<std::int32_t> DiscLayout::AudioFrom(std::int32_t sector) const {
    for (int t = TrackAt(sector); t <= LastTrack(); ++t) {
        if (!tracks[t - firstTrack].audio) continue;
        const std::int32_t from = std::max(sector, TrackStart(t));
        if (from < TrackEnd(t)) return from;
    }
    return std::nullopt;
}

bool DiscLayout::Valid() const {
    if (tracks.empty() || tracks.front().start < 0) return false;
    for (int t = firstTrack; t <= LastTrack(); ++t)
        if (TrackEnd(t) <= TrackStart(t)) return false;
    return true;
}

std::string FormatPosition(const DiscLayout& disc, TimeFormat format, std::int32_t sector) {
    if (format == TimeFormat::kMsf) return Msf(sector + kLeadIn);
    const int track = disc.TrackAt(sector);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:", track);
    return text + Msf(sector - disc.TrackStart(track));
}

std::int32_t ParsePosition(const DiscLayout& disc, TimeFormat format, std::string_view text,
                           std::int32_t& sector) {
    std::vector<std::int64_t> fields;
    if (!Fields(text, fields)) return mci::kBadInteger;
    std::int64_t at = 0;
    if (format == TimeFormat::kTmsf) {
        if (fields[0] > 99) return mci::kBadInteger;
        if (!disc.HasTrack(static_cast<int>(fields[0]))) return mci::kOutOfRange;
        const auto offset = Frames(fields, 1);
        if (!offset) return mci::kBadInteger;
        at = disc.TrackStart(static_cast<int>(fields[0])) + *offset;
    } else {
        if (fields.size() > 3) return mci::kBadInteger;
        const auto frames = Frames(fields, 0);
        if (!frames) return mci::kBadInteger;
        at = *frames - kLeadIn;
    }
    if (at < disc.tracks.front().start || at > disc.leadout) return mci::kOutOfRange;
    sector = static_cast<std::int32_t>(at);
    return mci::kOk;
}

}  // namespace velmoran
