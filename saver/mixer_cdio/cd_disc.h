// An audio CD read through libcdio: the disc in the default drive, or the
// drive or BIN/CUE image that the environment variable VELMORAN_CDROM names.
#pragma once

#include <cstdint>
#include <memory>

#include "saver/mci/cd_device.h"

typedef struct _CdIo CdIo_t;

namespace velmoran {

inline constexpr const char* kCdromVariable = "VELMORAN_CDROM";

class CdDisc final : public AudioDisc {
public:
    // 0 and the disc, or an error code: no image file, no drive, no disc.
    static std::int32_t Open(std::unique_ptr<CdDisc>& disc);
    ~CdDisc() override;

    const DiscLayout& Layout() const override { return layout_; }
    bool Read(std::int32_t sector, std::int32_t count, std::uint8_t* data) const override;

private:
    CdDisc(CdIo_t* cdio, DiscLayout layout) : cdio_(cdio), layout_(std::move(layout)) {}
    CdIo_t* cdio_;
    DiscLayout layout_;
};

}  // namespace velmoran
