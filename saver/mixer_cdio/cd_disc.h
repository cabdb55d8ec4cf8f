// An audio CD read through libcdio: the disc in the default drive, or the
// drive or BIN/CUE image that the environment variable VELMORAN_CDROM names.
#pragma once

#include <cstdint>
#include <memory>

#include "saver/mci/disc_layout.h"

typedef struct _CdIo CdIo_t;

namespace velmoran {

inline constexpr const char* kCdromVariable = "VELMORAN_CDROM";
inline constexpr std::int32_t kSectorBytes = 2352;  // 588 stereo 16-bit frames

class CdDisc {
public:
    // 0 and the disc, or an error code: no image file, no drive, no disc.
    static std::int32_t Open(std::unique_ptr<CdDisc>& disc);
    ~CdDisc();

    const DiscLayout& Layout() const { return layout_; }
    // Reads whole sectors of audio; false when they cannot be read.
    bool Read(std::int32_t sector, std::int32_t count, std::uint8_t* data) const;

private:
    CdDisc(CdIo_t* cdio, DiscLayout layout) : cdio_(cdio), layout_(std::move(layout)) {}
    CdIo_t* cdio_;
    DiscLayout layout_;
};

}  // namespace velmoran
