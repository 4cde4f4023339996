// The owner-drawn push button `Command`, hosted as a child window of any
// window of the shell. It paints itself (gradient face, framed look image,
// caption), polls the pointer every 100 ms once initialised, and raises Click.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "command_properties.h"
#include "command_state.h"

namespace tessarine::button {

// The class identifier by which containers know the control.
inline constexpr wchar_t kCommandClassIdentifier[] = L"Tessarine.Command";

class Command {
 public:
  // Receives the control-array index given at creation (-1 where the host has none).
  using ClickHandler = std::function<void(int index)>;
  // Told the key of a property that needs storing again.
  using ChangedHandler = std::function<void(const std::string& key)>;

  // Creates the control as a visible child window of `host` at `area`
  // (pixels in the host's client coordinates; the host converts its twips).
  // `stored` describes the button (the six keys are read in order, absent
  // keys give their defaults: an empty store gives the caption "Command1");
  // null makes a freshly placed button (FirstRun 0, Enabled false until
  // `Enabled` is first read, caption "Command"). `ambient` is the host's
  // font, used where the store has none; null takes the host window's font
  // (WM_GETFONT) or else the system's GUI font. The button paints at once
  // but does not react to the pointer until Initialize. Null when the window
  // cannot be made.
  static std::unique_ptr<Command> Create(HWND host, const RECT& area, const PropertyStore* stored, int index = -1,
                                         const FontSpec* ambient = nullptr);
  ~Command();  // destroys the window (and its poll timer)
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  // Attention None and the 100 ms pointer poll, which then runs for the
  // button's life.
  void Initialize();

  // Raised by a mouse-button release on the enabled button unless its
  // attention is Focus alone (the poll saw the pointer leave); by Enter, or
  // the release of Space, on the focused button; and by BM_CLICK (the
  // default action of accessibility clients).
  ClickHandler Click;
  // Optional: raised when a property is marked changed.
  ChangedHandler PropertyChanged;

  // Properties. Reads may repaint, as the control's accessors always have:
  // reading Enabled repaints Normal or Disable (and on a fresh button turns it
  // on), reading FontColour or Visible (while opaque) repaints Normal.
  std::wstring Caption() const;
  void SetCaption(const std::wstring& text);
  bool Enabled();
  void SetEnabled(bool enabled);
  // False means a transparent background (the host shows through); it never
  // hides the window.
  bool Visible();
  void SetVisible(bool visible);
  COLORREF FontColour();
  void SetFontColour(COLORREF colour);
  // The caption's font object itself (shared); setting it does not repaint.
  std::shared_ptr<const FontSpec> Font() const;
  void SetFont(std::shared_ptr<const FontSpec> font);

  // Writes the six keys in order into `store`, then repaints Normal.
  void WriteProperties(PropertyStore& store);

  HWND window() const { return window_; }
  // The button that owns this window; null for any other window.
  static Command* FromWindow(HWND window);
  int index() const { return index_; }
  // The state machine's fields, for hosts and tests that look.
  const CommandState& state() const { return state_; }

 private:
  Command(int index, FontSpec ambient);
  struct Surface;  // the retained face and what the caption is drawn from
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnNcDestroy(WPARAM wparam, LPARAM lparam);
  void OnPaint();
  void OnPrintClient(HDC dc);
  void OnButtonDown(MouseButton button);
  void OnButtonUp(MouseButton button, WPARAM held);
  void OnPoll();
  LRESULT OnGetDlgCode(const MSG* message);
  void OnKeyDown(WPARAM key, LPARAM flags);
  void RaiseClick(const Release& release);

  // The retained face, then the caption over it, into any device context.
  void Paint(HDC dc, const RECT& client);
  void DrawLook(Look look);
  void ApplyEnabledLook();
  void RefreshLook();
  void Show(std::optional<Look> look);
  void ApplyCaption();
  void ApplyFont();
  void ApplyBackStyle();
  void ReadProperties(const PropertyStore& store);
  void MarkChanged(const char* key);

  HWND window_ = nullptr;
  int index_ = -1;
  FontSpec ambient_;
  CommandState state_;
  std::unique_ptr<Surface> surface_;
};

}  // namespace tessarine::button
