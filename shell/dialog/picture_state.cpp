// The picture group's lists and edits.
#include "picture_state.h"

#include <algorithm>

namespace tessarine::shell::dialog {

namespace {

constexpr wchar_t kTimes[] = L" \u500D";                      // " 倍"
constexpr wchar_t kStandard[] = L" (\u6A19\u6E96)";           // " (標準)"
constexpr wchar_t kDisplayRate[] = L"\u753B\u9762\u306B\u5408\u308F\u305B\u308B";  // 画面に合わせる

constexpr double kSpeeds[] = {0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0};
constexpr int kFrameRates[] = {0, 60, 30, 15};

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

Entry<double> speed_entry(double speed) {
  std::wstring text = wide(renderer::speed_text(speed)) + kTimes;
  if (speed == renderer::PictureOptions().speed) text += kStandard;
  return {text, speed};
}

Entry<int> frame_rate_entry(int limit) { return {limit == 0 ? kDisplayRate : std::to_wstring(limit), limit}; }

// Puts the entry for `value` into the list, before the first entry that
// `comes_after` says follows it, unless an entry has the value already.
template <typename Value, typename MakeEntry, typename ComesAfter>
void add_missing(std::vector<Entry<Value>>& list, Value value, MakeEntry make_entry, ComesAfter comes_after) {
  if (std::any_of(list.begin(), list.end(), [&](const Entry<Value>& e) { return e.value == value; })) return;
  const auto at = std::find_if(list.begin(), list.end(), [&](const Entry<Value>& e) { return comes_after(e.value); });
  list.insert(at, make_entry(value));
}

template <typename Value>
int index_of(const std::vector<Entry<Value>>& list, Value value) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].value == value) return static_cast<int>(i);
  }
  return -1;
}

template <typename Value>
void choose(const std::vector<Entry<Value>>& list, int index, Value& field) {
  if (index >= 0 && static_cast<size_t>(index) < list.size()) field = list[static_cast<size_t>(index)].value;
}

}  // namespace

PictureLists picture_lists(const renderer::PictureOptions& loaded) {
  PictureLists lists;
  for (double speed : kSpeeds) lists.speeds.push_back(speed_entry(speed));
  add_missing(lists.speeds, loaded.speed, speed_entry, [&](double speed) { return speed > loaded.speed; });

  lists.densities = {{L"\u307E\u3070\u3089", renderer::kSparse},          // まばら
                     {L"\u3075\u3064\u3046", renderer::kStandardDensity},  // ふつう
                     {L"\u5BC6", renderer::kDense}};                       // 密

  // The display's rate first, then the limits from the highest down.
  for (int limit : kFrameRates) lists.frame_rates.push_back(frame_rate_entry(limit));
  add_missing(lists.frame_rates, loaded.max_fps, frame_rate_entry,
              [&](int limit) { return limit != 0 && limit < loaded.max_fps; });
  return lists;
}

int PictureState::speed_index() const { return index_of(lists_.speeds, picture_.speed); }
int PictureState::density_index() const { return index_of(lists_.densities, picture_.density); }
int PictureState::frame_rate_index() const { return index_of(lists_.frame_rates, picture_.max_fps); }

void PictureState::choose_speed(int index) { choose(lists_.speeds, index, picture_.speed); }
void PictureState::choose_density(int index) { choose(lists_.densities, index, picture_.density); }
void PictureState::choose_frame_rate(int index) { choose(lists_.frame_rates, index, picture_.max_fps); }

}  // namespace tessarine::shell::dialog
