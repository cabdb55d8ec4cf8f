// The settings dialog "<Velmoran>" on Windows: a top-level window built from
// the dialog's design with the wide-character calls, showing what the
// presenter asks and handing it the user's actions.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "saver/dialog/settings_dialog.h"
#include "saver/dialog/settings_dialog_view.h"
#include "saver/win32/ole_picture.h"

namespace velmoran {

class CommandButton;
class PaintedWindow;

class Win32SettingsDialogView final : public SettingsDialogView {
public:
    Win32SettingsDialogView();
    ~Win32SettingsDialogView() override;
    Win32SettingsDialogView(const Win32SettingsDialogView&) = delete;
    Win32SettingsDialogView& operator=(const Win32SettingsDialogView&) = delete;

    // Loads and shows the dialog, and runs its messages until it has closed.
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
    void LoadArt();
    void BuildPainted(PaintedWindow& surface, std::optional<design::ControlId> container);
    void BuildButton(design::ControlId id, HWND parent, const design::Font& ambient);
    void BuildCombo();
    void Connect(SettingsDialog& dialog);
    void RunMessages(SettingsDialog& dialog);
    void MoveFocus(bool backwards);
    HWND FocusWindow(design::ControlId id) const;
    HWND Form() const;
    HFONT FontOf(const design::Font& font);
    HCURSOR PointerOver(std::optional<design::ControlId> control) const;

    std::unique_ptr<PaintedWindow> form_;
    std::unique_ptr<PaintedWindow> panel_;
    std::unique_ptr<PaintedWindow> dummy_;
    HWND combo_ = nullptr;
    std::array<std::unique_ptr<CommandButton>, design::kControlCount> buttons_;
    std::vector<std::pair<design::Font, HFONT>> fonts_;
    std::array<OlePicture, 2> marks_;  // the pictures of Img_Ra(0) and Img_Ra(1)
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HCURSOR linkPointer_ = nullptr;
    bool busy_ = false;
};

}  // namespace velmoran
