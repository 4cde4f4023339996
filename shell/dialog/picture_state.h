// What the settings dialog's picture group decides, free of any window: the
// entries of its lists (a stored value that no entry has gets one of its
// own, so that it is never lost), which entry each value selects, and the
// edits of the picture that its controls make.
#pragma once

#include <string>
#include <vector>

#include "picture_options.h"

namespace tessarine::shell::dialog {

// One entry of a drop-down list: its text and the value it stands for.
template <typename Value>
struct Entry {
  std::wstring text;
  Value value;
  friend bool operator==(const Entry&, const Entry&) = default;
};

// The lists as the dialog fills them for a loaded picture:
//   speeds       0.25, 0.5, 0.75, 1 (標準), 1.5, 2, 3, 4 倍
//   densities    まばら, ふつう, 密 (1, 2, 3)
//   frame rates  画面に合わせる (0), 60, 30, 15
// with the loaded speed or frame-rate limit added in its order where no
// entry has it.
struct PictureLists {
  std::vector<Entry<double>> speeds;
  std::vector<Entry<int>> densities;
  std::vector<Entry<int>> frame_rates;
};
PictureLists picture_lists(const renderer::PictureOptions& loaded);

// The dialog's edits of the picture (the settings record's), through the
// lists made when it loaded.
class PictureState {
 public:
  explicit PictureState(renderer::PictureOptions& picture) : picture_(picture), lists_(picture_lists(picture)) {}

  const renderer::PictureOptions& picture() const { return picture_; }
  const PictureLists& lists() const { return lists_; }

  // The entry each list shows for the picture; -1 where none has its value.
  int speed_index() const;
  int density_index() const;
  int frame_rate_index() const;

  // An entry chosen in a list; an index that no entry has changes nothing.
  void choose_speed(int index);
  void choose_density(int index);
  void choose_frame_rate(int index);
  void choose_colour(std::uint32_t colour) { picture_.colour = colour & 0xFFFFFF; }
  void show_frame_rate(bool shown) { picture_.show_fps = shown; }
  void end_on_any_input(bool ends) { picture_.end_on_input = ends; }

  // 既定値に戻す: the standard picture. The lists keep their entries, so that
  // the loaded values can still be chosen again.
  void restore_defaults() { picture_ = renderer::PictureOptions(); }

 private:
  renderer::PictureOptions& picture_;
  PictureLists lists_;
};

}  // namespace tessarine::shell::dialog
