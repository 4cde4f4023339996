// Small move-only owners for GDI and cursor handles, so every path frees what
// it made.
#pragma once

#include <windows.h>

#include <utility>

#include "pixel_rect.h"

namespace tessarine::gdi {

// The Win32 form of a pixel rectangle.
inline RECT to_rect(const shell::PixelRect& r) { return {r.left, r.top, r.right(), r.bottom()}; }

// Owns a handle and frees it with `destroy`.
template <typename Handle, auto destroy>
class Owner {
 public:
  Owner() = default;
  explicit Owner(Handle handle) : handle_(handle) {}
  Owner(Owner&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owner& operator=(Owner&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  ~Owner() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset(Handle handle = nullptr) {
    if (handle_) destroy(handle_);
    handle_ = handle;
  }
  Handle release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

// A GDI object (bitmap, brush, pen, font, region), deleted.
template <typename Handle>
using Object = Owner<Handle, DeleteObject>;

using Bitmap = Object<HBITMAP>;
using Brush = Object<HBRUSH>;
using Pen = Object<HPEN>;
using Font = Object<HFONT>;
using Region = Object<HRGN>;

// A cursor or an icon made at run time (never a shared one from LoadCursor or
// LoadIcon), destroyed.
using OwnedCursor = Owner<HCURSOR, DestroyCursor>;
using OwnedIcon = Owner<HICON, DestroyIcon>;

// A memory device context, deleted on destruction.
class MemoryDc {
 public:
  MemoryDc() = default;
  explicit MemoryDc(HDC compatible_with) : dc_(CreateCompatibleDC(compatible_with)) {}
  MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDc& operator=(MemoryDc&& other) noexcept {
    if (this != &other) {
      if (dc_) DeleteDC(dc_);
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_ = nullptr;
};

// A window's device context (GetDC), released on destruction.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }
  HDC get() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
  HDC dc_ = nullptr;
};

// Selects an object into a DC and restores the previous one on destruction.
class Selection {
 public:
  Selection() = default;
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  Selection(Selection&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
  Selection& operator=(Selection&& other) noexcept {
    if (this != &other) {
      restore();
      dc_ = std::exchange(other.dc_, nullptr);
      previous_ = std::exchange(other.previous_, nullptr);
    }
    return *this;
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { restore(); }

 private:
  void restore() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    dc_ = nullptr;
    previous_ = nullptr;
  }
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// A memory DC holding a bitmap of its own: a picture kept between paints.
// The DC gets its original bitmap back before a bitmap is deleted (Windows
// refuses to delete a selected bitmap, which then leaks), and goes last.
class MemoryBitmap {
 public:
  MemoryBitmap() = default;
  MemoryBitmap(const MemoryBitmap&) = delete;
  MemoryBitmap& operator=(const MemoryBitmap&) = delete;

  // Selects `bitmap` in place of the one held, which is deleted. The DC is
  // made on first use, compatible with `like` (null: the screen). False, with
  // the bitmap held before kept, when there is no DC or no bitmap.
  bool hold(Bitmap bitmap, HDC like) {
    if (!dc_) dc_ = MemoryDc(like);
    if (!dc_ || !bitmap) return false;
    selected_ = Selection();
    bitmap_ = std::move(bitmap);
    selected_ = Selection(dc_.get(), bitmap_.get());
    return true;
  }
  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }

 private:
  // Destroyed in reverse: the selection undone, the bitmap, then the DC.
  MemoryDc dc_;
  Bitmap bitmap_;
  Selection selected_;
};

}  // namespace tessarine::gdi
