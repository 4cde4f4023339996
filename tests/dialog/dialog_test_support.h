// The settings dialog of a private copy of the shell started with /c, and
// what the dialog's tests read from its controls, its file picker and the
// screen.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "dialog_layout.h"  // the controls' child window identifiers
#include "shell_copy.h"
#include "win32_test_support.h"

namespace tessarine::test {

namespace ids = tessarine::shell::dialog;

inline constexpr wchar_t kPickerTitle[] = L"\uFF8C\uFF67\uFF72\uFF99\u3092\u958B\u304F";  // ﾌｧｲﾙを開く

// The text a window holds, asked of its own process (combo boxes keep it in
// their edit field).
std::wstring text_of(HWND window);
// A control's rectangle in its container's client coordinates.
RECT in_container(HWND control);

// The shell in configure mode, started from a private copy with a prepared
// settings file.
class ConfigureRun : public ShellCopy {
 public:
  ConfigureRun(int kind, int repeat, const std::wstring& music) { write_settings(kind, repeat, music); }

  // Starts the shell with /c and waits until the dialog has loaded and shows.
  ::testing::AssertionResult open();

  HWND dialog() const { return dialog_; }
  HWND control(int id) const;
  Process& process() { return process_; }

  // Whether the control (the repeat list: its text field) takes the focus.
  bool focus_comes_to(int id) const;
  // Clicks a button control and waits for the shell to end.
  ::testing::AssertionResult click_and_end(int id);
  // The kinds whose mark shows as chosen on the screen.
  std::vector<int> marked_kinds() const;
  // Clicks "..." and waits for the file picker.
  HWND open_picker();

 private:
  Process process_;
  HWND dialog_ = nullptr;
};

// Accepts the open file picker with `name` typed into its file name field.
::testing::AssertionResult pick(HWND picker, const std::wstring& name);
// Cancels the open file picker.
::testing::AssertionResult cancel(HWND picker);

// Column runs of dark ink in a picture: the glyphs of a line of text.
std::vector<std::pair<int, int>> ink_runs(const Picture& picture);
// Whether two runs show the same glyph.
bool same_ink(const Picture& picture, std::pair<int, int> a, std::pair<int, int> b);

}  // namespace tessarine::test
