#include "viewer/viewer_shell.h"

#include <gtest/gtest.h>

#include <string>

namespace velmoran {
namespace {

std::string asked;  // the shells' names, in the order they were asked or run

bool No() { return asked += "no?", false; }
bool Yes() { return asked += "yes?", true; }
int RunSeven() { return asked += "run", 7; }
int RunNever() { return asked += "wrong", 1; }

const ViewerShell kAbsent = {"absent", &No, &RunNever};
const ViewerShell kPresent = {"present", &Yes, &RunSeven};
const ViewerShell kLater = {"later", &Yes, &RunNever};

TEST(RunFirstShell, AsksInOrderAndRunsOnlyTheFirstThatCan) {
    asked.clear();
    const ViewerShell* const shells[] = {&kAbsent, &kPresent, &kLater};
    EXPECT_EQ(RunFirstShell(shells, 3), 7);
    EXPECT_EQ(asked, "no?yes?run");
}

TEST(RunFirstShell, NoShellThatCanRunEndsWithStatusZero) {
    asked.clear();
    const ViewerShell* const shells[] = {&kAbsent, &kAbsent};
    EXPECT_EQ(RunFirstShell(shells, 2), 0);
    EXPECT_EQ(asked, "no?no?");
}

}  // namespace
}  // namespace velmoran
