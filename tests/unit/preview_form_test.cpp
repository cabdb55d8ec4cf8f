#include "saver/preview/preview_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmoran {
namespace {

using Calls = std::vector<std::string>;

std::string Text(const PreviewRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
}

// Records what the form asked of its window, in order.
class RecordingView final : public PreviewView {
public:
    std::optional<ScreenRect> HostRect() override { return host; }
    TwipsPerPixel ScreenTwipsPerPixel() override { return factors; }
    void Load(int width, int height, const PreviewRect& image) override {
        calls.push_back("load " + std::to_string(width) + "x" + std::to_string(height) + " image " + Text(image));
    }
    bool BecomeChildOfHost() override {
        calls.push_back("child of host");
        return hostTakesIt;
    }
    void PlaceForm(int width, int height) override {
        calls.push_back("form 0,0 " + std::to_string(width) + "x" + std::to_string(height));
    }
    void PlaceImage(const PreviewRect& image) override { calls.push_back("image " + Text(image)); }
    void Show() override { calls.push_back("show"); }
    void PostClose() override { calls.push_back("post close"); }

    std::optional<ScreenRect> host = ScreenRect{500, 300, 652, 412};
    TwipsPerPixel factors = TwipsPerPixelAt(96, 96);
    bool hostTakesIt = true;
    Calls calls;
};

class PreviewFormTest : public testing::Test {
protected:
    RecordingView view;
    Velmoran_R form{view};
};

TEST_F(PreviewFormTest, LoadsAsDesignedThenBecomesTheHostsChildCoveringItAndShows) {
    EXPECT_TRUE(form.Embed());
    EXPECT_EQ(view.calls, (Calls{"load 173x129 image 0,0 152x112", "child of host", "form 0,0 152x112",
                                "image 0,0 152x112", "show"}));
}

TEST_F(PreviewFormTest, DesignSizesFollowTheScreensTwipsPerPixel) {
    view.factors = TwipsPerPixelAt(120, 120);
    EXPECT_TRUE(form.Embed());
    EXPECT_EQ(view.calls, (Calls{"load 216x161 image 0,0 190x140", "child of host", "form 0,0 152x112",
                                "image 0,0 152x112", "show"}));
}

TEST_F(PreviewFormTest, WithoutAHostNothingIsLoadedOrShown) {
    view.host.reset();
    EXPECT_FALSE(form.Embed());
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(PreviewFormTest, AHostThatRefusesTheFormLeavesItUnshown) {
    view.hostTakesIt = false;
    EXPECT_FALSE(form.Embed());
    EXPECT_EQ(view.calls, (Calls{"load 173x129 image 0,0 152x112", "child of host"}));
}

TEST_F(PreviewFormTest, FollowsTheHostsNewSize) {
    ASSERT_TRUE(form.Embed());
    view.calls.clear();
    view.host = ScreenRect{500, 300, 900, 600};
    form.HostResized();
    EXPECT_EQ(view.calls, (Calls{"form 0,0 400x300", "image 0,0 400x300"}));

    view.calls.clear();
    view.host.reset();
    form.HostResized();
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(PreviewFormTest, UnloadPostsACloseRequestToItsOwnWindow) {
    ASSERT_TRUE(form.Embed());
    view.calls.clear();
    form.Form_Unload();
    EXPECT_EQ(view.calls, Calls{"post close"});
}

}  // namespace
}  // namespace velmoran
