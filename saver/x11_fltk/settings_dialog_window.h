// The settings dialog "<Velmoran>" on FLTK: the window built from the
// dialog's design, showing what the presenter asks and handing it the
// user's actions.
#pragma once

#include <array>
#include <memory>

#include "saver/dialog/settings_dialog.h"
#include "saver/dialog/settings_dialog_view.h"

class Fl_Widget;

namespace velmoran {

class CommandButton;
class DialogPanel;
class DialogWindow;
class RepeatCombo;

class X11SettingsDialogView final : public SettingsDialogView {
public:
    X11SettingsDialogView();
    ~X11SettingsDialogView() override;
    X11SettingsDialogView(const X11SettingsDialogView&) = delete;
    X11SettingsDialogView& operator=(const X11SettingsDialogView&) = delete;

    // Loads and shows the dialog, and handles its events until it has closed.
    void Run(SettingsDialog& dialog);

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
    void ZoomOpen() override;
    void ZoomClose() override;
    void SetPointer(PointerShape shape) override;
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
    void OpenAddress(std::string_view address) override;
    ScaleSize SurfaceSize(DialogSurface surface) override;
    void DrawLines(DialogSurface surface, double width, const std::vector<RgbColour>& lineColours) override;
    void CloseWindow() override;

private:
    void Build();
    void BuildPainted(std::optional<design::ControlId> container, int originX, int originY);
    CommandButton* BuildButton(design::ControlId id, int originX, int originY, const design::Font& ambient);
    void Connect(SettingsDialog& dialog);
    void ShowWindow();
    void MoveFocus(bool backwards);
    void ShowPointer();
    CommandButton* Button(design::ControlId id) const;
    Fl_Widget*& Widget(design::ControlId id) { return widgets_[std::size_t(id)]; }
    Fl_Widget* Widget(design::ControlId id) const { return widgets_[std::size_t(id)]; }

    std::unique_ptr<DialogWindow> window_;
    DialogPanel* panel_ = nullptr;
    RepeatCombo* combo_ = nullptr;
    std::array<Fl_Widget*, design::kControlCount> widgets_{};
    bool overLink_ = false;
    bool busy_ = false;
};

}  // namespace velmoran
