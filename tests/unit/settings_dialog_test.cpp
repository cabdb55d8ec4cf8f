#include "saver/dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "recording_dialog_view.h"

namespace velmoran {
namespace {

using design::ControlId;
using test::ButtonState;
using test::ProfileWrite;
using test::RecordingDialogView;
using test::RecordingProfileStore;

#ifdef _WIN32
constexpr const char* kProgramFolder = "C:\\Saver";
constexpr const char* kIniFile = "C:\\Saver\\Velmoran.ini";
constexpr const char* kChosenFile = "D:\\Music\\Song.mp3";
constexpr const char* kChosenFolder = "D:\\Music";
#else
constexpr const char* kProgramFolder = "/opt/saver";
constexpr const char* kIniFile = "/opt/saver/Velmoran.ini";
constexpr const char* kChosenFile = "/home/u/Music/Song.mp3";
constexpr const char* kChosenFolder = "/home/u/Music";
#endif

constexpr std::int16_t kLeft = 1, kRight = 2;

class SettingsDialogTest : public testing::Test {
protected:
    SettingsDialogTest() { settings.BgmFolder = "start-folder"; }

    // Loads the dialog over these settings and forgets what loading showed in the log.
    void Load(std::int16_t kind, std::int16_t repeat = 0, std::string file = "") {
        settings.BgmKind = kind;
        settings.BgmRepeat = repeat;
        settings.BgmFile = std::move(file);
        dialog.Form_Load();
        view.log.clear();
    }

    std::vector<ProfileWrite> Saved(std::int16_t kind, std::int16_t repeat, std::string file) {
        return {{"Section", "BGM\x8B\xE6\x95\xAA", std::to_string(kind), kIniFile},
                {"Section", "BGM\xD8\xCB\xDF\xB0\xC4", std::to_string(repeat), kIniFile},
                {"Section", "BGM\xCC\xA7\xB2\xD9", std::move(file), kIniFile}};
    }

    // Which marks show the selected picture.
    std::vector<ControlId> SelectedMarks() const {
        std::vector<ControlId> selected;
        for (auto [mark, picture] : view.marks)
            if (picture == ControlId::ImgRa1) selected.push_back(mark);
        return selected;
    }

    bool FileButtonEnabled() { return view.buttons[ControlId::CmdFile0].enabled.value(); }

    MusicSettings settings;
    RecordingDialogView view;
    RecordingProfileStore store;
    SettingsDialog dialog{view, settings, store, PlacesOf(kProgramFolder)};
};

TEST_F(SettingsDialogTest, LoadCentresTheWindowWithAThirdOfTheFreeHeightAbove) {
    view.screen = {15360, 11520};   // 1024 x 768 pixels
    view.window = {7530, 4155};
    dialog.Form_Load();
    EXPECT_EQ(view.position, std::make_pair(3915L, 2455L));  // 7830 / 2, 7365 / 3

    // Differences are rounded half to even first, then divided dropping the remainder.
    view.screen = {15360.5, 11521};
    view.window = {7530, 4155};
    dialog.Form_Load();
    EXPECT_EQ(view.position, std::make_pair(3915L, 2455L));  // 7830 / 2, 7366 / 3
    view.screen = {15361.5, 11522};
    dialog.Form_Load();
    EXPECT_EQ(view.position, std::make_pair(3916L, 2455L));  // 7832 / 2, 7367 / 3

    // A window larger than the screen goes up and left, the quotient cut toward zero.
    view.screen = {7000, 4000};
    dialog.Form_Load();
    EXPECT_EQ(view.position, std::make_pair(-265L, -51L));  // -530 / 2, -155 / 3
}

TEST_F(SettingsDialogTest, LoadInitialisesEveryPushButtonOnce) {
    Load(kBgmNone);
    EXPECT_EQ(view.buttons.size(), 3u);
    EXPECT_EQ(view.buttons[ControlId::CmdSet].initialised, 1);
    EXPECT_EQ(view.buttons[ControlId::CmdCan].initialised, 1);
    EXPECT_EQ(view.buttons[ControlId::CmdFile0].initialised, 1);
    // Only the file button's Enabled is touched, by the source rule.
    EXPECT_EQ(view.buttons[ControlId::CmdSet], (ButtonState{1, std::nullopt}));
    EXPECT_EQ(view.buttons[ControlId::CmdCan], (ButtonState{1, std::nullopt}));
}

TEST_F(SettingsDialogTest, SetCommandButtonsWithoutInitialiseSetsEnabled) {
    dialog.SetCommandButtons(false, false);
    for (ControlId button : {ControlId::CmdCan, ControlId::CmdSet, ControlId::CmdFile0})
        EXPECT_EQ(view.buttons[button], (ButtonState{0, false}));
    dialog.SetCommandButtons(false, true);
    EXPECT_EQ(view.buttons[ControlId::CmdSet], (ButtonState{0, true}));
}

TEST_F(SettingsDialogTest, LoadShowsTheStoredSource) {
    Load(kBgmNone);
    EXPECT_EQ(view.marks.size(), 3u);
    EXPECT_EQ(SelectedMarks(), std::vector{ControlId::ImgBgm0});
    EXPECT_FALSE(view.comboEnabled.value());
    EXPECT_FALSE(FileButtonEnabled());

    Load(kBgmCd);
    EXPECT_EQ(SelectedMarks(), std::vector{ControlId::ImgBgm1});
    EXPECT_TRUE(view.comboEnabled.value());
    EXPECT_FALSE(FileButtonEnabled());
}

TEST_F(SettingsDialogTest, MusicFileAtLoadEnablesTheFileButtonAndNotTheComboBox) {
    Load(kBgmMusicFile, 0, kChosenFile);
    EXPECT_EQ(SelectedMarks(), std::vector{ControlId::ImgBgm2});
    EXPECT_FALSE(view.comboEnabled.value());
    EXPECT_TRUE(FileButtonEnabled());
    EXPECT_EQ(view.fileCaption, kChosenFile);
}

TEST_F(SettingsDialogTest, StoredSourceOutsideTheRangeSelectsNoMarkAndIsSavedBack) {
    for (std::int16_t kind : {std::int16_t(7), std::int16_t(-3)}) {
        RecordingDialogView v;
        RecordingProfileStore s;
        MusicSettings m{kind, 0, "", ""};
        SettingsDialog d{v, m, s, PlacesOf(kProgramFolder)};
        d.Form_Load();
        EXPECT_EQ(v.marks.size(), 3u);
        for (auto [mark, picture] : v.marks) EXPECT_EQ(picture, ControlId::ImgRa0);
        EXPECT_FALSE(v.comboEnabled.value());
        EXPECT_FALSE(v.buttons[ControlId::CmdFile0].enabled.value());
        d.Cmd_Set_Click();
        ASSERT_EQ(s.writes.size(), 3u);
        EXPECT_EQ(s.writes[0].value, std::to_string(kind));
    }
}

TEST_F(SettingsDialogTest, ComboTextShowsTheTrackAndNothingForZero) {
    Load(kBgmCd, 0);
    EXPECT_EQ(view.comboText, "");
    Load(kBgmCd, 7);
    EXPECT_EQ(view.comboText, "7");
    Load(kBgmCd, -2);
    EXPECT_EQ(view.comboText, "-2");
}

TEST_F(SettingsDialogTest, ListHoldsAnEmptyEntryAndOneToThirtyAfterTheText) {
    settings.BgmRepeat = 7;
    dialog.Form_Load();
    ASSERT_EQ(view.comboItems.size(), 31u);
    EXPECT_EQ(view.comboItems.front(), "");
    for (int i = 1; i <= 30; ++i) EXPECT_EQ(view.comboItems[std::size_t(i)], std::to_string(i));
    // The text is set first; adding items does not change it.
    auto firstItem = std::find(view.log.begin(), view.log.end(), "combo item");
    EXPECT_EQ(std::count(view.log.begin(), firstItem, "combo text"), 1);
    EXPECT_EQ(std::count(firstItem, view.log.end(), "combo text"), 0);
    EXPECT_EQ(view.comboText, "7");
}

TEST_F(SettingsDialogTest, LoadZoomsOpenFromThePointerThenRestoresTheArrow) {
    view.pointer = ScreenPoint{640, -12};
    dialog.Form_Load();
    const std::vector<std::string> tail(view.log.end() - 2, view.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"zoom open at 640,-12", "pointer default"}));
    dialog.Cmd_Can_Click();
    EXPECT_EQ(view.lastAnchor.AnchorX, 640) << "the zoom closes to where it opened from";
    EXPECT_EQ(view.lastAnchor.AnchorY, -12);
}

TEST_F(SettingsDialogTest, UnreadablePointerAnchorsTheZoomAtTheTopLeft) {
    view.pointer = ScreenPoint{55, 55};
    dialog.Form_Load();
    view.pointer.reset();
    dialog.Form_Load();
    EXPECT_EQ(view.log.end()[-2], "zoom open at 0,0");
    // A position beyond 16 bits cannot be an anchor either.
    view.pointer = ScreenPoint{40000, 10};
    dialog.Form_Load();
    EXPECT_EQ(view.log.end()[-2], "zoom open at 0,0");
}

TEST_F(SettingsDialogTest, ClickingTheLabelSelectsLikeClickingTheMark) {
    Load(kBgmNone);
    dialog.Img_BGM_MouseDown(1, kLeft, 0, 3, 4);
    EXPECT_EQ(settings.BgmKind, kBgmCd);
    EXPECT_EQ(SelectedMarks(), std::vector{ControlId::ImgBgm1});
    EXPECT_TRUE(view.comboEnabled.value());
    EXPECT_FALSE(FileButtonEnabled());

    RecordingDialogView other;
    RecordingProfileStore otherStore;
    MusicSettings otherSettings{kBgmNone, 0, "", "start-folder"};
    SettingsDialog otherDialog{other, otherSettings, otherStore, PlacesOf(kProgramFolder)};
    otherDialog.Form_Load();
    otherDialog.lbl_BGM_MouseDown(1, kLeft, 0, 30, 5);
    EXPECT_EQ(otherSettings.BgmKind, kBgmCd);
    EXPECT_EQ(other.marks, view.marks);
    EXPECT_EQ(other.comboEnabled, view.comboEnabled);
    EXPECT_EQ(other.buttons, view.buttons);
    EXPECT_TRUE(store.writes.empty() && otherStore.writes.empty());
}

TEST_F(SettingsDialogTest, AnyMouseButtonSelects) {
    Load(kBgmNone);
    dialog.Img_BGM_MouseDown(2, kRight, 1, 0, 0);
    EXPECT_EQ(settings.BgmKind, kBgmMusicFile);
    EXPECT_EQ(SelectedMarks(), std::vector{ControlId::ImgBgm2});
    EXPECT_TRUE(FileButtonEnabled());
    EXPECT_FALSE(view.comboEnabled.value());
    dialog.lbl_BGM_MouseDown(0, 4, 0, 0, 0);
    EXPECT_EQ(settings.BgmKind, kBgmNone);
    EXPECT_EQ(SelectedMarks(), std::vector{ControlId::ImgBgm0});
    EXPECT_FALSE(FileButtonEnabled());
    EXPECT_FALSE(view.comboEnabled.value());
}

TEST_F(SettingsDialogTest, SelectionOfAnUnknownSourceChangesNothing) {
    Load(kBgmCd);
    const auto marks = view.marks;
    dialog.Img_BGM_MouseDown(3, kLeft, 0, 0, 0);
    dialog.lbl_BGM_MouseDown(-1, kLeft, 0, 0, 0);
    EXPECT_EQ(settings.BgmKind, kBgmCd);
    EXPECT_EQ(view.marks, marks);
}

TEST_F(SettingsDialogTest, SetWritesTheThreeKeysInOrderAndCloses) {
    Load(kBgmCd, 3, kChosenFile);
    view.comboText = "12";
    dialog.Cmd_Set_Click();
    EXPECT_EQ(store.writes, Saved(kBgmCd, 12, kChosenFile));
    EXPECT_EQ(settings.BgmRepeat, 12);
    EXPECT_EQ(view.log, (std::vector<std::string>{"zoom close", "close"}));
    EXPECT_TRUE(dialog.Unloaded());
}

TEST_F(SettingsDialogTest, ASaveThatFailsIsToldAndTheDialogStaysWithTheChoice) {
    for (std::size_t failing : {0u, 1u, 2u}) {
        RecordingDialogView v;
        RecordingProfileStore s;
        MusicSettings m{kBgmNone, 0, "", ""};
        SettingsDialog d{v, m, s, PlacesOf(kProgramFolder)};
        d.Form_Load();
        d.Img_BGM_MouseDown(1, kLeft, 0, 0, 0);
        v.comboText = "9";
        v.log.clear();
        s.failFrom = failing;
        d.Cmd_Set_Click();
        EXPECT_EQ(s.writes.size(), failing) << "no write after the one that failed";
        EXPECT_EQ(v.log, (std::vector<std::string>{std::string("message ") + kSaveFailedMessage + " | " + kIniFile}))
            << failing;
        EXPECT_FALSE(d.Unloaded());
        EXPECT_EQ(m.BgmKind, kBgmCd);
        EXPECT_EQ(v.comboText, "9");

        // Once the file can be written, the same choice is saved whole.
        s.failFrom.reset();
        s.writes.clear();
        v.log.clear();
        d.Cmd_Set_Click();
        EXPECT_EQ(s.writes, Saved(kBgmCd, 9, ""));
        EXPECT_EQ(v.log, (std::vector<std::string>{"zoom close", "close"}));
    }
}

TEST_F(SettingsDialogTest, SetStoresTheComboTextRoundedOrZero) {
    const std::pair<const char*, std::int16_t> cases[] = {
        {"", 0},     {"abc", 0},        {"12", 12},         {"2.5", 2},     {"3.5", 4},
        {" 7 ", 7},  {"-4", -4},        {"1e1", 10},        {"12abc", 0},   {"32767", 32767},
        {"-32768", -32768}, {"40000", 0}, {"32767.5", 0},   {"-40000", 0},  {"1e400", 0},
    };
    for (auto [text, stored] : cases) {
        RecordingDialogView v;
        RecordingProfileStore s;
        MusicSettings m{kBgmCd, 5, "", ""};
        SettingsDialog d{v, m, s, PlacesOf(kProgramFolder)};
        d.Form_Load();
        v.comboText = text;
        d.Cmd_Set_Click();
        ASSERT_EQ(s.writes.size(), 3u) << text;
        EXPECT_EQ(s.writes[1].value, std::to_string(stored)) << '"' << text << '"';
        EXPECT_EQ(m.BgmRepeat, stored) << text;
    }
}

TEST_F(SettingsDialogTest, MusicFileWithoutAFileSavesAnEmptyFile) {
    Load(kBgmNone);
    dialog.Img_BGM_MouseDown(2, kLeft, 0, 0, 0);
    dialog.Cmd_Set_Click();
    EXPECT_EQ(store.writes, Saved(kBgmMusicFile, 0, ""));
}

TEST_F(SettingsDialogTest, CancelWritesNothingEvenAfterAFileWasChosen) {
    Load(kBgmNone);
    dialog.Img_BGM_MouseDown(2, kLeft, 0, 0, 0);
    view.chooserAnswer = kChosenFile;
    dialog.Cmd_File_Click(0);
    EXPECT_EQ(settings.BgmFile, kChosenFile);
    view.log.clear();
    dialog.Cmd_Can_Click();
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(view.log, (std::vector<std::string>{"zoom close", "close"}));
}

TEST_F(SettingsDialogTest, TheCloseBoxCancelsAndTheDialogClosesOnce) {
    Load(kBgmCd, 4);
    dialog.Unload();  // what the view calls for the system's close command
    dialog.Cmd_Set_Click();
    dialog.Cmd_Can_Click();
    dialog.Unload();
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(view.log, (std::vector<std::string>{"zoom close", "close"}));
}

TEST_F(SettingsDialogTest, FileChooserOpensWithTheMusicFilterInTheLastFolder) {
    Load(kBgmMusicFile, 0, "");
    dialog.Cmd_File_Click(0);
    ASSERT_EQ(view.chooserRequests.size(), 1u);
    const FileChooserRequest& request = view.chooserRequests[0];
    EXPECT_EQ(request.filterDescription, "BGM\uFF8C\uFF67\uFF72\uFF99 (MP3 WAV)");
    EXPECT_EQ(request.filterPattern, "*.MP3;*.WAV");
    EXPECT_EQ(request.title, "\uFF8C\uFF67\uFF72\uFF99\u3092\u958B\u304F");
    EXPECT_EQ(request.startFolder, "start-folder");
}

TEST_F(SettingsDialogTest, ChosenFileIsShownAndItsFolderOpensNextTime) {
    Load(kBgmMusicFile, 0, "");
    view.chooserAnswer = kChosenFile;
    dialog.Cmd_File_Click(0);
    EXPECT_EQ(settings.BgmFile, kChosenFile);
    EXPECT_EQ(view.fileCaption, kChosenFile);
    EXPECT_EQ(settings.BgmFolder, kChosenFolder);
    dialog.Cmd_File_Click(0);
    EXPECT_EQ(view.chooserRequests.back().startFolder, kChosenFolder);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(SettingsDialogTest, CancelledChooserOrUnstorablePathChangesNothing) {
    Load(kBgmMusicFile, 0, "old.mp3");
    const std::string tooLong = std::string(kChosenPathLimit - 4 + 1, 'a') + ".mp3";
    for (std::optional<std::string> answer : std::initializer_list<std::optional<std::string>>{
             std::nullopt, std::string(), tooLong, std::string("a\nb.mp3"), std::string("a\rb.mp3")}) {
        view.chooserAnswer = answer;
        dialog.Cmd_File_Click(0);
        EXPECT_EQ(settings.BgmFile, "old.mp3");
        EXPECT_EQ(settings.BgmFolder, "start-folder");
        EXPECT_EQ(view.fileCaption, "old.mp3");
    }
    // The longest path that comes back whole from the settings file is taken.
    const std::string longest = std::string(kChosenPathLimit - 4, 'a') + ".mp3";
    view.chooserAnswer = longest;
    dialog.Cmd_File_Click(0);
    EXPECT_EQ(settings.BgmFile, longest);
}

TEST_F(SettingsDialogTest, HomePageOpensUnderTheHourglass) {
    Load(kBgmNone);
    dialog.lbl_URL_Click();
    EXPECT_EQ(view.log, (std::vector<std::string>{"pointer hourglass", "open https://velmoran.example.org/",
                                                  "pointer default"}));
}

TEST_F(SettingsDialogTest, ResizePaintsBothGradientsAcrossTheirSurfaces) {
    dialog.Form_Resize();
    ASSERT_EQ(view.drawn.size(), 2u);
    const auto& [formWidth, form] = view.drawn[DialogSurface::Form];
    const auto& [panelWidth, panel] = view.drawn[DialogSurface::Panel];
    EXPECT_EQ(formWidth, 496);
    EXPECT_EQ(panelWidth, 469);
    ASSERT_EQ(form.size(), 244u);   // lines 0 to 243
    ASSERT_EQ(panel.size(), 166u);  // lines 0 to 165
    EXPECT_EQ(form.front(), (RgbColour{0, 0, 30}));
    EXPECT_EQ(form[122], (RgbColour{220, 220, 250}));
    EXPECT_EQ(form.back(), (RgbColour{0, 0, 30}));
    EXPECT_EQ(panel.front(), (RgbColour{30, 30, 30}));
    EXPECT_EQ(panel[82], (RgbColour{250, 250, 250}));
    EXPECT_EQ(panel.back(), (RgbColour{30, 30, 30}));
}

TEST_F(SettingsDialogTest, ShowPaintsTheLoadedWindowWithItsGradientsAndFocusesThePanel) {
    dialog.Show();
    ASSERT_GE(view.log.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(view.log.end() - 5, view.log.end()),
              (std::vector<std::string>{"zoom open at 300,200", "pointer default", "show window, 0 surfaces drawn",
                                        "paint window, 2 surfaces drawn", "focus Pic_C"}));
    EXPECT_TRUE(view.position);
}

TEST_F(SettingsDialogTest, TabMovesTheFocusAlongTheStopsThatCanTakeIt) {
    view.unfocusable = {ControlId::BgmRepeat};
    view.focus = ControlId::PicC0;
    dialog.MoveFocus(false);
    EXPECT_EQ(view.focus, ControlId::CmdFile0);
    dialog.MoveFocus(true);
    EXPECT_EQ(view.focus, ControlId::PicC0);
    dialog.MoveFocus(true);
    EXPECT_EQ(view.focus, ControlId::PicDummy);  // round the start to the end

    view.focus = std::nullopt;  // on no tab stop
    dialog.MoveFocus(false);
    EXPECT_EQ(view.focus, ControlId::PicC0);
}

TEST_F(SettingsDialogTest, TabLeavesTheFocusWhereNoStopCanTakeIt) {
    view.unfocusable = {ControlId::PicC0, ControlId::BgmRepeat, ControlId::CmdFile0, ControlId::CmdSet,
                        ControlId::CmdCan, ControlId::PicDummy};
    view.focus = ControlId::CmdSet;
    dialog.MoveFocus(false);
    dialog.MoveFocus(true);
    EXPECT_EQ(view.focus, ControlId::CmdSet);
    EXPECT_TRUE(view.log.empty());
}

}  // namespace
}  // namespace velmoran
