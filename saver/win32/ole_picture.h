// Pictures compiled into the program, decoded by the system's own OLE picture
// loader into GDI bitmaps; and OLE itself for the forms that use it.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <memory>
#include <string_view>

namespace velmoran {

// OLE for the life of a form: it serves the picture loader, the file-open
// dialog and the shell's "open". Pictures go before the session does.
class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialised_;
};

class OlePicture {
public:
    // The embedded picture of that name (as under assets/); an empty picture
    // when the program does not carry it or the loader cannot read it.
    static OlePicture FromAsset(std::string_view name);

    explicit operator bool() const { return bitmap_ != nullptr; }
    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    struct Release {
        void operator()(IUnknown* object) const { object->Release(); }
    };

    std::unique_ptr<IPicture, Release> picture_;  // owns the bitmap
    HBITMAP bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace velmoran
