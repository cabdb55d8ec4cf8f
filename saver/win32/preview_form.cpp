#include "saver/win32/preview_form.h"

#include <windows.h>
#include <ole2.h>

#include "saver/preview/preview_form.h"
#include "saver/win32/preview_window.h"

namespace velmoran {

void RunPreviewForm(std::uint32_t host) {
    const bool ole = SUCCEEDED(OleInitialize(nullptr));
    {
        // A window handle on the command line is 32 bits; wider handles are
        // its sign extension.
        Win32PreviewWindow window(reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(host))));
        Velmoran_R form(window);
        if (form.Embed()) window.RunUntilGone(form);
    }
    if (ole) OleUninitialize();
}

}  // namespace velmoran
