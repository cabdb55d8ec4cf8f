#include "saver/posix/surface_notices.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace velmoran {
namespace {

constexpr ProcessId kViewer = 4242;

// The viewer's end of a new notice pipe: a copy of the writing end, as the
// viewer inherits it, before the saver closes its own.
class SurfaceNoticesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const int writer = OpenSurfaceNotices();
        ASSERT_GE(writer, 0);
        viewerEnd_ = dup(writer);
        ASSERT_GE(viewerEnd_, 0);
        SurfaceNoticesHandedTo(kViewer);
    }
    void TearDown() override { ViewerEnds(); }

    void Say(const std::string& text) { ASSERT_EQ(write(viewerEnd_, text.data(), text.size()), ssize_t(text.size())); }
    void ViewerEnds() {
        if (viewerEnd_ >= 0) close(viewerEnd_);
        viewerEnd_ = -1;
    }

    int viewerEnd_ = -1;
};

TEST_F(SurfaceNoticesTest, TheSurfaceIsUpFromItsUpLineToItsGoneLine) {
    EXPECT_EQ(ViewerSurfaceUp(), std::nullopt);
    Say("up\n");
    EXPECT_EQ(ViewerSurfaceUp(), kViewer);
    EXPECT_EQ(ViewerSurfaceUp(), kViewer);
    Say("gone\n");
    EXPECT_EQ(ViewerSurfaceUp(), std::nullopt);
}

TEST_F(SurfaceNoticesTest, ALineCountsOnlyOnceItIsWhole) {
    Say("u");
    EXPECT_EQ(ViewerSurfaceUp(), std::nullopt);
    Say("p\ngo");
    EXPECT_EQ(ViewerSurfaceUp(), kViewer);
    Say("ne\n");
    EXPECT_EQ(ViewerSurfaceUp(), std::nullopt);
}

TEST_F(SurfaceNoticesTest, OtherLinesChangeNothing) {
    Say("up\nupgone\n\nGONE\n  gone\n");
    EXPECT_EQ(ViewerSurfaceUp(), kViewer);
}

TEST_F(SurfaceNoticesTest, AViewerThatEndsTakesItsSurfaceAndThePipeWithIt) {
    Say("up\n");
    ASSERT_EQ(ViewerSurfaceUp(), kViewer);
    EXPECT_GE(SurfaceNoticeReader(), 0);
    ViewerEnds();
    EXPECT_EQ(ViewerSurfaceUp(), std::nullopt);
    EXPECT_EQ(SurfaceNoticeReader(), -1);
}

TEST_F(SurfaceNoticesTest, AnEndlessLineIsDroppedAndTheWordAfterItHeard) {
    Say(std::string(10000, 'x'));
    ViewerSurfaceUp();
    Say("\nup\n");
    EXPECT_EQ(ViewerSurfaceUp(), kViewer);
}

TEST_F(SurfaceNoticesTest, ANewPipeForgetsTheLastViewer) {
    Say("up\n");
    ASSERT_EQ(ViewerSurfaceUp(), kViewer);
    const int writer = OpenSurfaceNotices();
    ASSERT_GE(writer, 0);
    SurfaceNoticesHandedTo(std::nullopt);  // no viewer was started with it
    EXPECT_EQ(ViewerSurfaceUp(), std::nullopt);
    EXPECT_EQ(SurfaceNoticeReader(), -1);
}

}  // namespace
}  // namespace velmoran
