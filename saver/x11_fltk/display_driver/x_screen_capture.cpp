#include "saver/x11_fltk/display_driver/x_screen_capture.h"

#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "saver/show/screen_pixels.h"
#include "saver/x11_fltk/x/x_error_trap.h"

namespace velmoran {

namespace {

struct ImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using ImagePtr = std::unique_ptr<XImage, ImageDeleter>;

// The screen's pixels through a shared-memory segment: one copy less than
// through the socket, which counts on large screens. Only when the server
// shares this machine's memory.
class SharedImage {
public:
    SharedImage(Display* d, const PictureSource& source) : display_(d) {
        if (!XShmQueryExtension(d)) return;
        image_.reset(XShmCreateImage(d, source.visual, static_cast<unsigned>(source.depth), ZPixmap, nullptr,
                                     &segment_, static_cast<unsigned>(source.width),
                                     static_cast<unsigned>(source.height)));
        if (!image_) return;
        segment_.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image_->bytes_per_line) * image_->height,
                                IPC_CREAT | 0600);
        if (segment_.shmid < 0) return;
        segment_.shmaddr = image_->data = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
        // Marked for removal at once: it goes when both sides have let go,
        // whatever happens to this process.
        shmctl(segment_.shmid, IPC_RMID, nullptr);
        if (segment_.shmaddr == reinterpret_cast<char*>(-1)) {
            segment_.shmaddr = image_->data = nullptr;
            return;
        }
        segment_.readOnly = False;
        XErrorTrap trap(d);
        attached_ = XShmAttach(d, &segment_) && !trap.Failed();
        filled_ = attached_ && XShmGetImage(d, source.drawable, image_.get(), 0, 0, AllPlanes) && !trap.Failed();
        if (filled_) MapAllPages();
    }
    ~SharedImage() {
        if (attached_) {
            XErrorTrap trap(display_);
            XShmDetach(display_, &segment_);
        }
        if (image_) image_->data = nullptr;  // the segment is not Xlib's to free
        if (segment_.shmaddr) shmdt(segment_.shmaddr);
    }
    SharedImage(const SharedImage&) = delete;
    SharedImage& operator=(const SharedImage&) = delete;

    XImage* Filled() const { return filled_ ? image_.get() : nullptr; }

private:
    // The server has filled the segment; mapping all of it into this process
    // at once costs a fraction of faulting it in page by page as it is read.
    // A hint: kernels without it read the pages as before.
    void MapAllPages() {
#ifdef MADV_POPULATE_READ
        madvise(segment_.shmaddr, static_cast<std::size_t>(image_->bytes_per_line) * image_->height,
                MADV_POPULATE_READ);
#endif
    }

    Display* display_;
    XShmSegmentInfo segment_{};
    ImagePtr image_;
    bool attached_ = false;
    bool filled_ = false;
};

// Colour-mapped screens store an index per pixel; the map gives the colours.
std::vector<std::array<std::uint8_t, 3>> ColourMap(Display* d, const PictureSource& source) {
    const int entries = source.visual->map_entries;
    if (entries <= 0 || entries > 4096) return {};
    std::vector<XColor> colours(entries);
    for (int i = 0; i < entries; ++i) colours[i].pixel = static_cast<unsigned long>(i);
    XQueryColors(d, source.colormap, colours.data(), entries);
    std::vector<std::array<std::uint8_t, 3>> map(entries);
    for (int i = 0; i < entries; ++i)
        map[i] = {static_cast<std::uint8_t>(colours[i].blue >> 8), static_cast<std::uint8_t>(colours[i].green >> 8),
                  static_cast<std::uint8_t>(colours[i].red >> 8)};
    return map;
}

PixelLayout LayoutOf(Display* d, const PictureSource& source, const XImage& image) {
    PixelLayout layout;
    layout.bitsPerPixel = image.bits_per_pixel;
    layout.mostSignificantFirst = image.byte_order == MSBFirst;
    layout.redMask = static_cast<std::uint32_t>(source.visual->red_mask);
    layout.greenMask = static_cast<std::uint32_t>(source.visual->green_mask);
    layout.blueMask = static_cast<std::uint32_t>(source.visual->blue_mask);
    const int kind = source.visual->c_class;
    if (kind != TrueColor && kind != DirectColor) layout.palette = ColourMap(d, source);
    return layout;
}

// The source's image from the server: through shared memory where it can,
// else through the socket.
class ServerImage {
public:
    ServerImage(Display* d, const PictureSource& source) : shared_(d, source) {
        if (shared_.Filled()) return;
        XErrorTrap trap(d);
        plain_.reset(XGetImage(d, source.drawable, 0, 0, static_cast<unsigned>(source.width),
                               static_cast<unsigned>(source.height), AllPlanes, ZPixmap));
        if (trap.Failed()) plain_.reset();
    }

    const XImage* Filled() const { return shared_.Filled() ? shared_.Filled() : plain_.get(); }

private:
    SharedImage shared_;
    ImagePtr plain_;
};

// The server's image kept as it came, each band converted when it is asked for.
class ImageScreen final : public CapturedScreen {
public:
    ImageScreen(Display* d, const PictureSource& source) : image_(d, source) {
        if (const XImage* image = image_.Filled()) layout_ = LayoutOf(d, source, *image);
    }

    bool Readable() const {
        const XImage* image = image_.Filled();
        return image && image->data &&
               CanConvert(image->width, static_cast<std::size_t>(image->bytes_per_line), layout_);
    }

    int Width() const override { return image_.Filled()->width; }
    int Height() const override { return image_.Filled()->height; }

    std::span<const std::uint8_t> Rows(int first, int count, std::span<std::uint8_t> band) const override {
        const XImage& image = *image_.Filled();
        if (first < 0 || count <= 0 || first > image.height - count) return {};
        const auto line = static_cast<std::size_t>(image.bytes_per_line);
        const auto* pixels = reinterpret_cast<const std::uint8_t*>(image.data) + line * static_cast<std::size_t>(first);
        if (!ConvertToBgr(pixels, image.width, count, line, layout_, band)) return {};
        return band.first(CaptureRowSize(image.width) * static_cast<std::size_t>(count));
    }

private:
    ServerImage image_;
    PixelLayout layout_;
};

bool Capturable(Display* d, const PictureSource& source) {
    return d && source.visual && source.width > 0 && source.height > 0;
}

}  // namespace

std::unique_ptr<CapturedScreen> CaptureImage(Display* d, const PictureSource& source) {
    if (!Capturable(d, source)) return nullptr;
    auto screen = std::make_unique<ImageScreen>(d, source);
    if (!screen->Readable()) return nullptr;
    return screen;
}

std::optional<ScreenPicture> CapturePicture(Display* d, const PictureSource& source) {
    if (!Capturable(d, source)) return std::nullopt;
    const ServerImage server(d, source);
    const XImage* image = server.Filled();
    ScreenPicture picture;
    if (!image || !ConvertToBgr(reinterpret_cast<const std::uint8_t*>(image->data), image->width, image->height,
                                static_cast<std::size_t>(image->bytes_per_line), LayoutOf(d, source, *image),
                                picture))
        return std::nullopt;
    return picture;
}

std::unique_ptr<CapturedScreen> CaptureRootWindow(Display* d) {
    if (!d) return nullptr;
    const Window root = RootWindow(d, DefaultScreen(d));
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, root, &attributes)) return nullptr;
    return CaptureImage(d, {root, attributes.width, attributes.height, attributes.depth, attributes.visual,
                            attributes.colormap});
}

}  // namespace velmoran
