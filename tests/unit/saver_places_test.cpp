#include "saver/settings/saver_places.h"

#include <gtest/gtest.h>

#include "saver/settings/paths.h"
#include "temp_folder.h"

namespace velmoran {
namespace {

using test::TempFolder;

class SaverPlacesTest : public testing::Test {
protected:
    std::string Beside() const { return program / kSettingsFileName; }
    std::string Own() const { return user / kSettingsFileName; }
    SaverPlaces Places(bool programWritable) const { return PlacesOf(program.Path(), {user.Path(), programWritable}); }

    TempFolder program;
    TempFolder user;
};

TEST_F(SaverPlacesTest, BothFilesLieBesideTheProgramWithoutAUserFolder) {
    const SaverPlaces places = PlacesOf(program.Path());
    EXPECT_EQ(places.programFolder, program.Path());
    EXPECT_EQ(places.settingsFile, Beside());
    EXPECT_EQ(places.settingsRead, Beside());
    EXPECT_EQ(places.viewerFile, program / kViewerFileName);
    EXPECT_EQ(PlacesOf(program.Path(), {"", false}).settingsFile, Beside()) << "no other place to go";
}

TEST_F(SaverPlacesTest, AWritableProgramFolderKeepsThePortableFile) {
    EXPECT_EQ(Places(true).settingsFile, Beside());
    EXPECT_EQ(Places(true).settingsRead, Beside());
    program.Write(kSettingsFileName, "[Section]\r\n");
    EXPECT_EQ(Places(true).settingsFile, Beside());
}

TEST_F(SaverPlacesTest, AReadOnlyProgramFolderSendsTheSettingsToTheUsersOwnFile) {
    EXPECT_EQ(Places(false).settingsFile, Own());
    EXPECT_EQ(Places(false).settingsRead, Own());
    // A file an installation left beside the saver is read until the user saves.
    program.Write(kSettingsFileName, "[Section]\r\n");
    EXPECT_EQ(Places(false).settingsFile, Own());
    EXPECT_EQ(Places(false).settingsRead, Beside());
}

TEST_F(SaverPlacesTest, TheUsersOwnFileWinsOnceItExists) {
    user.Write(kSettingsFileName, "[Section]\r\n");
    program.Write(kSettingsFileName, "[Section]\r\n");
    for (bool writable : {true, false}) {
        EXPECT_EQ(Places(writable).settingsFile, Own()) << writable;
        EXPECT_EQ(Places(writable).settingsRead, Own()) << writable;
    }
}

}  // namespace
}  // namespace velmoran
