// The tracks of an audio CD and positions on it, as the media commands write
// them: "mm:ss:ff" counted from the start of the disc (msf, 75 frames a
// second, the first track after the 2-second lead-in) or "tt:mm:ss:ff"
// counted from the start of track tt (tmsf).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmoran {

struct DiscTrack {
    std::int32_t start = 0;  // first sector
    bool audio = true;
};

enum class TimeFormat { kMsf, kTmsf };

struct DiscLayout {
    int firstTrack = 1;
    std::vector<DiscTrack> tracks;  // firstTrack, firstTrack + 1, ...
    std::int32_t leadout = 0;       // the sector after the last track

    int LastTrack() const { return firstTrack + static_cast<int>(tracks.size()) - 1; }
    // Any number asked about: a track number too large for an int is no track.
    bool HasTrack(std::int64_t track) const { return track >= firstTrack && track <= LastTrack(); }
    std::int32_t TrackStart(int track) const { return tracks[track - firstTrack].start; }
    std::int32_t TrackEnd(int track) const;
    // The track holding a sector; the first track for sectors before it.
    int TrackAt(std::int32_t sector) const;
    // The first sector of audio at or after a sector, if any before the end.
    std::optional<std::int32_t> AudioFrom(std::int32_t sector) const;
    // Where a disc played from its beginning starts.
    std::int32_t Start() const { return AudioFrom(tracks.front().start).value_or(tracks.front().start); }
    // Tracks in rising order within the disc.
    bool Valid() const;
};

std::string FormatPosition(const DiscLayout& disc, TimeFormat format, std::int32_t sector);

// 0 and the sector a position names, or an error code for a position that is
// not well formed or lies beyond the disc. The lead-out is a valid end.
std::int32_t ParsePosition(const DiscLayout& disc, TimeFormat format, std::string_view text,
                           std::int32_t& sector);

}  // namespace velmoran
