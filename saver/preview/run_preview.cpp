#include "saver/preview/run_preview.h"

#include "saver/backend.h"

namespace velmoran {

void RunPreviewForm(std::uint32_t hostWindow) {
    PreviewWindow window(hostWindow);
    Velmoran_R form(window);
    if (form.Embed()) window.RunUntilGone(form);
}

}  // namespace velmoran
