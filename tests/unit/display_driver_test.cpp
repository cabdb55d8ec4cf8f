#include "saver/display/display_driver.h"

#include <gtest/gtest.h>

namespace velmoran {
namespace {

bool Yes() { return true; }
bool No() { return false; }

DisplayDriver Driver(const char* name, bool (*available)()) {
    DisplayDriver driver = kNullDisplayDriver;
    driver.name = name;
    driver.Available = available;
    return driver;
}

TEST(DisplayDriverTest, TheFirstDriverThatCanRunIsChosen) {
    const DisplayDriver absent = Driver("absent", No);
    const DisplayDriver first = Driver("first", Yes);
    const DisplayDriver second = Driver("second", Yes);
    const DisplayDriver* drivers[] = {&absent, &first, &second};
    EXPECT_STREQ(ChooseDisplayDriver(drivers).name, "first");
}

TEST(DisplayDriverTest, TheNullDriverWhenNoneCanRun) {
    const DisplayDriver absent = Driver("absent", No);
    const DisplayDriver* drivers[] = {&absent};
    EXPECT_EQ(&ChooseDisplayDriver(drivers), &kNullDisplayDriver);
    EXPECT_EQ(&ChooseDisplayDriver({}), &kNullDisplayDriver);
}

TEST(DisplayDriverTest, TheNullDriverCapturesAndFindsNothing) {
    const DisplayDriver& null = kNullDisplayDriver;
    EXPECT_STREQ(null.name, "null");
    EXPECT_TRUE(null.Available());
    EXPECT_EQ(null.CaptureScreen(0), nullptr);
    EXPECT_EQ(null.CaptureScreen(42), nullptr);
    EXPECT_TRUE(null.ProcessesOfWindowsTitled("Velmoran_VC").empty());
    null.HidePointer();
    null.ShowPointer();
}

}  // namespace
}  // namespace velmoran
