// The renderer's one pattern of ownership: a move-only owner of a handle.
// The renderer links nothing of the shell, so it keeps its own.
#pragma once

#include <utility>

namespace tessarine::renderer {

// A handle that is given back together with what it belongs to: a device
// context with its window, an object selected out with its device context.
template <typename Context, typename Handle>
struct InContext {
  Context context{};
  Handle handle{};
  explicit operator bool() const { return handle != nullptr; }
};

// Owns a handle and gives it back through Release(handle), by reset or on
// destruction; an empty owner (a handle that tests false) gives back nothing.
template <typename Handle, auto Release>
class Owner {
 public:
  Owner() = default;
  explicit Owner(Handle handle) : handle_(handle) {}
  Owner(Owner&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  Owner& operator=(Owner&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  ~Owner() { reset(); }

  void reset(Handle handle = Handle{}) {
    if (handle_) Release(handle_);
    handle_ = handle;
  }
  Handle get() const { return handle_; }
  explicit operator bool() const { return static_cast<bool>(handle_); }

 private:
  Handle handle_{};
};

}  // namespace tessarine::renderer
