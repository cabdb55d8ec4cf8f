// The preview form's window on Windows: a borderless popup window that
// becomes a child of the host and paints the form's pictures.
#pragma once

#include <windows.h>

#include "saver/preview/preview_form.h"
#include "saver/win32/ole_picture.h"

namespace velmoran {

class Win32PreviewWindow final : public PreviewView {
public:
    explicit Win32PreviewWindow(HWND host) : host_(host) {}
    ~Win32PreviewWindow() override;
    Win32PreviewWindow(const Win32PreviewWindow&) = delete;
    Win32PreviewWindow& operator=(const Win32PreviewWindow&) = delete;

    std::optional<ScreenRect> HostRect() override;
    TwipsPerPixel ScreenTwipsPerPixel() override;
    void Load(int width, int height, const PixelRect& image) override;
    bool BecomeChildOfHost() override;
    void PlaceForm(int width, int height) override;
    void PlaceImage(const PixelRect& image) override;
    void Show() override;
    void PostClose() override;

    // Runs the message loop until the window has been destroyed, with its
    // host or on a close request; the form is unloaded then.
    void RunUntilGone(Velmoran_R& form);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    void Paint();

    HWND host_;
    HWND window_ = nullptr;
    Velmoran_R* form_ = nullptr;
    PixelRect image_;
    OlePicture background_;
    OlePicture sample_;
};

}  // namespace velmoran
