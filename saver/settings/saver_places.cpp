#include "saver/settings/saver_places.h"

#include "saver/settings/paths.h"

namespace velmoran {

SaverPlaces PlacesOf(const std::string& programFolder) {
    return {programFolder, FileInFolder(programFolder, kSettingsFileName),
            FileInFolder(programFolder, kViewerFileName)};
}

}  // namespace velmoran
