#include "saver/dialog/settings_dialog.h"

#include <cmath>
#include <limits>
#include <utility>

#include "saver/dialog/dialog_tab_order.h"
#include "saver/settings/number_text.h"
#include "saver/settings/paths.h"

namespace velmoran {

using design::ControlId;

namespace {

constexpr int kTrackListLast = 30;  // the list offers "" (0) and 1 to 30

bool FitsInt16(std::int32_t value) {
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

// A path the settings file can hold: not empty, short enough to come back
// whole, and on one line.
bool StorablePath(const std::string& path) {
    return !path.empty() && path.size() <= kChosenPathLimit && path.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

std::string RepeatText(std::int16_t track) { return track == 0 ? std::string() : std::to_string(track); }

std::int16_t RepeatFromText(std::string_view text) {
    const std::optional<double> number = WholeNumber(text);
    if (!number) return 0;
    const double rounded = std::nearbyint(*number);  // halves go to the even neighbour
    // Out of range stores 0 like any other text that is no track number.
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= std::numeric_limits<std::int16_t>::max()))
        return 0;
    return std::int16_t(rounded);
}

SettingsDialog::SettingsDialog(SettingsDialogView& view, MusicSettings& settings, ProfileStore& store,
                               SaverPlaces places)
    : view_(view), settings_(settings), store_(store), places_(std::move(places)) {}

void SettingsDialog::Show() {
    Form_Load();
    view_.ShowWindow();
    Form_Resize();
    view_.PaintWindow();
    view_.Focus(TabStops().front());
}

void SettingsDialog::Form_Load() {
    PlaceWindow();
    SetCommandButtons(true, true);
    view_.SetComboEnabled(false);
    ShowSelectedMark();
    if (settings_.BgmKind == kBgmCd) view_.SetComboEnabled(true);
    view_.SetButtonEnabled(ControlId::CmdFile0, settings_.BgmKind == kBgmMusicFile);
    view_.SetComboText(RepeatText(settings_.BgmRepeat));
    for (int track = 0; track <= kTrackListLast; ++track) view_.AddComboItem(RepeatText(std::int16_t(track)));
    view_.SetFileNameCaption(settings_.BgmFile);
    SetAnchorFromPointer();
    view_.ZoomOpen(anchor_);
    view_.SetPointer(PointerShape::Default);
}

// Centred across the screen, with a third of the free height above the
// window and two thirds below. The differences are rounded to whole twips
// first; the division drops the remainder.
void SettingsDialog::PlaceWindow() {
    const TwipSize screen = view_.ScreenSize();
    const TwipSize window = view_.WindowSize();
    const double freeWidth = std::nearbyint(screen.width - window.width);
    const double freeHeight = std::nearbyint(screen.height - window.height);
    if (!std::isfinite(freeWidth) || !std::isfinite(freeHeight)) return;
    view_.MoveWindow(std::lround(freeWidth) / 2, std::lround(freeHeight) / 3);
}

void SettingsDialog::SetAnchorFromPointer() {
    const std::optional<ScreenPoint> pointer = view_.PointerPosition();
    const bool usable = pointer && FitsInt16(pointer->x) && FitsInt16(pointer->y);
    anchor_.AnchorX = usable ? std::int16_t(pointer->x) : 0;
    anchor_.AnchorY = usable ? std::int16_t(pointer->y) : 0;
}

void SettingsDialog::SetCommandButtons(bool initialise, bool enabled) {
    for (const design::Control& control : design::kControls) {
        if (control.kind != design::Kind::PushButton) continue;
        if (initialise)
            view_.InitializeButton(control.id);
        else
            view_.SetButtonEnabled(control.id, enabled);
    }
}

// Every mark unselected, then the mark of the source selected; a source
// outside 0..2 has no mark, so none shows selected.
void SettingsDialog::ShowSelectedMark() {
    for (ControlId mark : design::kImgBgm) view_.SetMarkPicture(mark, ControlId::ImgRa0);
    const int kind = settings_.BgmKind;
    if (kind >= 0 && kind < int(design::kImgBgm.size()))
        view_.SetMarkPicture(design::kImgBgm[std::size_t(kind)], ControlId::ImgRa1);
}

void SettingsDialog::Form_Resize() {
    for (DialogSurface surface : {DialogSurface::Form, DialogSurface::Panel}) {
        const ScaleSize size = view_.SurfaceSize(surface);
        view_.DrawLines(surface, size.width, GradientLineColours(size.height, surface));
    }
}

void SettingsDialog::Img_BGM_MouseDown(int index, std::int16_t, std::int16_t, float, float) { SelectSource(index); }

void SettingsDialog::lbl_BGM_MouseDown(int index, std::int16_t, std::int16_t, float, float) { SelectSource(index); }

// Nothing is written here; the combo box and the file button follow the source.
void SettingsDialog::SelectSource(int index) {
    if (index < 0 || index >= int(design::kImgBgm.size())) return;
    settings_.BgmKind = std::int16_t(index);
    view_.SetButtonEnabled(ControlId::CmdFile0, false);
    view_.SetComboEnabled(false);
    ShowSelectedMark();
    if (settings_.BgmKind == kBgmCd) view_.SetComboEnabled(true);
    if (settings_.BgmKind == kBgmMusicFile) view_.SetButtonEnabled(ControlId::CmdFile0, true);
}

// A cancelled chooser, or a path the settings file could not hold, changes nothing.
void SettingsDialog::Cmd_File_Click(int /*index*/) {
    const FileChooserRequest request{kMusicFilterDescription, kMusicFilterPattern, kFileChooserTitle,
                                     settings_.BgmFolder};
    const std::optional<std::string> chosen = view_.ChooseFile(request);
    if (!chosen || !StorablePath(*chosen)) return;
    settings_.BgmFile = *chosen;
    view_.SetFileNameCaption(settings_.BgmFile);
    settings_.BgmFolder = FolderOf(settings_.BgmFile);
}

// A save that fails is told, and the dialog stays open with the user's
// choice, to be saved again once the file can be written.
void SettingsDialog::Cmd_Set_Click() {
    if (unloaded_) return;
    if (!SaveSettings()) {
        view_.ShowMessage(kSaveFailedMessage, places_.settingsFile);
        return;
    }
    Unload();
}

// The three keys, in this order and every time, changed or not; the first
// that cannot be written ends the save.
bool SettingsDialog::SaveSettings() {
    const std::string& file = places_.settingsFile;
    if (!IniWrite(store_, kIniSection, kKeyBgmKind, std::to_string(settings_.BgmKind), file)) return false;
    settings_.BgmRepeat = RepeatFromText(view_.ComboText());
    if (!IniWrite(store_, kIniSection, kKeyBgmRepeat, std::to_string(settings_.BgmRepeat), file)) return false;
    return IniWrite(store_, kIniSection, kKeyBgmFile, settings_.BgmFile, file);
}

void SettingsDialog::Cmd_Can_Click() { Unload(); }

void SettingsDialog::MoveFocus(bool backwards) {
    std::optional<ControlId> current;
    for (ControlId stop : TabStops())
        if (view_.HasFocus(stop)) current = stop;
    const auto canFocus = [this](ControlId stop) { return view_.CanFocus(stop); };
    if (const std::optional<ControlId> next = NextTabStop(current, backwards, canFocus)) view_.Focus(*next);
}

void SettingsDialog::Form_Unload() { view_.ZoomClose(anchor_); }

void SettingsDialog::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Form_Unload();
    view_.CloseWindow();
}

void SettingsDialog::lbl_URL_Click() {
    view_.SetPointer(PointerShape::Hourglass);
    view_.OpenAddress(design::ControlOf(ControlId::LblUrl).caption);
    view_.SetPointer(PointerShape::Default);
}

}  // namespace velmoran
