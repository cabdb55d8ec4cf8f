#include "saver/settings/saver_places.h"

#include "saver/settings/paths.h"

namespace velmoran {

SaverPlaces PlacesOf(const std::string& programFolder, const UserSettingsPlace& user) {
    const std::string beside = FileInFolder(programFolder, kSettingsFileName);
    SaverPlaces places{programFolder, beside, beside, FileInFolder(programFolder, kViewerFileName)};
    if (user.folder.empty()) return places;
    const std::string own = FileInFolder(user.folder, kSettingsFileName);
    if (FileExists(own)) {
        places.settingsFile = places.settingsRead = own;
    } else if (!user.programFolderWritable) {
        places.settingsFile = own;
        if (!FileExists(beside)) places.settingsRead = own;
    }
    return places;
}

}  // namespace velmoran
