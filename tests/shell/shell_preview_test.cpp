// The preview window Tessarine_R: across processes, the real Tessarine.scr
// started with "/p <handle>" of a window of this program (geometry, style and
// lifetime); in this process, the same window built inside a parent of ours
// (its pixels, which a child of another process does not show under Wine).
#include <gtest/gtest.h>

#include "shell_copy.h"
#include "shell_test_windows.h"
#include "win32_picture.h"
#include "win32_preview_window.h"
#include "win32_test_support.h"
#include "embedded.h"

TESSARINE_EMBEDDED(kPreviewGridJpeg);

namespace tessarine::test {
namespace {

// The style the preview window must have once built: its own borderless
// style with WS_CHILD added, shown.
constexpr LONG kBuiltStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// The dpi this run expects (TESSARINE_EXPECT_DPI; 96 when unset).
int expected_dpi() {
  wchar_t text[16] = {};
  return GetEnvironmentVariableW(L"TESSARINE_EXPECT_DPI", text, 16) ? _wtoi(text) : 96;
}

::testing::AssertionResult is_rect(const RECT& r, int left, int top, int right, int bottom) {
  if (r.left == left && r.top == top && r.right == right && r.bottom == bottom) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom
                                       << ") instead of (" << left << ", " << top << ")-(" << right << ", " << bottom
                                       << ")";
}

class PreviewAcrossProcesses : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SetProcessDPIAware(); }
  // Starts the preview inside `parent` and waits for its window there.
  HWND start_in(const TestWindow& parent) {
    process_ = shell_.start(L"/p " + parent.handle_text());
    HWND preview = nullptr;
    pump_until([&] { return (preview = FindWindowExW(parent.get(), nullptr, L"Tessarine_R", nullptr)) != nullptr; });
    // The build ends with the window shown.
    pump_until([&] { return preview && IsWindowVisible(preview); });
    return preview;
  }
  ShellCopy shell_{L""};  // the preview needs no renderer
  Process process_;
};

TEST_F(PreviewAcrossProcesses, RunsAtTheScreensDpi) { EXPECT_EQ(screen_dpi(), expected_dpi()); }

TEST_F(PreviewAcrossProcesses, CoversAParentExactlyAsABorderlessChild) {
  for (SIZE size : {SIZE{152, 112}, SIZE{200, 150}}) {
    SCOPED_TRACE(std::to_string(size.cx) + " x " + std::to_string(size.cy));
    TestWindow parent(L"parent", size.cx, size.cy);
    HWND preview = start_in(parent);
    ASSERT_NE(preview, nullptr) << "no preview window in the parent";
    EXPECT_TRUE(is_rect(rect_in_parent(preview), 0, 0, size.cx, size.cy));
    RECT client = {};
    GetClientRect(preview, &client);
    EXPECT_TRUE(is_rect(client, 0, 0, size.cx, size.cy));
    EXPECT_EQ(GetParent(preview), parent.get());
    EXPECT_EQ(GetWindowLongW(preview, GWL_STYLE), kBuiltStyle);
    EXPECT_EQ(window_title(preview), L"Preview Window");
    EXPECT_EQ(children_of(parent.get()).size(), 1u);
    // Nothing else of the program shows.
    for (HWND window : windows_of(process_.id())) EXPECT_FALSE(IsWindowVisible(window)) << window_class(window);
    PostMessageW(preview, WM_CLOSE, 0, 0);
    EXPECT_TRUE(pump_until([&] { return !process_.running(); }));
  }
}

TEST_F(PreviewAcrossProcesses, EndsWhenTheParentIsDestroyed) {
  TestWindow parent(L"parent", 152, 112);
  ASSERT_NE(start_in(parent), nullptr);
  EXPECT_TRUE(process_.running());
  parent.destroy();
  EXPECT_TRUE(pump_until([&] { return !process_.running(); })) << "the preview outlived its parent";
  EXPECT_EQ(process_.exit_code(), 0u);
}

TEST_F(PreviewAcrossProcesses, EndsWhenThePreviewWindowIsClosed) {
  TestWindow parent(L"parent", 152, 112);
  HWND preview = start_in(parent);
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(process_.running());
  PostMessageW(preview, WM_CLOSE, 0, 0);
  EXPECT_TRUE(pump_until([&] { return !process_.running(); }));
  EXPECT_EQ(process_.exit_code(), 0u);
  EXPECT_TRUE(IsWindow(parent.get()));
}

// A handle that names no window (none at all, 0, one that never was, or the
// preview area that the display settings closed before the shell read it):
// the program ends at once and builds no window.
TEST_F(PreviewAcrossProcesses, AParentThatIsNoWindowEndsTheProgramShowingNothing) {
  TestWindow closed(L"parent", 152, 112);
  const std::wstring closed_handle = closed.handle_text();
  closed.destroy();
  for (const std::wstring& arguments :
       {std::wstring(L"/p"), std::wstring(L"/p 0"), std::wstring(L"/p 12345678"), L"/p " + closed_handle}) {
    SCOPED_TRACE(to_ansi(arguments));
    process_ = shell_.start(arguments);
    ASSERT_TRUE(process_.started());
    bool built = false;
    const bool ended = wait_until([&] {
      for (HWND window : windows_of(process_.id())) built = built || window_class(window) == L"Tessarine_R";
      return !process_.running();
    }, kStartTimeout);
    EXPECT_TRUE(ended) << "the program lives on";
    EXPECT_FALSE(built) << "a preview window was made";
    EXPECT_EQ(process_.exit_code(), 0u);
  }
}

// Pixels of a bitmap, top row first.
Picture pixels_of(HBITMAP bitmap) {
  Picture picture;
  const SIZE size = picture::size_of(bitmap);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> bits(static_cast<size_t>(size.cx) * size.cy);
  gdi::WindowDc screen(nullptr);
  if (GetDIBits(screen.get(), bitmap, 0, size.cy, bits.data(), &info, DIB_RGB_COLORS) != size.cy) return picture;
  picture.width = size.cx;
  picture.height = size.cy;
  for (const RGBQUAD& q : bits) picture.pixels.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
  return picture;
}

class PreviewPicture : public ::testing::Test {
 protected:
  static void on_unload() { ++unloads_; }
  void SetUp() override {
    unloads_ = 0;
    grid_ = pixels_of(picture::decode(kPreviewGridJpeg, kPreviewGridJpeg_size).get());
    ASSERT_EQ(grid_.width, 152);
    ASSERT_EQ(grid_.height, 112);
  }
  // The preview's client area once it has painted.
  Picture shown(HWND preview) {
    Picture picture;
    RECT client = {};
    GetClientRect(preview, &client);
    pump_until([&] {
      UpdateWindow(preview);
      picture = capture_client(preview);
      return picture.width == client.right && picture.height == client.bottom &&
             colour_near(picture.at(0, 0), GetRValue(grid_.at(0, 0)), GetGValue(grid_.at(0, 0)),
                         GetBValue(grid_.at(0, 0)), 8);
    }, 10s);
    return picture;
  }
  static inline int unloads_ = 0;
  Picture grid_;
};

// The expected picture in size, every pixel within a small tolerance.
::testing::AssertionResult looks_like(const Picture& shown, const Picture& expected) {
  if (shown.width != expected.width || shown.height != expected.height)
    return ::testing::AssertionFailure() << shown.width << " x " << shown.height << " pixels";
  int count = 0;
  std::string first;
  for (int y = 0; y < expected.height; ++y)
    for (int x = 0; x < expected.width; ++x) {
      const COLORREF want = expected.at(x, y);
      if (!colour_near(shown.at(x, y), GetRValue(want), GetGValue(want), GetBValue(want), 4)) {
        if (count++ == 0)
          first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") " + describe(shown.at(x, y)) + " not " +
                  describe(want);
      }
    }
  if (count == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << count << " pixels differ, the first " << first;
}

TEST_F(PreviewPicture, TheGridPictureIsBrightGreenLinesOnBlack) {
  int green = 0, dark = 0;
  for (COLORREF c : grid_.pixels) {
    if (GetGValue(c) > 160 && GetRValue(c) < GetGValue(c) / 2 && GetBValue(c) < GetGValue(c) / 2) ++green;
    if (GetRValue(c) < 40 && GetGValue(c) < 40 && GetBValue(c) < 40) ++dark;
  }
  const int total = static_cast<int>(grid_.pixels.size());
  EXPECT_GT(green, total / 20) << "too few bright green line pixels";
  EXPECT_GT(dark, total / 4) << "too little black between the lines";
}

TEST_F(PreviewPicture, FillsAParentOfThePicturesSizeWithThePicture) {
  TestWindow parent(L"parent", 152, 112);
  HWND preview = shell::build_preview_window(parent.get(), on_unload);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(GetWindowLongW(preview, GWL_STYLE), kBuiltStyle);
  EXPECT_TRUE(is_rect(rect_in_parent(preview), 0, 0, 152, 112));
  EXPECT_TRUE(looks_like(shown(preview), grid_));
}

// A larger area shows the whole picture stretched over it, with no black
// band beside it.
TEST_F(PreviewPicture, StretchesThePictureOverALargerParent) {
  TestWindow parent(L"parent", 200, 150);
  HWND preview = shell::build_preview_window(parent.get(), on_unload);
  ASSERT_NE(preview, nullptr);
  gdi::WindowDc screen(nullptr);
  gdi::Bitmap stretched(CreateCompatibleBitmap(screen.get(), 200, 150));
  {
    gdi::Bitmap grid = picture::decode(kPreviewGridJpeg, kPreviewGridJpeg_size);
    gdi::MemoryDc source(screen.get()), target(screen.get());
    gdi::Selection from(source.get(), grid.get()), to(target.get(), stretched.get());
    SetStretchBltMode(target.get(), HALFTONE);
    StretchBlt(target.get(), 0, 0, 200, 150, source.get(), 0, 0, 152, 112, SRCCOPY);
  }
  EXPECT_TRUE(looks_like(shown(preview), pixels_of(stretched.get())));
}

TEST_F(PreviewPicture, TheUnloadRunsOnceWhateverTheCause) {
  {
    TestWindow parent(L"parent", 152, 112);
    HWND preview = shell::build_preview_window(parent.get(), on_unload);
    ASSERT_NE(preview, nullptr);
    PostMessageW(preview, WM_CLOSE, 0, 0);
    EXPECT_TRUE(pump_until([&] { return unloads_ == 1; }, 10s));
    EXPECT_FALSE(IsWindow(preview));
  }
  {
    TestWindow parent(L"parent", 152, 112);
    ASSERT_NE(shell::build_preview_window(parent.get(), on_unload), nullptr);
    parent.destroy();
    EXPECT_EQ(unloads_, 2);
  }
  // The close each unload queued to its own window, handled in turn, finds
  // the window gone.
  PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_APP) DispatchMessageW(&message);
  EXPECT_EQ(unloads_, 2);
}

}  // namespace
}  // namespace tessarine::test
