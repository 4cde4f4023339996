// In this process, the settings dialog and the preview window give back every
// Windows object they take.
#include <gtest/gtest.h>

#include <cstdio>

#include "../shell/shell_test_windows.h"
#include "shell_module.h"
#include "win32_preview_window.h"
#include "win32_settings_dialog.h"
#include "window_titles.h"

namespace tessarine::test {
namespace {

// The GDI and USER objects of this process. Wine: GetGuiResources is a stub
// that returns 0. Its GDI handle table answers to a handle's 16-bit index, so
// there the GDI objects are counted by probing those, and the USER objects are
// this thread's windows with their children plus the icons and cursors found
// the same way. (Wine also frees a bitmap deleted while still selected once
// its DC goes, where Windows refuses the delete and the bitmap stays: that
// leak shows only on Windows.)
struct GuiObjects {
  long gdi = 0;
  long user = 0;
};

GuiObjects gui_objects() {
  GuiObjects count;
  count.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  count.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  if (count.gdi != 0) return count;
  for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count.gdi;
  }
  for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
    ICONINFO info = {};
    if (!GetIconInfo(reinterpret_cast<HICON>(index), &info)) continue;
    ++count.user;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto* user = reinterpret_cast<long*>(param);
        ++*user;
        EnumChildWindows(
            window,
            [](HWND, LPARAM child_param) -> BOOL {
              ++*reinterpret_cast<long*>(child_param);
              return TRUE;
            },
            param);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count.user));
  return count;
}

// Closes this thread's settings dialog with its close command once it shows.
int g_dialogs_shown = 0;
void CALLBACK close_when_shown(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(nullptr, kSettingsTitle);
  if (!dialog || !IsWindowVisible(dialog) || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId())
    return;
  KillTimer(nullptr, timer);
  ++g_dialogs_shown;
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

int g_preview_unloads = 0;
void count_preview_unload() { ++g_preview_unloads; }

TEST(WindowsObjects, OpeningAndClosingTheDialogAndThePreviewFiftyTimesGivesEveryObjectBack) {
  shell::Tessarine_B().settings.BgmKind = 2;  // every button enabled
  TestWindow parent(L"parent", 152, 112);
  const auto open_and_close = [&] {
    SetTimer(nullptr, 0, 20, close_when_shown);
    shell::show_settings_dialog();
    const int unloads = g_preview_unloads;
    HWND preview = shell::build_preview_window(parent.get(), count_preview_unload);
    ASSERT_NE(preview, nullptr);
    UpdateWindow(preview);
    PostMessageW(preview, WM_CLOSE, 0, 0);
    ASSERT_TRUE(pump_until([&] { return g_preview_unloads == unloads + 1; }));
    pump_until([] { return false; }, 0ms);
  };
  // Once, for what is made once for the process (the button's look pictures).
  open_and_close();
  if (HasFatalFailure()) return;
  const GuiObjects before = gui_objects();
  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE(round);
    open_and_close();
    if (HasFatalFailure()) return;
  }
  const GuiObjects after = gui_objects();
  std::printf("GDI objects %ld -> %ld, USER objects %ld -> %ld over 50 rounds\n", before.gdi, after.gdi,
              before.user, after.user);
  EXPECT_EQ(g_dialogs_shown, 51);
  EXPECT_GT(before.gdi, 0);
  EXPECT_LE(after.gdi - before.gdi, 3);
  EXPECT_LE(after.user - before.user, 3);
}

}  // namespace
}  // namespace tessarine::test
