// The Command button hosted in a window of this test program: its pixels as
// painted, hovering and the poll, the keyboard focus, clicks, the disabled
// look and the stored properties read back through new buttons.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win32_command_button.h"
#include "win32_command_paint.h"
#include "win32_picture.h"
#include "win32_test_support.h"
#include "win32_window_class.h"

namespace tessarine::test {
namespace {

using button::Attention;
using button::Command;
using button::Look;
using button::PropertyStore;

constexpr COLORREF kBeige = RGB(0xEC, 0xE9, 0xD8);
constexpr int kHostLeft = 100;
constexpr int kHostTop = 100;

HWND g_host = nullptr;

// Tab moves the focus between the host's buttons, as in a dialog.
void pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (g_host && IsDialogMessageW(g_host, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool pump_until(const std::function<bool()>& pred, Millis timeout = 10s) {
  return wait_until([&] {
    pump();
    return pred();
  }, timeout, 10ms);
}

Picture pixels_of(HDC dc, int width, int height) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.pixels.push_back(GetPixel(dc, x, y) & 0xFFFFFF);
  return picture;
}

// A look image's pixels, as the button carries them.
Picture look(Look which) {
  const button::LookFile file = button::look_file(which);
  gdi::Bitmap bitmap = picture::decode(file.bytes, file.size);
  if (!bitmap) return {};
  gdi::MemoryDc dc(nullptr);
  gdi::Selection selected(dc.get(), bitmap.get());
  const SIZE extent = picture::size_of(bitmap.get());
  return pixels_of(dc.get(), extent.cx, extent.cy);
}

// A window's client area as WM_PRINTCLIENT draws it into a memory device context.
Picture printed(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  gdi::WindowDc screen(window);
  gdi::MemoryDc dc(screen.get());
  gdi::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  gdi::Selection selected(dc.get(), bitmap.get());
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  return pixels_of(dc.get(), client.right, client.bottom);
}

// The four corners (4 x 4 each) of `shot` against those of `image`; with a
// 64 x 25 shot the whole 4-pixel ring. Empty when they agree.
std::string frame_differences(const Picture& shot, const Picture& image) {
  if (shot.width < 8 || shot.height < 8 || image.width != 64 || image.height != 25) return "no picture";
  const bool whole_ring = shot.width == 64 && shot.height == 25;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const bool in_ring = x < 4 || y < 4 || x >= shot.width - 4 || y >= shot.height - 4;
      const bool in_corner = (x < 4 || x >= shot.width - 4) && (y < 4 || y >= shot.height - 4);
      if (!(whole_ring ? in_ring : in_corner)) continue;
      const int ix = x < 4 ? x : x >= shot.width - 4 ? 64 - (shot.width - x) : x;
      const int iy = y < 4 ? y : y >= shot.height - 4 ? 25 - (shot.height - y) : y;
      if ((shot.at(x, y) & 0xFFFFFF) != image.at(ix, iy))
        return "at (" + std::to_string(x) + ", " + std::to_string(y) + ") " + describe(shot.at(x, y)) +
               " instead of " + describe(image.at(ix, iy));
    }
  }
  return "";
}

int brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

class CommandButtonTest : public testing::Test {
 protected:
  // One host window for all the tests: mapping a new window under Wine takes
  // a while.
  static void SetUpTestSuite() {
    static gdi::Brush background(CreateSolidBrush(kBeige));
    shell::register_window_class(L"command_button_host", DefWindowProcW, background.get());
    host_ = CreateWindowExW(WS_EX_TOPMOST, L"command_button_host", L"host", WS_POPUP | WS_VISIBLE, kHostLeft,
                            kHostTop, 400, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    g_host = host_;
    SetForegroundWindow(host_);
    pump();
  }
  static void TearDownTestSuite() {
    if (host_) DestroyWindow(host_);
    host_ = g_host = nullptr;
    pump();
  }
  void SetUp() override {
    ASSERT_NE(host_, nullptr);
    SetFocus(host_);
    park_pointer();
    pump();
  }
  void TearDown() override {
    buttons_.clear();
    pump();
  }

  // A button at (x, y) of the host, w x h pixels, described by `store`.
  Command* place(int x, int y, int w, int h, const PropertyStore& store, int index = -1) {
    buttons_.push_back(Command::Create(host_, gdi::to_rect({x, y, w, h}), &store, index));
    Command* made = buttons_.back().get();
    if (made) {
      made->Click = [this](int i) {
        ++clicks_;
        last_index_ = i;
      };
      made->Initialize();
    }
    pump();
    return made;
  }

  // Moves the pointer to a point of the host's client area, as a mouse does.
  void move_to(int x, int y) { move_pointer({kHostLeft + x, kHostTop + y}); }
  void key(WORD virtual_key, bool shift = false) { press_key(virtual_key, shift); }
  // True once the button shows `image`'s frame (and, when given, has that
  // attention); shot_ keeps the last capture.
  ::testing::AssertionResult shows(Command* command, const Picture& image,
                                   std::optional<Attention> attention = std::nullopt) {
    const auto attends = [&] { return !attention || command->state().LookState == *attention; };
    if (pump_until([&] {
          shot_ = capture_client(command->window());
          return attends() && frame_differences(shot_, image).empty();
        }))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "state " << int(command->state().LookState) << ", frame "
                                         << frame_differences(shot_, image);
  }
  void mouse(DWORD flags) { mouse_buttons(flags); }
  // Over the host, away from every button.
  void park_pointer() { move_to(390, 190); }

  static inline HWND host_ = nullptr;
  std::vector<std::unique_ptr<Command>> buttons_;
  int clicks_ = 0;
  int last_index_ = -2;
  Picture shot_;

  static inline const Picture normal_ = look(Look::Normal);
  static inline const Picture highlight_ = look(Look::HighLight);
  static inline const Picture highlight_select_ = look(Look::HighLightSelect);
  static inline const Picture selected_ = look(Look::Selected);
  static inline const Picture pressed_ = look(Look::Pressed);
  static inline const Picture disable_ = look(Look::Disable);
};

PropertyStore captioned(const std::wstring& caption) {
  PropertyStore store;
  store.set(button::kKeyCaption, caption);
  return store;
}

TEST_F(CommandButtonTest, TheLookImagesCarryTheirFrameLines) {
  ASSERT_EQ(normal_.width, 64);
  ASSERT_EQ(normal_.height, 25);
  EXPECT_EQ(normal_.at(1, 12), RGB(0x00, 0x3C, 0x74));
  EXPECT_EQ(highlight_.at(32, 2), RGB(0xFF, 0xF0, 0xCF));
  EXPECT_EQ(highlight_.at(32, 22), RGB(0xE5, 0x97, 0x00));
  EXPECT_EQ(highlight_select_.pixels, highlight_.pixels);
  EXPECT_EQ(selected_.at(32, 22), RGB(0x69, 0x82, 0xEE));
  EXPECT_EQ(disable_.at(1, 12), RGB(0xC9, 0xC7, 0xBA));
  EXPECT_EQ(disable_.at(0, 12), kBeige);
}

TEST_F(CommandButtonTest, AButtonOfThePictureSizeShowsItsFrameExactlyOverTheGradient) {
  Command* command = place(10, 10, 64, 25, captioned(L""));
  ASSERT_NE(command, nullptr);
  EXPECT_TRUE(shows(command, normal_));
  ASSERT_EQ(shot_.width, 64);
  // White at the top shading to #C6C5D7 at the bottom, the same along a row.
  for (int y = 4; y < 21; ++y) {
    const double t = y / 24.0;
    const COLORREF c = shot_.at(32, y);
    EXPECT_TRUE(colour_near(c, 255 - int(57 * t), 255 - int(58 * t), 255 - int(40 * t), 4))
        << "row " << y << " " << describe(c);
    EXPECT_EQ(shot_.at(5, y), c) << "row " << y;
  }
}

TEST_F(CommandButtonTest, ALargerButtonKeepsItsCornersAndCentresTheCaptionAcrossItsWidth) {
  const int w = 200, h = 60;
  Command* command = place(10, 40, w, h, captioned(L"OK"));
  ASSERT_NE(command, nullptr);
  ASSERT_TRUE(shows(command, normal_));
  // Drawn into a memory device context, the button gives the same pixels.
  EXPECT_TRUE(printed(command->window()).pixels == shot_.pixels);
  // Stretched edges: the frame line runs all along.
  for (int x = 4; x < w - 4; x += 7) EXPECT_EQ(shot_.at(x, 1), RGB(0x00, 0x3C, 0x74)) << x;
  for (int y = 4; y < h - 4; y += 3) EXPECT_EQ(shot_.at(w - 2, y), RGB(0x00, 0x3C, 0x74)) << y;
  // The bottom of the face comes close to #C6C5D7.
  EXPECT_TRUE(colour_near(shot_.at(20, h - 5), 0xC6, 0xC5, 0xD7, 8)) << describe(shot_.at(20, h - 5));
  // The caption: dark pixels centred across the whole width, above the middle.
  int left = w, right = -1, top = h, bottom = -1;
  for (int y = 4; y < h - 4; ++y)
    for (int x = 4; x < w - 4; ++x)
      if (brightness(shot_.at(x, y)) < 300) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  ASSERT_GE(right, left) << "no caption drawn";
  EXPECT_NEAR((left + right) / 2.0, w / 2.0, 2.0);
  EXPECT_LT((top + bottom) / 2.0, h / 2.0);
  EXPECT_GT(top, h / 2 - 14);
}

TEST_F(CommandButtonTest, HoveringInvertsTheGradientAndThePollRestoresNormalAfterLeaving) {
  Command* command = place(10, 10, 64, 25, captioned(L""));
  ASSERT_NE(command, nullptr);
  move_to(42, 22);
  EXPECT_TRUE(shows(command, highlight_));
  EXPECT_EQ(command->state().LookState, Attention::Pointer);
  EXPECT_LT(brightness(shot_.at(32, 4)), brightness(shot_.at(32, 20)));  // darker at the top now

  // A resize while hovered repaints Normal over the still inverted gradient.
  SetWindowPos(command->window(), nullptr, 0, 0, 70, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(pump_until([&] {
    shot_ = capture_client(command->window());
    return shot_.width == 70 && frame_differences(shot_, normal_).empty();
  })) << frame_differences(shot_, normal_);
  EXPECT_LT(brightness(shot_.at(32, 4)), brightness(shot_.at(32, 25)));

  // The poll, not a mouse move, sees the pointer gone.
  park_pointer();
  EXPECT_TRUE(shows(command, normal_, Attention::None));
  EXPECT_GT(brightness(shot_.at(32, 4)), brightness(shot_.at(32, 25)));
}

TEST_F(CommandButtonTest, PressAndReleaseOverTheButtonClicksOnceWithItsIndex) {
  Command* command = place(10, 10, 117, 28, captioned(L"\uFF7A\uFF8F\uFF9D\uFF84\uFF9E"), 0);
  ASSERT_NE(command, nullptr);
  move_to(60, 24);
  ASSERT_TRUE(pump_until([&] { return command->state().LookState == Attention::Pointer; }));
  mouse(MOUSEEVENTF_LEFTDOWN);
  mouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(pump_until([&] { return clicks_ > 0 && !command->state().MouseHeld; }));
  pump();
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(last_index_, 0);
  EXPECT_EQ(command->state().LookState, Attention::PointerAndFocus);
  EXPECT_EQ(GetFocus(), command->window());
  EXPECT_TRUE(shows(command, highlight_select_));

  // A right-button release clicks too.
  mouse(MOUSEEVENTF_RIGHTDOWN);
  mouse(MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(pump_until([&] { return clicks_ == 2; }));
}

TEST_F(CommandButtonTest, TheKeyboardFocusShowsSelectedAndHoverAndPressShowTheirLooks) {
  Command* first = place(10, 10, 64, 25, captioned(L""));
  Command* second = place(100, 10, 64, 25, captioned(L""));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  SetForegroundWindow(host_);
  SetFocus(host_);

  key(VK_TAB);
  EXPECT_TRUE(shows(first, selected_, Attention::Focus)) << "Tab into the first button";
  key(VK_TAB);
  EXPECT_TRUE(shows(second, selected_, Attention::Focus)) << "Tab on to the second";
  EXPECT_TRUE(shows(first, normal_, Attention::None)) << "Tab out of the first";

  // Hovering the focused button, then holding the left button on it.
  move_to(132, 22);
  EXPECT_TRUE(shows(second, highlight_select_, Attention::PointerAndFocus));
  mouse(MOUSEEVENTF_LEFTDOWN);
  EXPECT_TRUE(shows(second, pressed_, Attention::PointerAndFocus));
  mouse(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(shows(second, highlight_select_, Attention::PointerAndFocus));
  EXPECT_EQ(clicks_, 1);

  // The focus arriving on a hovered button shows Pressed too.
  move_to(42, 22);
  ASSERT_TRUE(shows(first, highlight_, Attention::Pointer));
  key(VK_TAB, true);
  EXPECT_TRUE(shows(first, pressed_, Attention::PointerAndFocus)) << "Shift+Tab back onto the hovered first button";
  EXPECT_TRUE(shows(second, normal_, Attention::None));
}

TEST_F(CommandButtonTest, APressDraggedOffIsCancelledByThePollAndTheReleaseStillArrives) {
  Command* command = place(10, 10, 117, 28, captioned(L"OK"));
  ASSERT_NE(command, nullptr);
  const auto press_and_drag_off = [&] {
    move_to(60, 24);
    ASSERT_TRUE(pump_until([&] {
      return command->state().LookState == Attention::Pointer || command->state().LookState == Attention::PointerAndFocus;
    }));
    mouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(pump_until([&] { return command->state().MouseHeld; }));
    park_pointer();
    ASSERT_TRUE(pump_until([&] { return command->state().LookState == Attention::Focus; }));
  };

  // Released away from the button: the release still reaches it (it holds
  // the capture), clicks nothing and leaves it Selected.
  press_and_drag_off();
  mouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(pump_until([&] { return !command->state().MouseHeld; }));
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(command->state().LookState, Attention::Focus);
  EXPECT_TRUE(shows(command, selected_));

  // Brought back over the button before the release: still no click.
  press_and_drag_off();
  move_to(60, 24);
  mouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(pump_until([&] { return !command->state().MouseHeld; }));
  pump();
  EXPECT_EQ(clicks_, 0);
}

TEST_F(CommandButtonTest, ADisabledButtonPaintsDisableAndRaisesNothing) {
  PropertyStore store = captioned(L"");
  store.set(button::kKeyEnabled, false);
  Command* disabled = place(10, 10, 64, 25, store);
  Command* witness = place(100, 10, 64, 25, captioned(L""));
  ASSERT_NE(disabled, nullptr);
  ASSERT_NE(witness, nullptr);
  EXPECT_TRUE(shows(disabled, disable_));

  int witness_clicks = 0;
  witness->Click = [&](int) { ++witness_clicks; };
  move_to(42, 22);
  mouse(MOUSEEVENTF_LEFTDOWN);
  mouse(MOUSEEVENTF_LEFTUP);
  // Input arrives in order: once the witness has its click, the disabled
  // button has had its press and release.
  move_to(132, 22);
  mouse(MOUSEEVENTF_LEFTDOWN);
  mouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(pump_until([&] { return witness_clicks == 1; }));
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(disabled->state().LookState, Attention::None);
  EXPECT_EQ(frame_differences(capture_client(disabled->window()), disable_), "");

  // Enabling it again paints Normal.
  disabled->SetEnabled(true);
  EXPECT_TRUE(shows(disabled, normal_));
}

TEST_F(CommandButtonTest, AFreshButtonTurnsOnWhenEnabledIsFirstRead) {
  buttons_.push_back(Command::Create(host_, gdi::to_rect({10, 10, 64, 25}), nullptr));
  Command* fresh = buttons_.back().get();
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->Caption(), L"Command");
  EXPECT_FALSE(fresh->state().Enabled);
  EXPECT_TRUE(fresh->Enabled());
  EXPECT_EQ(fresh->state().FirstRun, 1);
  fresh->SetFontColour(RGB(255, 0, 0));
  EXPECT_EQ(fresh->FontColour(), RGB(255, 0, 0));

  // An enabled button stored with FirstRun 0 keeps its caption black.
  PropertyStore store;
  store.set(button::kKeyFirstRun, std::int64_t{0});
  Command* unrun = place(10, 50, 64, 25, store);
  unrun->SetFontColour(RGB(255, 0, 0));
  EXPECT_EQ(unrun->FontColour(), RGB(0, 0, 0));
}

TEST_F(CommandButtonTest, StoredPropertiesComeBackThroughANewButton) {
  Command* original = place(10, 10, 117, 28, PropertyStore());
  ASSERT_NE(original, nullptr);
  EXPECT_EQ(original->Caption(), L"Command1");

  std::vector<std::string> changed;
  original->PropertyChanged = [&](const std::string& key) { changed.push_back(key); };
  original->SetCaption(L"Command");
  PropertyStore store;
  original->WriteProperties(store);
  EXPECT_EQ(store.find(button::kKeyCaption), nullptr);
  EXPECT_EQ(place(10, 50, 117, 28, store)->Caption(), L"Command1");

  original->SetCaption(L"\u53C2\u7167...");  // 参照...
  original->SetEnabled(false);
  original->SetFontColour(RGB(0, 0, 128));
  original->SetVisible(false);
  auto font = std::make_shared<button::FontSpec>(*original->Font());
  font->weight = 700;
  original->SetFont(font);
  EXPECT_EQ(original->Font().get(), font.get());
  EXPECT_EQ(changed, (std::vector<std::string>{"Caption", "Caption", "Enabled", "FontColour", "Visible", "Font"}));
  original->WriteProperties(store);
  std::vector<std::string> keys;
  for (const auto& entry : store.entries()) keys.push_back(entry.first);
  EXPECT_EQ(keys, (std::vector<std::string>{"Enabled", "Caption", "Font", "FontColour", "Visible"}));

  Command* copy = place(10, 90, 117, 28, store);
  EXPECT_EQ(copy->Caption(), L"\u53C2\u7167...");
  EXPECT_FALSE(copy->state().Enabled);
  EXPECT_FALSE(copy->Visible());
  // Transparent: the host shows through where the face would be.
  Picture host_shot;
  EXPECT_TRUE(pump_until([&] {
    host_shot = capture_client(host_);
    return host_shot.width > 0 && host_shot.at(10 + 58, 90 + 6) == kBeige;
  })) << describe(host_shot.width ? host_shot.at(68, 96) : 0);
  EXPECT_NE(host_shot.at(10 + 58, 50 + 6), kBeige);  // an opaque one at the same place of its face
  EXPECT_EQ(copy->Font()->weight, 700);
  copy->SetEnabled(true);
  EXPECT_EQ(copy->FontColour(), RGB(0, 0, 128));
}

}  // namespace
}  // namespace tessarine::test
