// The settings dialog Velmoran_P, captioned "<Velmoran>": the user picks the
// music source (none, music CD, MP3 or WAV file), the CD track to repeat and
// the music file, and "設定" saves the choice to the settings file while
// "ｷｬﾝｾﾙ" or the close box discards it.
//
// This presenter holds the dialog's behaviour in handlers named after the
// element and the event; a platform view (settings_dialog_view.h) shows it
// and forwards its events here. Of the keys the dialog knows only Tab and
// Shift+Tab, which move the focus: no key saves, cancels or presses a button.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "saver/dialog/settings_dialog_view.h"
#include "saver/settings/profile_store.h"
#include "saver/settings/saver_places.h"
#include "saver/settings/settings.h"

namespace velmoran {

// The file chooser's texts.
inline constexpr const char* kMusicFilterDescription = "BGMﾌｧｲﾙ (MP3 WAV)";
inline constexpr const char* kMusicFilterPattern = "*.MP3;*.WAV";
inline constexpr const char* kFileChooserTitle = "ﾌｧｲﾙを開く";

// What the dialog says when "設定" could not write the settings file.
inline constexpr const char* kSaveFailedMessage = "設定を保存できませんでした。";

// Longest music file path the dialog takes from the chooser, in bytes: a
// longer one would come back cut from the settings file.
inline constexpr std::size_t kChosenPathLimit = kIniValueLimit - 1;

// The combo box's text for a track number: the number, or nothing for 0.
std::string RepeatText(std::int16_t track);

// The track number a combo box text stores: a number rounded half to even,
// 0 for any other text and for numbers outside -32768..32767.
std::int16_t RepeatFromText(std::string_view text);

class SettingsDialog {
public:
    // settings: the program-wide record, already loaded; places: where the
    // settings file lies.
    SettingsDialog(SettingsDialogView& view, MusicSettings& settings, ProfileStore& store, SaverPlaces places);
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;

    // Opens the dialog: Form_Load, the window shown, Form_Resize, the window
    // painted at once, gradients and all, and the focus on the first tab stop.
    void Show();

    // Once, before the window is first shown: placement, buttons, marks,
    // combo box, file name, and the opening zoom from the pointer.
    void Form_Load();
    // When the window is first shown and after any size change.
    void Form_Resize();
    // The closing zoom back to the anchor; the dialog never refuses to close.
    void Form_Unload();

    // Source selection: any mouse button on a mark or on its text selects
    // source `index`; button, shift state and position do not matter.
    void Img_BGM_MouseDown(int index, std::int16_t button, std::int16_t shift, float x, float y);
    void lbl_BGM_MouseDown(int index, std::int16_t button, std::int16_t shift, float x, float y);

    // Cmd_File is a group whose only member is 0.
    void Cmd_File_Click(int index);
    void Cmd_Set_Click();
    void Cmd_Can_Click();
    void lbl_URL_Click();

    // Tab (backwards: Shift+Tab): the focus goes to the next tab stop that
    // can take it.
    void MoveFocus(bool backwards);

    // Closes the dialog as every way of closing it does: Form_Unload, then
    // the window goes. The view calls it when the system closes the window
    // (the close box), which thus cancels. Only the first call does anything.
    void Unload();
    bool Unloaded() const { return unloaded_; }

    // Walks the form's push buttons in design order: initialises each when
    // initialise is true, otherwise sets its Enabled to enabled.
    void SetCommandButtons(bool initialise, bool enabled);

private:
    void SelectSource(int index);
    bool SaveSettings();
    void ShowSelectedMark();
    void PlaceWindow();
    void SetAnchorFromPointer();

    SettingsDialogView& view_;
    MusicSettings& settings_;
    ProfileStore& store_;
    const SaverPlaces places_;
    ZoomAnchor anchor_;
    bool unloaded_ = false;
};

}  // namespace velmoran
