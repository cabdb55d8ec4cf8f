// Everything a back end of Velmoran.scr provides: the one seam between the
// portable saver and a platform.
//
// The portable core reaches the platform only through what this header
// declares (the show's desktop-facing parts through the display driver it
// includes), and every back end defines all of it: x11_fltk/ with mixer_cdio/
// on Linux, win32/ on Windows; the build links exactly one. The classes keep
// their platform state in a Native part that only the back end defines, so
// that each is declared here once. To give the saver something new of the
// platform, declare it here and define it in every back end.
//
// Texts are UTF-8, except paths given as system text: the encoding the
// settings file keeps paths in (the ANSI code page on Windows, UTF-8 elsewhere).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/capture_bitmap.h"
#include "saver/controls/command.h"
#include "saver/dialog/settings_dialog.h"
#include "saver/display/display_driver.h"
#include "saver/music/media_control.h"
#include "saver/preview/preview_form.h"
#include "saver/settings/profile_store.h"
#include "saver/settings/system_places.h"
#include "saver/show/run_form.h"
#include "saver/startup/hack_switches.h"

namespace velmoran {

// ---- The program and its desktop -----------------------------------------

// A modal message with an OK button; returns once it was closed. Without a
// display the text goes to the standard error output.
void ShowMessage(const std::string& text, const std::string& caption);

// Whether the saver's own windows (the settings dialog, the preview, a
// message box) can open: where an X display answers on Linux, Xwayland's on
// a Wayland desktop; always on Windows.
bool FormsCanOpen();

// ---- XScreenSaver's display modes ("hacks", X11 only) -----------------------

// Whether the saver takes on XScreenSaver's hack switches: true on X11,
// false on Windows, whose screen savers have none.
bool RunsHacks();

// A window's size and the size of its screen; nothing when there is no such
// window.
std::optional<WindowOnScreen> MeasureWindow(std::uint32_t window);

// ---- A show ----------------------------------------------------------------

// Where the capture goes when its usual place does not take it: the user's
// temporary folder on Windows, where a standard user may not create files in
// the root of C:; empty on Linux, whose usual place is the user's own.
std::filesystem::path CaptureFallbackFolder();

// The media facilities: media control command strings and a looping wave
// player. Only one may exist at a time: they share the process's audio output.
std::unique_ptr<MediaControl> CreateMediaControl();

// The viewer program as a child process of the show.
class ViewerProcess {
public:
    ViewerProcess();
    ~ViewerProcess();
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    // Starts `program` without arguments (on Windows its command line is the
    // path alone, the window shown normally) and with VELMORAN_CAPTURE set to
    // `capture`, left as it is when `capture` is empty. With a host window
    // (X11) the viewer shows in it, at its size, and ends when this process
    // does. False when no process could be started.
    bool Start(const std::filesystem::path& program, const std::filesystem::path& capture,
               std::uint32_t hostWindow);

    // Whether the started process has ended; true when none was started.
    bool Exited();

    // The started process's id; nothing when none was started.
    std::optional<ProcessId> Id() const;

    // Ends the started process: asks it to end, and ends it outright when it
    // is still there after kViewerEndGrace. Returns once it has gone.
    void End();

private:
    struct Native;
    std::unique_ptr<Native> native_;
};

// The window of Velmoran_S, the show's hidden form: titled kRunFormTitle and
// never shown (the title marks a running show), with the watch timer and the
// loop that hands the form its events.
class ShowFormWindow {
public:
    ShowFormWindow();
    ~ShowFormWindow();
    ShowFormWindow(const ShowFormWindow&) = delete;
    ShowFormWindow& operator=(const ShowFormWindow&) = delete;

    // False when the form could not be made: there is no show then. On Linux
    // the form runs without its window where no X display exists (Wayland).
    bool Exists() const;

    // Switches the watch timer (Timer3) on or off; while on it ticks at its
    // interval on this thread, never while another handler runs.
    void SetWatchTimer(bool enabled);

    // Runs the platform's events until End: each watch tick goes to
    // form.Timer3_Timer, a close request to form.Form_QueryUnload with
    // UnloadMode::FormControlMenu, and the end of the session to it with
    // UnloadMode::AppWindows: Windows' WM_QUERYENDSESSION and WM_ENDSESSION,
    // on Linux SIGTERM and SIGHUP, which also end a hack. Those signals reach
    // the form from the moment this window exists.
    void RunUntilEnded(Velmoran_S& form);

    // Ends the loop: no handler runs after this.
    void End();

private:
    struct Native;
    std::unique_ptr<Native> native_;
};

// ---- The preview -----------------------------------------------------------

// The window of Velmoran_R, the still preview, and the host window of the
// system's display settings that it goes into.
class PreviewWindow final : public PreviewView {
public:
    // host: the host window as the command line names it (a handle on
    // Windows, a window id on X11).
    explicit PreviewWindow(std::uint32_t host);
    ~PreviewWindow() override;
    PreviewWindow(const PreviewWindow&) = delete;
    PreviewWindow& operator=(const PreviewWindow&) = delete;

    std::optional<ScreenRect> HostRect() override;
    TwipsPerPixel ScreenTwipsPerPixel() override;
    void Load(int width, int height, const PreviewRect& image) override;
    bool BecomeChildOfHost() override;
    void PlaceForm(int width, int height) override;
    void PlaceImage(const PreviewRect& image) override;
    void Show() override;
    void PostClose() override;

    // Runs until the window has gone: with its host, taken out of it, or on
    // a close request. The form is unloaded then.
    void RunUntilGone(Velmoran_R& form);

private:
    struct Native;
    std::unique_ptr<Native> native_;
};

// ---- The settings dialog ---------------------------------------------------

// The window of the settings dialog Velmoran_P, built from the dialog's
// design with the platform's toolkit: shows what the presenter asks and hands
// it the user's actions.
class SettingsDialogWindow final : public SettingsDialogView {
public:
    SettingsDialogWindow();
    ~SettingsDialogWindow() override;
    SettingsDialogWindow(const SettingsDialogWindow&) = delete;
    SettingsDialogWindow& operator=(const SettingsDialogWindow&) = delete;

    // False when no window could be made (no display): there is no dialog then.
    bool Exists() const;

    // Hands the user's actions on the window to the dialog: clicks and
    // presses to its handlers, the system's close command to Unload.
    void Connect(SettingsDialog& dialog);

    // Runs the window's events, Tab and Shift+Tab going to the dialog's
    // MoveFocus, until the dialog has unloaded or the window has gone.
    void RunUntilClosed(SettingsDialog& dialog);

    void ShowWindow() override;
    void PaintWindow() override;
    bool HasFocus(design::ControlId control) override;
    bool CanFocus(design::ControlId control) override;
    void Focus(design::ControlId control) override;
    TwipSize ScreenSize() override;
    TwipSize WindowSize() override;
    void MoveWindow(long left, long top) override;
    void InitializeButton(design::ControlId button) override;
    void SetButtonEnabled(design::ControlId button, bool enabled) override;
    void SetMarkPicture(design::ControlId mark, design::ControlId picture) override;
    void SetComboEnabled(bool enabled) override;
    void SetComboText(const std::string& text) override;
    std::string ComboText() override;
    void AddComboItem(const std::string& text) override;
    void SetFileNameCaption(const std::string& path) override;
    std::optional<ScreenPoint> PointerPosition() override;
    void ZoomOpen(const ZoomAnchor& anchor) override;
    void ZoomClose(const ZoomAnchor& anchor) override;
    void SetPointer(PointerShape shape) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
    void OpenAddress(std::string_view address) override;
    ScaleSize SurfaceSize(DialogSurface surface) override;
    void DrawLines(DialogSurface surface, double width, const std::vector<RgbColour>& lineColours) override;
    void ShowMessage(const std::string& text, const std::string& path) override;
    void CloseWindow() override;

private:
    struct Native;
    std::unique_ptr<Native> native_;
};

// The skinned push button "Velmoran.Command" as a window of the platform (a
// child window of its own class on Windows, an FLTK widget on Linux). Command
// holds its behaviour; this draws it and hands it the platform's events. As a
// form loads its buttons:
//
//   CommandButton ok(parent, 324, 200, 77, 25);    // pixels, in the parent
//   ok.SetAmbientFont(formFont);                   // used when the bag has no "Font"
//   ok.OnClick([] { ... });
//   ok.Control().UserControl_ReadProperties(bag);  // caption, font, colour...
//   ok.Control().Initialize();                     // starts the pointer watch
//
// Control() gives the button's properties (Caption, Font, FontColour,
// Enabled, Visible) and UserControl_WriteProperties. The button takes the
// keyboard focus and sits in its parent's tab order, but never clicks from
// the keyboard. Its click handler may close the form that holds it; the
// object itself outlives the handler.
class CommandButton final : private FaceSurface, private ControlSite {
public:
    // parent: the window that holds the button (a window handle on Windows;
    // on Linux the FLTK group, x and y counting in its window).
    CommandButton(WindowRef parent, int x, int y, int width, int height);
    ~CommandButton() override;
    CommandButton(const CommandButton&) = delete;
    CommandButton& operator=(const CommandButton&) = delete;

    // The button's own window: its window handle, or its FLTK widget.
    WindowRef Window() const;
    Command& Control() { return control_; }
    void Focus();
    void OnClick(std::function<void()> handler) { onClick_ = std::move(handler); }
    void SetAmbientFont(ButtonFont font) { ambientFont_ = std::move(font); }

private:
    // FaceSurface: the back image is the size of the button.
    PixelSize InnerSize() const override;
    void Clear() override;
    void FillGradient(const std::array<GradientVertex, 2>& vertices, GradientRect mesh) override;
    void CopyFace(FaceImage image, PixelRect source, PixelRect destination) override;
    void Refresh() override;
    void ShowCaption(const CaptionElement& caption) override;
    void SetOpaque(bool opaque) override;

    // ControlSite
    void SetTimerEnabled(bool enabled) override {
        timerEnabled_ = enabled;
        RestartTimer();
    }
    void SetTimerInterval(int milliseconds) override {
        timerInterval_ = milliseconds;
        RestartTimer();
    }
    WindowRef WindowUnderPointer() const override;
    WindowRef OwnWindow() const override { return Window(); }
    WindowRef HostFormWindow() const override;
    ButtonFont AmbientFont() const override { return ambientFont_; }
    // No host of the button keeps its properties for later.
    void PropertyChanged(std::string_view) override {}
    void Click() override {
        if (onClick_) onClick_();
    }

    // Like a form's timer, the pointer watch ticks only while enabled with an
    // interval above 0.
    bool TimerTicks() const { return timerEnabled_ && timerInterval_ > 0; }
    void RestartTimer();

    // The platform's news that the button got or lost the keyboard focus.
    void FocusChanged(bool focused) {
        if (focused)
            control_.UserControl_GotFocus();
        else
            control_.UserControl_LostFocus();
    }

    struct Native;
    std::unique_ptr<Native> native_;
    CaptionElement caption_;
    bool opaque_ = true;
    bool timerEnabled_ = false;
    int timerInterval_ = 0;  // milliseconds
    ButtonFont ambientFont_ = DesignFont();
    std::function<void()> onClick_;
    Command control_{*this, *this};
};

}  // namespace velmoran
