// GoogleTest comes first: Xlib defines None as a macro.
#include <gtest/gtest.h>

#include "saver/x11_fltk/forms/zoom.h"

#include <X11/Xutil.h>

#include "saver/x11_fltk/x/display.h"

namespace velmoran {
namespace {

// The whole screen's pixels, to compare before and after drawing.
class ScreenPicture {
public:
    ScreenPicture(Display* display, Window root) {
        XWindowAttributes attributes;
        XGetWindowAttributes(display, root, &attributes);
        image_ = XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    }
    ~ScreenPicture() { XDestroyImage(image_); }
    ScreenPicture(const ScreenPicture&) = delete;
    ScreenPicture& operator=(const ScreenPicture&) = delete;

    unsigned long Pixel(int x, int y) const { return XGetPixel(image_, x, y) & 0xFFFFFF; }
    bool operator==(const ScreenPicture& other) const {
        const std::size_t size = static_cast<std::size_t>(image_->bytes_per_line) * image_->height;
        return std::equal(image_->data, image_->data + size, other.image_->data);
    }

private:
    XImage* image_;
};

class ZoomTest : public testing::Test {
protected:
    void SetUp() override {
        display = SaverDisplay();
        ASSERT_NE(display, nullptr) << "needs a display";
        root = DefaultRootWindow(display);
        // A grey window, so that the outline crosses a window and the root.
        window = XCreateSimpleWindow(display, root, 100, 100, 300, 200, 0, 0, 0x808080);
        XMapWindow(display, window);
        XSync(display, False);
    }
    void TearDown() override {
        if (!display) return;
        XDestroyWindow(display, window);
        XSync(display, False);
    }

    Display* display = nullptr;
    Window root = 0;
    Window window = 0;
};

TEST_F(ZoomTest, AnOutlineInvertsItsEdgesAndDrawingItAgainTakesItAway) {
    const ScreenPicture before(display, root);
    const ScreenRect rect{50, 60, 250, 160};
    DrawZoomOutline(display, root, rect);
    XSync(display, False);
    {
        const ScreenPicture drawn(display, root);
        EXPECT_EQ(drawn.Pixel(50, 110), before.Pixel(50, 110) ^ 0xFFFFFF) << "left edge over the root";
        EXPECT_EQ(drawn.Pixel(249, 130), 0x808080 ^ 0xFFFFFF) << "right edge over the window";
        EXPECT_EQ(drawn.Pixel(150, 159), 0x808080 ^ 0xFFFFFF) << "bottom edge over the window";
        EXPECT_EQ(drawn.Pixel(150, 120), 0x808080u) << "inside stays";
        EXPECT_EQ(drawn.Pixel(300, 200), 0x808080u) << "outside stays";
    }
    DrawZoomOutline(display, root, rect);
    XSync(display, False);
    EXPECT_TRUE(ScreenPicture(display, root) == before);
}

TEST_F(ZoomTest, OuterRectIsThatOfTheFrameHoldingTheWindow) {
    EXPECT_EQ(OuterRect(display, window), (ScreenRect{100, 100, 400, 300}));
    EXPECT_EQ(OuterRect(display, 0x7FFFFFF), std::nullopt);
    const Window frame = XCreateSimpleWindow(display, root, 30, 40, 320, 230, 2, 0, 0);
    XReparentWindow(display, window, frame, 10, 20);
    XSync(display, False);
    EXPECT_EQ(OuterRect(display, window), (ScreenRect{30, 40, 354, 274}));
    XDestroyWindow(display, frame);
    window = XCreateSimpleWindow(display, root, 0, 0, 10, 10, 0, 0, 0);
}

TEST_F(ZoomTest, OpeningAndClosingLeaveTheScreenAsItWas) {
    const ScreenPicture before(display, root);
    const ZoomAnchor anchor{700, 20};
    ZoomOpen(ScreenRect{100, 100, 400, 300}, anchor);
    EXPECT_TRUE(ScreenPicture(display, root) == before);
    ZoomClose(window, anchor);
    EXPECT_TRUE(ScreenPicture(display, root) == before);
    ZoomClose(0x7FFFFFF, anchor);  // no such window: nothing to animate, nothing fails
    EXPECT_TRUE(ScreenPicture(display, root) == before);
}

}  // namespace
}  // namespace velmoran
