// The capture file: the whole screen as a 24-bit Windows bitmap whose first
// stored row is the screen's top row (the usual bottom-up layout, mirrored).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "common/captured_screen.h"

namespace velmoran {

inline constexpr std::size_t kBitmapFileHeaderSize = 14;
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;
inline constexpr std::size_t kCaptureHeaderSize = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;

// How much of the picture is made and written at a time: enough rows that
// the writes stay few, few enough that they stay in the processor's caches.
inline constexpr std::size_t kCaptureBandBytes = std::size_t{1} << 20;

// The 54 header bytes of a capture file for a screen of that size; empty when
// the size is not positive or the file would not fit the format's 32-bit sizes.
std::vector<std::uint8_t> CaptureBitmapHeader(int width, int height);

// Writes the screen as the capture file at `target`, its rows made and
// written a band of about `bandBytes` (at least one row) at a time. The file
// is written completely beside the target and then renamed over it, so a
// reader never sees half a picture. The file, and any parent folders that
// were missing, are made for their owner alone (0600, 0700). False when
// nothing was written; `target` is then left as it was.
bool WriteCaptureBitmap(const std::filesystem::path& target, const CapturedScreen& screen,
                        std::size_t bandBytes = kCaptureBandBytes);

// Takes an earlier capture away from `target`, so that a show whose capture
// fails shows no picture of another time: removed, or, in a folder this user
// may not change, emptied, which the viewer refuses like any bad file. A
// folder of that name is left alone.
void DiscardCapture(const std::filesystem::path& target);

}  // namespace velmoran
