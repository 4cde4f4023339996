// The settings dialog of a private copy of the shell, and what its tests read.
#include "dialog_test_support.h"

#include "window_titles.h"

namespace tessarine::test {

std::wstring text_of(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  return text;
}

RECT in_container(HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

::testing::AssertionResult ConfigureRun::open() {
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

HWND ConfigureRun::control(int id) const {
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

bool ConfigureRun::focus_comes_to(int id) const {
  return wait_until(
      [&] {
        GUITHREADINFO info = {sizeof info};
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
        return info.hwndFocus && (info.hwndFocus == control(id) || GetParent(info.hwndFocus) == control(id));
      },
      10s);
}

::testing::AssertionResult ConfigureRun::click_and_end(int id) {
  SetForegroundWindow(dialog_);
  click(control(id));
  if (!process_.wait(kStartTimeout)) return ::testing::AssertionFailure() << "the shell did not end";
  return ::testing::AssertionSuccess();
}

// The mark whose middle shows blue. The middle of the 12 x 12 picture moves
// with the dpi, as the picture scales.
std::vector<int> ConfigureRun::marked_kinds() const {
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

HWND ConfigureRun::open_picker() {
  SetForegroundWindow(dialog_);
  click(control(ids::kIdFileButton));
  return wait_for_window(kPickerTitle);
}

::testing::AssertionResult pick(HWND picker, const std::wstring& name) {
  HWND field = GetDlgItem(picker, 0x47c);  // the file name combo box
  if (!field) field = GetDlgItem(picker, 0x480);
  if (!field) return ::testing::AssertionFailure() << "no file name field";
  SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(picker, IDOK)));
  if (!wait_until([&] { return !IsWindow(picker); }, kStartTimeout))
    return ::testing::AssertionFailure() << "the picker stayed open";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult cancel(HWND picker) {
  PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  if (!wait_until([&] { return !IsWindow(picker); }, kStartTimeout))
    return ::testing::AssertionFailure() << "the picker stayed open";
  return ::testing::AssertionSuccess();
}

std::vector<std::pair<int, int>> ink_runs(const Picture& picture) {
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

bool same_ink(const Picture& picture, std::pair<int, int> a, std::pair<int, int> b) {
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
