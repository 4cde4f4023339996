// The settings dialog of a private copy of the shell started with /c, and
// what the dialog's tests read from its controls, its file picker and the
// screen.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "../shell/shell_test_windows.h"
#include "dialog_layout.h"  // the controls' child window identifiers
#include "shell_copy.h"
#include "win32_test_support.h"
#include "window_titles.h"

namespace tessarine::test {

namespace ids = tessarine::shell::dialog;

inline constexpr wchar_t kPickerTitle[] = L"\uFF8C\uFF67\uFF72\uFF99\u3092\u958B\u304F";  // ﾌｧｲﾙを開く

// The text a window holds, asked of its own process (combo boxes keep it in
// their edit field).
inline std::wstring text_of(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  return text;
}

// Waits for the file picker to close after a command.
inline ::testing::AssertionResult picker_closes(HWND picker) {
  if (wait_until([&] { return !IsWindow(picker); }, kStartTimeout)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the picker stayed open";
}

// Accepts the open file picker with `name` typed into its file name field.
inline ::testing::AssertionResult pick(HWND picker, const std::wstring& name) {
  HWND field = GetDlgItem(picker, 0x47c);  // the file name combo box
  if (!field) field = GetDlgItem(picker, 0x480);
  if (!field) return ::testing::AssertionFailure() << "no file name field";
  SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(picker, IDOK)));
  return picker_closes(picker);
}

inline ::testing::AssertionResult cancel(HWND picker) {
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return picker_closes(picker);
}

// A system dialog (the colour dialog, say) that `owner` opened, once it shows.
inline HWND wait_for_dialog_of(HWND owner) {
  DWORD process = 0;
  GetWindowThreadProcessId(owner, &process);
  HWND found = nullptr;
  wait_until(
      [&] {
        for (HWND window : windows_of(process))
          if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window) && window_class(window) == L"#32770")
            found = window;
        return found != nullptr;
      },
      kStartTimeout);
  return found;
}

inline bool is_checked(HWND box) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

// The shell in configure mode, started from a private copy with a prepared
// settings file.
class ConfigureRun : public ShellCopy {
 public:
  ConfigureRun() = default;
  ConfigureRun(int kind, int repeat, const std::wstring& music) { write_settings(kind, repeat, music); }

  // Starts the shell with /c and waits until the dialog has loaded and shows.
  ::testing::AssertionResult open() {
    // A dialog left by an earlier run would turn this start away.
    if (!wait_for_no_window(kSettingsTitle)) return ::testing::AssertionFailure() << "another dialog stays open";
    process_ = start(L"/c");
    if (!process_.started()) return ::testing::AssertionFailure() << "the shell did not start";
    dialog_ = wait_for_window(kSettingsTitle);
    if (!dialog_) return ::testing::AssertionFailure() << "no window <Tessarine>";
    const bool loaded = wait_until(
        [&] {
          HWND list = control(ids::kIdRepeat);
          DWORD_PTR count = 0;
          return IsWindowVisible(dialog_) && list &&
                 SendMessageTimeoutW(list, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count) && count == 31;
        },
        kStartTimeout);
    if (!loaded) return ::testing::AssertionFailure() << "the dialog did not finish loading";
    return ::testing::AssertionSuccess();
  }

  HWND dialog() const { return dialog_; }
  Process& process() { return process_; }
  HWND control(int id) const {
    struct Search {
      int id;
      HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        dialog_,
        [](HWND window, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          if (GetDlgCtrlID(window) != s->id) return TRUE;
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // Whether the control (the repeat list: its text field) takes the focus.
  bool focus_comes_to(int id) const {
    return wait_until(
        [&] {
          GUITHREADINFO info = {sizeof info};
          GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
          return info.hwndFocus && (info.hwndFocus == control(id) || GetParent(info.hwndFocus) == control(id));
        },
        10s);
  }

  // Clicks a button control and waits for the shell to end.
  ::testing::AssertionResult click_and_end(int id) {
    SetForegroundWindow(dialog_);
    click(control(id));
    if (!process_.wait(kStartTimeout)) return ::testing::AssertionFailure() << "the shell did not end";
    return ::testing::AssertionSuccess();
  }

  // The marked kinds seen on the screen: the marks whose middle shows blue.
  // The middle of the 12 x 12 picture moves with the dpi, as the picture scales.
  std::vector<int> marked_kinds() const {
    const int middle = MulDiv(6, screen_dpi(), 96);
    std::vector<int> marked;
    for (int kind = 0; kind < 3; ++kind) {
      RECT r = {};
      GetWindowRect(control(ids::kIdMark0 + kind), &r);
      const Picture shot = capture_screen(RECT{r.left + middle, r.top + middle, r.left + middle + 1, r.top + middle + 1});
      if (shot.width > 0 && GetBValue(shot.at(0, 0)) > 180 && GetRValue(shot.at(0, 0)) < 90) marked.push_back(kind);
    }
    return marked;
  }

  // Clicks "..." and, once the file picker shows, picks `name` in it or
  // cancels it.
  ::testing::AssertionResult browse_to(const std::wstring& name) const {
    const HWND picker = open_picker();
    return picker ? pick(picker, name) : ::testing::AssertionFailure() << "no file picker";
  }
  ::testing::AssertionResult browse_and_cancel() const {
    const HWND picker = open_picker();
    return picker ? cancel(picker) : ::testing::AssertionFailure() << "no file picker";
  }

 private:
  HWND open_picker() const {
    SetForegroundWindow(dialog_);
    click(control(ids::kIdFileButton));
    return wait_for_window(kPickerTitle);
  }

  Process process_;
  HWND dialog_ = nullptr;
};

// Column runs of dark ink in a picture: the glyphs of a line of text.
inline std::vector<std::pair<int, int>> ink_runs(const Picture& picture) {
  std::vector<std::pair<int, int>> runs;
  auto inked = [&](int x) {
    for (int y = 0; y < picture.height; ++y) {
      const COLORREF c = picture.at(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 240) return true;
    }
    return false;
  };
  for (int x = 0; x < picture.width;) {
    if (!inked(x)) {
      ++x;
      continue;
    }
    const int start = x;
    while (x < picture.width && inked(x)) ++x;
    runs.emplace_back(start, x);
  }
  return runs;
}

// Whether two runs show the same glyph.
inline bool same_ink(const Picture& picture, std::pair<int, int> a, std::pair<int, int> b) {
  if (a.second - a.first != b.second - b.first) return false;
  for (int dx = 0; dx < a.second - a.first; ++dx) {
    for (int y = 0; y < picture.height; ++y) {
      const bool ink_a = GetRValue(picture.at(a.first + dx, y)) < 80;
      const bool ink_b = GetRValue(picture.at(b.first + dx, y)) < 80;
      if (ink_a != ink_b) return false;
    }
  }
  return true;
}

}  // namespace tessarine::test
