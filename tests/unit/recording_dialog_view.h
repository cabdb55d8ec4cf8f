// A settings dialog view that keeps what the presenter showed on it and logs
// the calls whose order matters, and a profile store that keeps the writes.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "saver/dialog/settings_dialog_view.h"
#include "saver/settings/profile_store.h"

namespace velmoran::test {

using design::ControlId;

struct ButtonState {
    int initialised = 0;
    std::optional<bool> enabled;
    friend bool operator==(const ButtonState&, const ButtonState&) = default;
};

class RecordingDialogView : public SettingsDialogView {
public:
    // What the window shows.
    std::optional<std::pair<long, long>> position;
    std::map<ControlId, ButtonState> buttons;
    std::map<ControlId, ControlId> marks;  // mark -> Img_Ra member shown on it
    std::optional<bool> comboEnabled;
    std::string comboText;
    std::vector<std::string> comboItems;
    std::optional<std::string> fileCaption;
    std::map<DialogSurface, std::pair<double, std::vector<RgbColour>>> drawn;
    ZoomAnchor lastAnchor;  // the anchor of the last zoom, either way

    // The order of the calls that have one: "combo text", "combo item",
    // "zoom open at x,y", "zoom close", "pointer default", "pointer hourglass",
    // "open <address>", "close", "choose file", "show window" and "paint
    // window" (each with how many surfaces were drawn by then), "focus <name>".
    std::vector<std::string> log;

    // The tab stop that holds the focus, and those that cannot take it.
    std::optional<ControlId> focus;
    std::set<ControlId> unfocusable;

    // What the platform reports.
    TwipSize screen{15360, 11520};
    TwipSize window{7530, 4155};
    std::optional<ScreenPoint> pointer = ScreenPoint{300, 200};
    std::map<DialogSurface, ScaleSize> surfaces{{DialogSurface::Form, {496, 243}},
                                                {DialogSurface::Panel, {469, 165}}};
    std::optional<std::string> chooserAnswer;
    std::vector<FileChooserRequest> chooserRequests;

    void ShowWindow() override { log.push_back("show window, " + std::to_string(drawn.size()) + " surfaces drawn"); }
    void PaintWindow() override {
        log.push_back("paint window, " + std::to_string(drawn.size()) + " surfaces drawn");
    }
    bool HasFocus(ControlId control) override { return focus == control; }
    bool CanFocus(ControlId control) override { return !unfocusable.contains(control); }
    void Focus(ControlId control) override {
        focus = control;
        log.push_back("focus " + std::string(design::ControlOf(control).name));
    }
    TwipSize ScreenSize() override { return screen; }
    TwipSize WindowSize() override { return window; }
    void MoveWindow(long left, long top) override { position = {left, top}; }
    void InitializeButton(ControlId button) override { ++buttons[button].initialised; }
    void SetButtonEnabled(ControlId button, bool enabled) override { buttons[button].enabled = enabled; }
    void SetMarkPicture(ControlId mark, ControlId picture) override { marks[mark] = picture; }
    void SetComboEnabled(bool enabled) override { comboEnabled = enabled; }
    void SetComboText(const std::string& text) override {
        comboText = text;
        log.push_back("combo text");
    }
    std::string ComboText() override { return comboText; }
    void AddComboItem(const std::string& text) override {
        comboItems.push_back(text);
        log.push_back("combo item");
    }
    void SetFileNameCaption(const std::string& path) override { fileCaption = path; }
    std::optional<ScreenPoint> PointerPosition() override { return pointer; }
    void ZoomOpen(const ZoomAnchor& anchor) override {
        lastAnchor = anchor;
        log.push_back("zoom open at " + std::to_string(anchor.AnchorX) + "," + std::to_string(anchor.AnchorY));
    }
    void ZoomClose(const ZoomAnchor& anchor) override {
        lastAnchor = anchor;
        log.push_back("zoom close");
    }
    void SetPointer(PointerShape shape) override {
        log.push_back(shape == PointerShape::Default ? "pointer default" : "pointer hourglass");
    }
    std::optional<std::string> ChooseFile(const FileChooserRequest& request) override {
        chooserRequests.push_back(request);
        log.push_back("choose file");
        return chooserAnswer;
    }
    void OpenAddress(std::string_view address) override { log.push_back("open " + std::string(address)); }
    ScaleSize SurfaceSize(DialogSurface surface) override { return surfaces[surface]; }
    void DrawLines(DialogSurface surface, double width, const std::vector<RgbColour>& lineColours) override {
        drawn[surface] = {width, lineColours};
    }
    void ShowMessage(const std::string& text, const std::string& path) override {
        log.push_back("message " + text + " | " + path);
    }
    void CloseWindow() override { log.push_back("close"); }
};

struct ProfileWrite {
    std::string section, key, value, file;
    friend bool operator==(const ProfileWrite&, const ProfileWrite&) = default;
};

class RecordingProfileStore : public ProfileStore {
public:
    std::vector<ProfileWrite> writes;

    std::string Read(const std::string&, const std::string&, const std::string&) override { return {}; }
    bool Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file) override {
        if (failFrom && writes.size() >= *failFrom) return false;
        writes.push_back({section, key, value, file});
        return true;
    }
    // The writes from this one on fail (counting from 0); none when empty.
    std::optional<std::size_t> failFrom;
};

}  // namespace velmoran::test
