// GoogleTest comes first: Xlib defines None as a macro.
#include <gtest/gtest.h>

#include "viewer/x11_glx/glx_window.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/host_window.h"
#include "viewer/x11_glx/event_loop.h"

namespace velmoran {
namespace {

class GlxWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(display_, nullptr) << "no X display"; }
    void TearDown() override {
        if (window_) DestroyGlxWindow(display_, *window_);
        if (host_ != None) XDestroyWindow(display_, host_);
        unsetenv(kHostWindowVariable);
        XCloseDisplay(display_);
    }

    std::vector<long> Cardinals(const char* name, Atom type) const {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char* data = nullptr;
        std::vector<long> values;
        if (XGetWindowProperty(display_, window_->window, XInternAtom(display_, name, False), 0, 8, False, type,
                               &actual, &format, &count, &remaining, &data) == Success &&
            format == 32)
            values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
        if (data) XFree(data);
        return values;
    }

    Display* display_ = XOpenDisplay(nullptr);
    Window host_ = None;
    std::optional<GlxWindow> window_;
};

TEST_F(GlxWindowTest, OwnWindowIsDoubleBufferedWithA16BitDepthBufferAndTellsWhoItIs) {
    const std::optional<ViewerWindowPlace> place = PlaceOfViewerWindow(display_);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->host, static_cast<Window>(None));
    EXPECT_EQ(place->width, 1024);
    EXPECT_EQ(place->height, 768);
    window_ = CreateGlxWindow(display_, *place);
    ASSERT_TRUE(window_ && window_->context);

    GLint depth = 0, red = 0, green = 0, blue = 0;
    GLboolean doubled = GL_FALSE;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    glGetIntegerv(GL_RED_BITS, &red);
    glGetIntegerv(GL_GREEN_BITS, &green);
    glGetIntegerv(GL_BLUE_BITS, &blue);
    glGetBooleanv(GL_DOUBLEBUFFER, &doubled);
    EXPECT_EQ(depth, 16);
    EXPECT_EQ(red + green + blue, DefaultDepth(display_, DefaultScreen(display_)));
    EXPECT_EQ(window_->bitsPerPixel, DefaultDepth(display_, DefaultScreen(display_)));
    EXPECT_TRUE(doubled);

    char* title = nullptr;
    ASSERT_TRUE(XFetchName(display_, window_->window, &title));
    EXPECT_STREQ(title, "Velmoran_VC");
    XFree(title);
    XClassHint classHint = {};
    ASSERT_TRUE(XGetClassHint(display_, window_->window, &classHint));
    EXPECT_STREQ(classHint.res_name, "Velmoran_VC");
    EXPECT_STREQ(classHint.res_class, "Velmoran_VC");
    XFree(classHint.res_name);
    XFree(classHint.res_class);
    EXPECT_EQ(Cardinals("_NET_WM_PID", XA_CARDINAL), std::vector<long>{getpid()});
    const std::vector<long> motif = Cardinals("_MOTIF_WM_HINTS", XInternAtom(display_, "_MOTIF_WM_HINTS", False));
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ(motif[0] & 2, 2) << "decorations are set";
    EXPECT_EQ(motif[2], 0) << "and there are none";
}

TEST_F(GlxWindowTest, InAHostTheWindowIsItsChildAtItsSize) {
    host_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 40, 30, 320, 200, 0, 0, 0);
    setenv(kHostWindowVariable, std::to_string(host_).c_str(), 1);
    const std::optional<ViewerWindowPlace> place = PlaceOfViewerWindow(display_);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->host, host_);
    window_ = CreateGlxWindow(display_, *place);
    ASSERT_TRUE(window_);

    Window root = None, parent = None, *children = nullptr;
    unsigned int count = 0;
    ASSERT_TRUE(XQueryTree(display_, window_->window, &root, &parent, &children, &count));
    if (children) XFree(children);
    EXPECT_EQ(parent, host_);
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(display_, window_->window, &attributes));
    EXPECT_EQ(attributes.width, 320);
    EXPECT_EQ(attributes.height, 200);
    XSetErrorHandler(nullptr);  // the host's handler would end this test on an error
}

TEST_F(GlxWindowTest, AHostThatIsNoWindowGivesNoPlace) {
    for (const char* named : {"", "12x", "4294967295"}) {
        setenv(kHostWindowVariable, named, 1);
        EXPECT_FALSE(PlaceOfViewerWindow(display_)) << '"' << named << '"';
    }
}

TEST(KeyTableCode, EscapeAndCharactersHaveCodesOtherKeysNone) {
    EXPECT_EQ(KeyTableCode(XK_Escape), kEscapeKey);
    EXPECT_EQ(KeyTableCode(XK_a), 'a');
    EXPECT_EQ(KeyTableCode(XK_Return), 13);
    EXPECT_EQ(KeyTableCode(XK_F1), -1);
    EXPECT_EQ(KeyTableCode(XK_Shift_L), -1);
}

}  // namespace
}  // namespace velmoran
