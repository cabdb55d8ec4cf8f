#include "saver/mixer_cdio/cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <cstdlib>
#include <filesystem>

#include "saver/mci/errors.h"

namespace velmoran {
namespace {

CdIo_t* OpenSource(const char* source) {
    if (!source || !*source) return cdio_open_cd(nullptr);  // the default drive
    if (char* bin = cdio_is_cuefile(source)) {
        std::free(bin);
        return cdio_open_cue(source);
    }
    return cdio_open_cd(source);
}

bool ReadLayout(CdIo_t* cdio, DiscLayout& layout) {
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t count = cdio_get_num_tracks(cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) return false;
    layout.firstTrack = first;
    for (track_t t = first; t < first + count; ++t) {
        const lsn_t start = cdio_get_track_lsn(cdio, t);
        if (start == CDIO_INVALID_LSN) return false;
        layout.tracks.push_back({start, cdio_get_track_format(cdio, t) == TRACK_FORMAT_AUDIO});
    }
    layout.leadout = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    return layout.leadout != CDIO_INVALID_LSN && layout.Valid();
}

}  // namespace

std::int32_t CdDisc::Open(std::unique_ptr<CdDisc>& disc) {
    // The show reports nothing, and neither does the library.
    cdio_loglevel_default = CDIO_LOG_ASSERT;
    const char* source = std::getenv(kCdromVariable);
    std::error_code error;
    if (source && *source && !std::filesystem::exists(source, error)) return mci::kFileNotFound;
    CdIo_t* cdio = OpenSource(source);
    if (!cdio) return mci::kDeviceNotReady;
    DiscLayout layout;
    if (!ReadLayout(cdio, layout)) {
        cdio_destroy(cdio);
        return mci::kDeviceNotReady;
    }
    disc.reset(new CdDisc(cdio, std::move(layout)));
    return mci::kOk;
}

CdDisc::~CdDisc() {
    cdio_destroy(cdio_);
}

bool CdDisc::Read(std::int32_t sector, std::int32_t count, std::uint8_t* data) const {
    return cdio_read_audio_sectors(cdio_, data, sector, static_cast<std::uint32_t>(count)) == DRIVER_OP_SUCCESS;
}

}  // namespace velmoran
