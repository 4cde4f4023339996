// The picture group's lists for stored values and its edits.
#include "picture_state.h"

#include <gtest/gtest.h>

namespace tessarine::shell::dialog {
namespace {

template <typename Value>
std::vector<std::wstring> texts(const std::vector<Entry<Value>>& list) {
  std::vector<std::wstring> shown;
  for (const Entry<Value>& entry : list) shown.push_back(entry.text);
  return shown;
}

const std::wstring kTimes = L" \u500D";
const std::wstring kDisplayRate = L"\u753B\u9762\u306B\u5408\u308F\u305B\u308B";

TEST(PictureLists, GiveAStoredValueThatNoEntryHasAnEntryInItsOrder) {
  EXPECT_EQ(texts(picture_lists({}).speeds),
            (std::vector<std::wstring>{L"0.25" + kTimes, L"0.5" + kTimes, L"0.75" + kTimes,
                                       L"1" + kTimes + L" (\u6A19\u6E96)", L"1.5" + kTimes, L"2" + kTimes,
                                       L"3" + kTimes, L"4" + kTimes}));
  const PictureLists lists = picture_lists({1.1, 2, 0x00FF00, 45, true, false});
  ASSERT_EQ(lists.speeds.size(), 9u);
  EXPECT_EQ(lists.speeds[4], (Entry<double>{L"1.1" + kTimes, 1.1}));
  EXPECT_EQ(texts(lists.frame_rates), (std::vector<std::wstring>{kDisplayRate, L"60", L"45", L"30", L"15"}));
  // Beyond either end of the list.
  EXPECT_EQ(picture_lists({4.0, 2, 0, 144, true, false}).frame_rates[1].text, L"144");
  EXPECT_EQ(picture_lists({4.0, 2, 0, 5, true, false}).frame_rates.back().text, L"5");
  EXPECT_EQ(picture_lists({0.3, 2, 0, 60, true, false}).speeds[1].value, 0.3);
}

TEST(PictureState, SelectsTheLoadedPictureAndKeepsItsEntriesThroughTheDefaults) {
  renderer::PictureOptions picture = {1.1, 1, 0xFF8000, 45, false, true};
  PictureState state(picture);
  EXPECT_EQ(state.speed_index(), 4);
  EXPECT_EQ(state.density_index(), 0);
  EXPECT_EQ(state.frame_rate_index(), 2);

  state.restore_defaults();
  EXPECT_EQ(picture, renderer::PictureOptions());
  EXPECT_EQ(state.speed_index(), 3);
  EXPECT_EQ(state.density_index(), 1);
  EXPECT_EQ(state.frame_rate_index(), 0);

  // The loaded values are still there to choose; an index without an entry
  // changes nothing.
  state.choose_speed(4);
  state.choose_frame_rate(2);
  state.choose_density(2);
  state.choose_colour(0xFF102030);
  for (int index : {-1, 9, 1000}) {
    state.choose_speed(index);
    state.choose_density(index);
    state.choose_frame_rate(index);
  }
  EXPECT_EQ(picture, (renderer::PictureOptions{1.1, 3, 0x102030, 45, true, false}));
}

}  // namespace
}  // namespace tessarine::shell::dialog
