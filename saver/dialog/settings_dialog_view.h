// What the settings dialog's presenter asks of the window that shows it. Each
// platform implements it with its own toolkit, building the window from
// settings_dialog_design.h; the presenter holds every rule.
//
// Texts are UTF-8, except paths: a music file path or folder is passed in the
// encoding the settings record holds it in (the system's ANSI code page on
// Windows, UTF-8 elsewhere), and the view converts it for display.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "saver/dialog/dialog_gradient.h"
#include "saver/dialog/dialog_pointer.h"
#include "saver/dialog/settings_dialog_design.h"
#include "saver/dialog/zoom_anchor.h"
#include "saver/rgb_colour.h"

namespace velmoran {

struct TwipSize {
    double width = 0, height = 0;
};

struct ScreenPoint {
    std::int32_t x = 0, y = 0;
};

// The size of a drawing surface in its own scale units (pixels).
struct ScaleSize {
    double width = 0, height = 0;
};

// The file-open dialog: one filter entry, a title and the folder it opens in.
struct FileChooserRequest {
    std::string filterDescription;
    std::string filterPattern;
    std::string title;
    std::string startFolder;  // a path, see above
};

class SettingsDialogView {
public:
    virtual ~SettingsDialogView() = default;

    // Showing maps the window; painting draws it and what it holds at once.
    virtual void ShowWindow() = 0;
    virtual void PaintWindow() = 0;

    // The keyboard focus on a tab stop (dialog_tab_order.h): whether the
    // control or one of its parts holds it, whether the control can take it
    // now (shown and enabled), and giving it to the control.
    virtual bool HasFocus(design::ControlId control) = 0;
    virtual bool CanFocus(design::ControlId control) = 0;
    virtual void Focus(design::ControlId control) = 0;

    // The screen's size and the window's outer size, in twips; moving puts
    // the window's outer top-left corner at (left, top) twips on the screen.
    virtual TwipSize ScreenSize() = 0;
    virtual TwipSize WindowSize() = 0;
    virtual void MoveWindow(long left, long top) = 0;

    // The push buttons Cmd_Can, Cmd_Set and Cmd_File(0): the button's
    // Initialize operation, and its Enabled property.
    virtual void InitializeButton(design::ControlId button) = 0;
    virtual void SetButtonEnabled(design::ControlId button, bool enabled) = 0;

    // Shows on the option mark Img_BGM(i) the picture of Img_Ra(0) or Img_Ra(1).
    virtual void SetMarkPicture(design::ControlId mark, design::ControlId picture) = 0;

    // The combo box BGM_Repeat. Adding an item leaves the text as it is.
    virtual void SetComboEnabled(bool enabled) = 0;
    virtual void SetComboText(const std::string& text) = 0;
    virtual std::string ComboText() = 0;
    virtual void AddComboItem(const std::string& text) = 0;

    // The caption of lbl_Fname(0): the music file's path.
    virtual void SetFileNameCaption(const std::string& path) = 0;

    // The pointer's position in screen pixels; nothing when it cannot be read.
    virtual std::optional<ScreenPoint> PointerPosition() = 0;

    // The caption zoom between the anchor and the window.
    virtual void ZoomOpen(const ZoomAnchor& anchor) = 0;
    virtual void ZoomClose(const ZoomAnchor& anchor) = 0;

    // The application-wide mouse pointer, Default or Hourglass; the view
    // shows PointerOver it and the control under the pointer.
    virtual void SetPointer(PointerShape shape) = 0;

    // The file-open dialog, owned by the dialog's window; the chosen path, or
    // nothing when the user cancelled or the dialog failed.
    virtual std::optional<std::string> ChooseFile(const FileChooserRequest& request) = 0;

    // Opens the address with the desktop's default handler; failures ignored.
    virtual void OpenAddress(std::string_view address) = 0;

    // A surface's inner size, and horizontal lines drawn into its persistent
    // image: line y (from 0) runs from (0, y) to (width, y) in lineColours[y].
    // The controls on the surface stay visible over the lines.
    virtual ScaleSize SurfaceSize(DialogSurface surface) = 0;
    virtual void DrawLines(DialogSurface surface, double width, const std::vector<RgbColour>& lineColours) = 0;

    // A modal message with an OK button over the dialog, captioned with the
    // program's title: the text, then on a line of its own a path (see
    // above). Returns once it was closed; the dialog stays as it was.
    virtual void ShowMessage(const std::string& text, const std::string& path) = 0;

    // Takes the window away; the modal loop that shows it returns. The view
    // does not call back into the presenter from here.
    virtual void CloseWindow() = 0;
};

}  // namespace velmoran
