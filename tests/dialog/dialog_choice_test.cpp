// The choices made in the settings dialog of the real Tessarine.scr /c with
// real mouse and key input: the kind, the music file through the file picker
// (where each browse starts, a name that the code page cannot spell or too
// long, a file away for a moment), the repeat track, the picture group (its
// lists, the colour dialog, the check boxes, 既定値に戻す), the keys, what OK
// writes and what Cancel and the close command leave alone, what a screen
// reader is told, and second starts while the dialog is open.
#include <gtest/gtest.h>

#include <cstdio>

// The annotation service's GUIDs defined here.
#include <initguid.h>
#include <oleacc.h>

#include "dialog_test_support.h"
#include "settings.h"  // the keys of the settings file

namespace tessarine::test {
namespace {

using shell::kKeyFile;
using shell::kKeyKind;
using shell::kKeyRepeat;

// What a screen reader is told a control is called.
std::wstring accessible_name(HWND control) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
  if (!object) return L"<no object>";
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  object->get_accName(self, &name);
  std::wstring text = name ? name : L"";
  SysFreeString(name);
  object->Release();
  return text;
}

// An MP3 file beside the shell, for a run whose kind is the file.
std::wstring song_in(const ConfigureRun& run) {
  const std::wstring song = run.file(L"song.mp3");
  EXPECT_TRUE(write_file_bytes(song, "ID3"));
  return song;
}

TEST(SettingsDialog, ACdKindOpensWithItsMarkAndRepeatListIgnoresSecondStartsAndEscapeCancels) {
  ConfigureRun run;
  const std::string before = run.write_settings(1, 3, L"");
  ASSERT_TRUE(run.open());
  HWND repeat = run.control(ids::kIdRepeat);
  EXPECT_TRUE(IsWindowEnabled(repeat));
  EXPECT_FALSE(IsWindowEnabled(run.control(ids::kIdFileButton)));
  EXPECT_EQ(text_of(repeat), L"3");
  wchar_t first[16] = L"?";
  wchar_t last[16] = {};
  SendMessageW(repeat, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  SendMessageW(repeat, CB_GETLBTEXT, 30, reinterpret_cast<LPARAM>(last));
  EXPECT_STREQ(first, L"");
  EXPECT_STREQ(last, L"30");
  EXPECT_EQ(run.marked_kinds(), std::vector<int>{1});

  // Any further start of the shell ends at once while the dialog is open,
  // a preview in a live parent too.
  TestWindow parent(L"parent", 152, 112);
  for (const std::wstring& arguments : {std::wstring(L"/s"), std::wstring(L"/c"), L"/p " + parent.handle_text()}) {
    Process second = run.start(arguments);
    EXPECT_TRUE(pump_until([&] { return !second.running(); })) << "a second start with " << to_ansi(arguments);
  }
  parent.destroy();

  // The keys reach the focused repeat field.
  SetForegroundWindow(run.dialog());
  click(repeat);
  press_key('7');
  EXPECT_TRUE(wait_until([&] { return text_of(repeat).find(L'7') != std::wstring::npos; }, 10s))
      << to_ansi(text_of(repeat));

  // Tab walks the repeat list, the picture group, OK and Cancel, skipping the
  // disabled "...".
  for (int id : {ids::kIdSpeed, ids::kIdDensity, ids::kIdFrameRateLimit, ids::kIdColourButton, ids::kIdShowFrameRate,
                 ids::kIdEndOnInput, ids::kIdDefaults, ids::kIdSet, ids::kIdCancel, ids::kIdRepeat}) {
    press_key(VK_TAB);
    EXPECT_TRUE(run.focus_comes_to(id)) << "focus on " << id;
  }

  // Escape in the repeat field is Cancel: nothing is written.
  press_key(VK_ESCAPE);
  ASSERT_TRUE(run.process().wait()) << "Escape did not close the dialog";
  EXPECT_EQ(run.settings_bytes(), before) << "Cancel writes nothing";
}

TEST(SettingsDialog, AnOutOfRangeKindShowsNoMarkAndIsWrittenBack) {
  ConfigureRun run(5, 0, L"");
  ASSERT_TRUE(run.open());
  EXPECT_FALSE(IsWindowEnabled(run.control(ids::kIdRepeat)));
  EXPECT_FALSE(IsWindowEnabled(run.control(ids::kIdFileButton)));
  EXPECT_EQ(text_of(run.control(ids::kIdRepeat)), L"");
  EXPECT_TRUE(run.marked_kinds().empty());

  // What a screen reader is told: each button's text is its caption, and it
  // is a push button whose default action clicks it (while it is enabled).
  EXPECT_EQ(text_of(run.control(ids::kIdSet)), L"\u8A2D\u5B9A");
  EXPECT_EQ(text_of(run.control(ids::kIdCancel)), L"\uFF77\uFF6C\uFF9D\uFF7E\uFF99");
  EXPECT_EQ(text_of(run.control(ids::kIdFileButton)), L"...");
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const auto accessible = [&](int id) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(run.control(id), OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    return object;
  };
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  IAccessible* file_button = accessible(ids::kIdFileButton);
  ASSERT_NE(file_button, nullptr);
  VARIANT state = {};
  EXPECT_EQ(file_button->get_accState(self, &state), S_OK);
  EXPECT_TRUE(state.lVal & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_NE(file_button->accDoDefaultAction(self), S_OK);
  file_button->Release();
  IAccessible* set = accessible(ids::kIdSet);
  ASSERT_NE(set, nullptr);
  VARIANT role = {};
  EXPECT_EQ(set->get_accRole(self, &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(accessible_name(run.control(ids::kIdSet)), L"\u8A2D\u5B9A");
  EXPECT_EQ(set->accDoDefaultAction(self), S_OK);
  set->Release();
  CoUninitialize();
  ASSERT_TRUE(run.process().wait()) << "the default action did not press OK";
  EXPECT_EQ(run.setting(kKeyKind), L"5");
  EXPECT_EQ(run.setting(kKeyRepeat), L"0");
  EXPECT_EQ(run.setting(kKeyFile), L"");
}

TEST(SettingsDialog, PickedFileAndCdChoiceAreWrittenAndReadBack) {
  ConfigureRun run(0, 0, L"");
  const std::wstring music = run.file(L"music");
  ASSERT_TRUE(CreateDirectoryW(music.c_str(), nullptr));
  for (const std::wstring& file : {run.file(L"first.wav"), music + L"\\song.mp3", music + L"\\tune.wav"})
    ASSERT_TRUE(write_file_bytes(file, "RIFF"));
  ASSERT_TRUE(run.open());
  HWND file_button = run.control(ids::kIdFileButton);
  HWND file_label = run.control(ids::kIdFileLabel);
  EXPECT_EQ(run.marked_kinds(), std::vector<int>{0});

  // A right-button press on the label "MP3、WAV" chooses the file kind.
  SetForegroundWindow(run.dialog());
  right_click(run.control(ids::kIdKindLabel0 + 2));
  ASSERT_TRUE(wait_until([&] { return IsWindowEnabled(file_button) != FALSE; }, 10s));
  EXPECT_FALSE(IsWindowEnabled(run.control(ids::kIdRepeat)));

  // The first browse starts in the program's folder (no file was set) ...
  ASSERT_TRUE(run.browse_to(L"first.wav"));
  EXPECT_TRUE(wait_until([&] { return window_title(file_label) == run.file(L"first.wav"); }, 10s))
      << to_ansi(window_title(file_label));
  // ... a full path picks a file elsewhere ...
  ASSERT_TRUE(run.browse_to(music + L"\\song.mp3"));
  // ... and the next browse starts in that file's folder.
  ASSERT_TRUE(run.browse_to(L"tune.wav"));
  const std::wstring chosen = music + L"\\tune.wav";
  EXPECT_TRUE(wait_until([&] { return window_title(file_label) == chosen; }, 10s)) << to_ansi(window_title(file_label));
  // A cancelled browse changes nothing.
  ASSERT_TRUE(run.browse_and_cancel());
  EXPECT_EQ(window_title(file_label), chosen);

  // Then the CD kind by a left press on its mark, a typed track, and OK.
  click(run.control(ids::kIdMark0 + 1));
  HWND repeat = run.control(ids::kIdRepeat);
  ASSERT_TRUE(wait_until([&] { return IsWindowEnabled(repeat) != FALSE; }, 10s));
  EXPECT_FALSE(IsWindowEnabled(file_button));
  SendMessageW(repeat, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"3.5"));
  ASSERT_TRUE(run.click_and_end(ids::kIdSet));

  EXPECT_EQ(run.setting(kKeyKind), L"1");
  EXPECT_EQ(run.setting(kKeyRepeat), L"4");
  EXPECT_EQ(run.setting(kKeyFile), chosen);
  // The keys in their order with their Shift-JIS bytes (Wine drops the blank
  // that the program writes before a number; Windows keeps it).
  const std::string bytes = run.settings_bytes();
  const size_t kind_at = bytes.find(to_ansi(kKeyKind + L"="));
  const size_t repeat_at = bytes.find(to_ansi(kKeyRepeat + L"="));
  const size_t file_at = bytes.find(to_ansi(kKeyFile + L"=" + chosen));
  ASSERT_NE(kind_at, std::string::npos) << bytes;
  ASSERT_NE(repeat_at, std::string::npos) << bytes;
  ASSERT_NE(file_at, std::string::npos) << bytes;
  EXPECT_LT(kind_at, repeat_at);
  EXPECT_LT(repeat_at, file_at);

  // The next start reads it all back.
  ASSERT_TRUE(run.open());
  EXPECT_EQ(window_title(run.control(ids::kIdFileLabel)), chosen);
  EXPECT_EQ(text_of(run.control(ids::kIdRepeat)), L"4");
  EXPECT_TRUE(IsWindowEnabled(run.control(ids::kIdRepeat)));
  EXPECT_EQ(run.marked_kinds(), std::vector<int>{1});
  ASSERT_TRUE(run.click_and_end(ids::kIdCancel));
}

// The text of the message over the dialog, once it shows; it is then closed.
std::wstring message_text(const ConfigureRun& run) {
  HWND message = wait_for_window(L"Tessarine");
  EXPECT_EQ(GetWindow(message, GW_OWNER), run.dialog());
  const std::wstring text = text_of(GetDlgItem(message, 0xFFFF));
  PostMessageW(message, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(wait_until([&] { return !IsWindow(message); }, kStartTimeout));
  return text;
}

TEST(SettingsDialog, AFileNamedOutsideTheCodePageOrTooLongIsStoredInAFormThatNamesItAndShownByItsName) {
  TempFolder music;
  const std::wstring folder = music.file(L"Bj\u00F8rk");
  const std::wstring song = folder + L"\\Caf\u00E9 \u301C \u00C9t\u00E9.mp3";  // Bjørk\Café 〜 Été.mp3
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(write_file_bytes(song, "ID3") && write_file_bytes(music.file(L"before.mp3"), "ID3"));
  ConfigureRun run(2, 0, music.file(L"before.mp3"));
  ASSERT_TRUE(run.open());
  HWND file_label = run.control(ids::kIdFileLabel);
  ASSERT_TRUE(run.browse_to(song));
  EXPECT_TRUE(wait_until([&] { return window_title(file_label) == song; }, 10s));

  // Neither form works (under Wine only for a name of no file): a message.
  const std::wstring length = L"\u9577\u3055";  // 長さ
  ASSERT_TRUE(run.browse_to(folder + L"\\Gone \u00E9.mp3"));
  EXPECT_EQ(message_text(run).find(length), std::wstring::npos) << "a message on the length";
  EXPECT_EQ(window_title(file_label), song);

  ASSERT_TRUE(run.click_and_end(ids::kIdSet));
  const std::wstring stored = run.setting(kKeyFile);
  wchar_t stored_long[MAX_PATH * 2] = {}, song_long[MAX_PATH * 2] = {};
  GetLongPathNameW(stored.c_str(), stored_long, MAX_PATH * 2);
  GetLongPathNameW(song.c_str(), song_long, MAX_PATH * 2);
  EXPECT_STREQ(stored_long, song_long) << to_ansi(stored);
  ASSERT_TRUE(run.open());
  EXPECT_EQ(window_title(run.control(ids::kIdFileLabel)), song_long);
  ASSERT_TRUE(run.click_and_end(ids::kIdCancel));

  // Over 255 bytes in code page 932 (two for 曲 or 音; three in a Linux name):
  // its short form, which the next start reads back; no file, no short form.
  const std::wstring top = music.file(std::wstring(60, L'\u66F2')), deep = top + L"\\" + std::wstring(60, L'\u97F3');
  ASSERT_TRUE(CreateDirectoryW(top.c_str(), nullptr) && CreateDirectoryW(deep.c_str(), nullptr));
  ASSERT_TRUE(write_file_bytes(deep + L"\\song.mp3", "ID3"));
  ASSERT_TRUE(run.open());
  ASSERT_TRUE(run.browse_to(deep + L"\\gone.mp3"));
  EXPECT_NE(message_text(run).find(length), std::wstring::npos) << "no message on the length";
  ASSERT_TRUE(run.browse_to(deep + L"\\song.mp3"));
  ASSERT_TRUE(run.click_and_end(ids::kIdSet));
  GetLongPathNameW((deep + L"\\song.mp3").c_str(), song_long, MAX_PATH * 2);
  ASSERT_TRUE(run.open());
  EXPECT_EQ(window_title(run.control(ids::kIdFileLabel)), song_long) << to_ansi(run.setting(kKeyFile));
  ASSERT_TRUE(run.click_and_end(ids::kIdCancel));
}

// The kind change disables "..." while it holds the focus, and the focus
// leaves it only then; the next click must still open the picker. The file is
// away meanwhile (a drive unplugged): OK keeps its choice.
TEST(SettingsDialog, TheFileButtonAnswersTheFirstClickAfterTheKindChangesAndAnAwayFileKeepsItsChoice) {
  ConfigureRun run;
  const std::wstring song = song_in(run), away = run.file(L"away.mp3");
  run.write_settings(2, 0, song);
  ASSERT_TRUE(MoveFileW(song.c_str(), away.c_str()));
  ASSERT_TRUE(run.open());
  EXPECT_EQ(window_title(run.control(ids::kIdFileLabel)), song);
  HWND file_button = run.control(ids::kIdFileButton);
  ASSERT_TRUE(IsWindowEnabled(file_button));

  ASSERT_TRUE(run.browse_and_cancel());

  click(run.control(ids::kIdKindLabel0 + 1));
  ASSERT_TRUE(wait_until([&] { return !IsWindowEnabled(file_button); }, 10s));
  click(run.control(ids::kIdKindLabel0 + 2));
  ASSERT_TRUE(wait_until([&] { return IsWindowEnabled(file_button) != FALSE; }, 10s));

  ASSERT_TRUE(run.browse_and_cancel()) << "the first click on \"...\"";
  ASSERT_TRUE(run.click_and_end(ids::kIdSet));
  ASSERT_TRUE(MoveFileW(away.c_str(), song.c_str()));
  EXPECT_EQ(run.setting(kKeyKind), L"2");
  EXPECT_EQ(run.setting(kKeyFile), song);
}

// Without a mouse: Space and Enter on the focused "..." open the picker once
// each, and Enter elsewhere is OK.
TEST(SettingsDialog, SpaceAndEnterPressTheFocusedButtonAndEnterElsewhereIsOk) {
  ConfigureRun run;
  const std::string before = run.write_settings(2, 0, song_in(run));
  ASSERT_TRUE(run.open());
  SetForegroundWindow(run.dialog());
  for (WORD key : {VK_SPACE, VK_RETURN}) {
    SCOPED_TRACE(key == VK_SPACE ? "Space" : "Enter");
    ASSERT_TRUE(run.focus_comes_to(ids::kIdFileButton));
    press_key(key);
    HWND picker = wait_for_window(kPickerTitle);
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(cancel(picker));
    // The key pressed the button alone: neither a second picker nor OK.
    EXPECT_TRUE(run.process().running());
    EXPECT_EQ(run.settings_bytes(), before);
  }
  click(run.control(ids::kIdKindLabel0 + 1));
  click(run.control(ids::kIdRepeat));
  ASSERT_TRUE(run.focus_comes_to(ids::kIdRepeat));
  press_key(VK_RETURN);
  ASSERT_TRUE(run.process().wait()) << "Enter in the repeat field did not press OK";
  EXPECT_EQ(run.setting(kKeyKind), L"1");
}

TEST(SettingsDialog, TypedRepeatTextsAreRoundedHalvesToEven) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {{L"abc", L"0"}, {L"2.5", L"2"}, {L"45", L"45"}};
  for (const auto& [typed, stored] : cases) {
    SCOPED_TRACE(to_ansi(typed));
    ConfigureRun run(1, 0, L"");
    ASSERT_TRUE(run.open());
    SendMessageW(run.control(ids::kIdRepeat), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
    ASSERT_TRUE(run.click_and_end(ids::kIdSet));
    EXPECT_EQ(run.setting(kKeyRepeat), stored);
    EXPECT_EQ(run.setting(kKeyKind), L"1");
  }
}

TEST(SettingsDialog, TheCloseCommandWritesNothing) {
  ConfigureRun run;
  const std::string before = run.write_settings(2, 7, L"");
  ASSERT_TRUE(run.open());
  SendMessageW(run.control(ids::kIdRepeat), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
  PostMessageW(run.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(run.process().wait(kStartTimeout));
  EXPECT_EQ(run.settings_bytes(), before);
}

// The picture's six keys as a settings file holds them: values that the
// dialog's lists do not offer, switches the other way round.
const std::vector<std::wstring> kStoredPicture = {L"Speed=1.1",         L"Density=1",        L"Colour=FF8000",
                                                  L"FrameRateLimit=45", L"ShowFrameRate=0", L"EndOnAnyInput=1"};

// The lines that OK writes: the music keys as they always were, then the
// picture's (as ShellCopy::settings_lines gives them).
std::vector<std::string> written(int kind, int repeat, const std::vector<std::wstring>& picture) {
  std::vector<std::string> lines = {to_ansi(kKeyKind + L"=" + std::to_wstring(kind)),
                                    to_ansi(kKeyRepeat + L"=" + std::to_wstring(repeat)), to_ansi(kKeyFile + L"=")};
  for (const std::wstring& line : picture) lines.push_back(to_ansi(line));
  return lines;
}

// Whether the system keeps the names that programs give through its
// annotation service: Windows does, Wine 8's service is a stub that keeps
// none (there a list reads as its chosen entry).
bool names_are_kept() {
  IAccPropServices* services = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(&services))))
    return false;
  TestWindow probe(L"probe", 10, 10, /*visible=*/false);
  std::wstring name = L"annotated";  // a window without one is named by its title
  services->SetHwndPropStr(probe.get(), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, name.data());
  services->Release();
  return accessible_name(probe.get()) == name;
}

// From the keyboard alone: Tab reaches every control of the picture group in
// order, the arrow keys choose in its lists and Space checks its boxes and
// presses 設定. Stored values that no entry has keep entries of their own;
// OK writes the nine keys, the music keys first with their bytes.
TEST(SettingsDialog, ThePictureGroupIsWorkedFromTheKeyboardAndOkWritesItsKeysAfterTheMusicKeys) {
  ConfigureRun run;
  run.write_settings(0, 0, L"", kStoredPicture);
  ASSERT_TRUE(run.open());
  HWND speed = run.control(ids::kIdSpeed);
  HWND density = run.control(ids::kIdDensity);
  HWND frame_rate = run.control(ids::kIdFrameRateLimit);
  HWND show_fps = run.control(ids::kIdShowFrameRate);
  HWND end_on_input = run.control(ids::kIdEndOnInput);
  EXPECT_EQ(text_of(speed), L"1.1 \u500D");
  EXPECT_EQ(text_of(density), L"\u307E\u3070\u3089");
  EXPECT_EQ(text_of(frame_rate), L"45");
  EXPECT_FALSE(is_checked(show_fps));
  EXPECT_TRUE(is_checked(end_on_input));

  // No music: the repeat list and "..." are disabled, and the keyboard
  // starts in the picture group.
  SetForegroundWindow(run.dialog());
  ASSERT_TRUE(run.focus_comes_to(ids::kIdSpeed));
  for (int id : {ids::kIdDensity, ids::kIdFrameRateLimit, ids::kIdColourButton, ids::kIdShowFrameRate,
                 ids::kIdEndOnInput, ids::kIdDefaults, ids::kIdSet, ids::kIdCancel, ids::kIdSpeed}) {
    press_key(VK_TAB);
    ASSERT_TRUE(run.focus_comes_to(id)) << "focus on " << id;
  }

  const auto key_shows = [](WORD key, HWND list, const std::wstring& text) {
    press_key(key);
    return wait_until([&] { return text_of(list) == text; }, 10s);
  };
  EXPECT_TRUE(key_shows(VK_DOWN, speed, L"1.5 \u500D"));
  press_key(VK_TAB);
  EXPECT_TRUE(key_shows(VK_DOWN, density, L"\u3075\u3064\u3046"));  // ふつう
  EXPECT_TRUE(key_shows(VK_DOWN, density, L"\u5BC6"));                // 密
  press_key(VK_TAB);
  EXPECT_TRUE(key_shows(VK_UP, frame_rate, L"60"));  // the stored 45 lies between 60 and 30
  press_key(VK_TAB);                                 // 色...
  for (int box = 0; box < 2; ++box) {
    press_key(VK_TAB);
    press_key(VK_SPACE);
  }
  EXPECT_TRUE(wait_until([&] { return is_checked(show_fps) && !is_checked(end_on_input); }, 10s));
  press_key(VK_TAB);  // 既定値に戻す
  press_key(VK_TAB);
  ASSERT_TRUE(run.focus_comes_to(ids::kIdSet));
  press_key(VK_SPACE);
  ASSERT_TRUE(run.process().wait()) << "Space on OK did not close the dialog";
  EXPECT_EQ(run.settings_lines(), written(0, 0,
                                          {L"Speed=1.5", L"Density=3", L"Colour=FF8000", L"FrameRateLimit=60",
                                           L"ShowFrameRate=1", L"EndOnAnyInput=0"}));
}

// 既定値に戻す puts the whole picture back to the standard at once, in the
// lists, the swatch and the live preview; 色... opens the system's colour
// dialog over the settings dialog with the current colour, whose choice the
// swatch shows; OK writes it all after the music keys, which keep their
// bytes. And what a screen reader is told of the picture group's controls.
TEST(SettingsDialog, TheDefaultsButtonAndTheColourDialogChangeThePictureThatOkWrites) {
  ConfigureRun run;
  run.write_settings(1, 3, L"", kStoredPicture);
  ASSERT_TRUE(run.open());

  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const bool kept = names_are_kept();
  for (const auto& [id, name] : {std::pair{ids::kIdSpeed, L"\u901F\u3055"}, {ids::kIdDensity, L"\u5BC6\u5EA6"},
                                 {ids::kIdFrameRateLimit, L"\uFF8C\uFF9A\uFF70\uFF91\uFF9A\uFF70\uFF84\u4E0A\u9650"},
                                 {ids::kIdRepeat, L"\u66F2\u76EE\u3092\uFF98\uFF8B\uFF9F\uFF70\uFF84"}}) {
    if (kept) EXPECT_EQ(accessible_name(run.control(id)), name) << id;
  }
  if (!kept) std::printf("the lists' names are not checked: the annotation service keeps no names here\n");
  CoUninitialize();

  const auto swatch_shows = [&](int r, int g, int b) {
    RECT swatch = {};
    GetWindowRect(run.control(ids::kIdColourSwatch), &swatch);
    const int x = (swatch.left + swatch.right) / 2, y = (swatch.top + swatch.bottom) / 2;
    return wait_until([&] { return colour_near(capture_screen(RECT{x, y, x + 1, y + 1}).at(0, 0), r, g, b, 0); }, 10s,
                      100ms);
  };
  EXPECT_TRUE(swatch_shows(255, 128, 0));

  // The live preview flies with the picture as it stands: orange lines (the
  // stored colour, no frame-rate text) that move from frame to frame; it
  // rests while the dialog is minimised, and turns green with the standard.
  HWND preview = run.control(ids::kIdLivePreview);
  RECT area = {};
  GetWindowRect(preview, &area);
  const auto leaning = [](const Picture& shot, bool to_red) {
    int count = 0;
    for (COLORREF c : shot.pixels) {
      const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
      count += to_red ? r - g > 40 && r - b > 60 : g - r > 60 && g - b > 40;
    }
    return count;
  };
  Picture shot;
  EXPECT_TRUE(wait_until([&] { return leaning(shot = capture_screen(area), true) > 20; }, kStartTimeout, 200ms))
      << "no orange lines in the preview";
  EXPECT_EQ(leaning(shot, false), 0);
  EXPECT_TRUE(wait_until([&] { return capture_screen(area).pixels != shot.pixels; }, 10s, 200ms)) << "a still preview";
  const auto frames = [&] { return reinterpret_cast<INT_PTR>(GetPropW(preview, L"TessarineFrames")); };
  PostMessageW(run.dialog(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(run.dialog()) != FALSE; }, 10s));
  EXPECT_TRUE(wait_until(
      [&] {
        const INT_PTR before = frames();
        Sleep(1000);
        return frames() == before;
      },
      10s))
      << "the preview draws on while the dialog is minimised";
  PostMessageW(run.dialog(), WM_SYSCOMMAND, SC_RESTORE, 0);
  const INT_PTR rested = frames();
  EXPECT_TRUE(wait_until([&] { return frames() > rested + 5; }, 10s)) << "the preview rests on after a restore";

  SetForegroundWindow(run.dialog());
  click(run.control(ids::kIdDefaults));
  HWND speed = run.control(ids::kIdSpeed);
  EXPECT_TRUE(wait_until([&] { return text_of(speed) == L"1 \u500D (\u6A19\u6E96)"; }, 10s));
  EXPECT_EQ(text_of(run.control(ids::kIdDensity)), L"\u3075\u3064\u3046");
  EXPECT_EQ(text_of(run.control(ids::kIdFrameRateLimit)), L"\u753B\u9762\u306B\u5408\u308F\u305B\u308B");
  EXPECT_TRUE(is_checked(run.control(ids::kIdShowFrameRate)));
  EXPECT_FALSE(is_checked(run.control(ids::kIdEndOnInput)));
  EXPECT_TRUE(swatch_shows(0, 255, 0));
  EXPECT_TRUE(wait_until([&] { return leaning(shot = capture_screen(area), false) > 20; }, 10s, 200ms));
  EXPECT_EQ(leaning(shot, true), 0) << "orange lines after the standard came back";

  click(run.control(ids::kIdColourButton));
  HWND colours = wait_for_dialog_of(run.dialog());
  ASSERT_NE(colours, nullptr) << "no colour dialog";
  const int fields[] = {706, 707, 708};  // red, green and blue
  const wchar_t* chosen[] = {L"0", L"128", L"255"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(text_of(GetDlgItem(colours, fields[i])), i == 1 ? L"255" : L"0") << "opened with the current colour";
    SendMessageTimeoutW(GetDlgItem(colours, fields[i]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen[i]),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
  }
  PostMessageW(colours, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(colours, IDOK)));
  ASSERT_TRUE(picker_closes(colours));
  EXPECT_TRUE(swatch_shows(0, 128, 255));

  ASSERT_TRUE(run.click_and_end(ids::kIdSet));
  EXPECT_EQ(run.settings_lines(), written(1, 3,
                                          {L"Speed=1", L"Density=2", L"Colour=0080FF", L"FrameRateLimit=0",
                                           L"ShowFrameRate=1", L"EndOnAnyInput=0"}));
}

}  // namespace
}  // namespace tessarine::test
