// The renderer's picture options: what reads, what is clamped, what is ignored.
#include "picture_options.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tessarine::renderer {
namespace {

TEST(PictureOptions, NoneGiveTheStandardPictureAndNoArguments) {
  EXPECT_EQ(read_options({}), PictureOptions{});
  EXPECT_TRUE(option_arguments(PictureOptions{}).empty());
}

TEST(PictureOptions, ReadInBothSpellingsAndWriteBackToTheSameOptions) {
  const PictureOptions read = read_options(
      {"--speed", "1.5", "--density=3", "--colour", "#ff8000", "--max-fps=30", "--no-fps", "--end-on-input"});
  EXPECT_DOUBLE_EQ(read.speed, 1.5);
  EXPECT_EQ(read.density, 3);
  EXPECT_EQ(read.colour, 0xFF8000u);
  EXPECT_EQ(read.max_fps, 30);
  EXPECT_FALSE(read.show_fps);
  EXPECT_TRUE(read.end_on_input);
  EXPECT_EQ(read_options(option_arguments(read)), read);
  EXPECT_EQ(option_arguments(read).at(5), "FF8000");
}

TEST(PictureOptions, ValuesOutOfRangeAreClamped) {
  const PictureOptions high = read_options({"--speed", "9", "--density", "7", "--max-fps", "5000"});
  EXPECT_DOUBLE_EQ(high.speed, 4.0);
  EXPECT_EQ(high.density, 3);
  EXPECT_EQ(high.max_fps, 1000);
  const PictureOptions low = read_options({"--speed", "0", "--density", "-2", "--max-fps", "-5"});
  EXPECT_DOUBLE_EQ(low.speed, 0.25);
  EXPECT_EQ(low.density, 1);
  EXPECT_EQ(low.max_fps, 0);
}

TEST(PictureOptions, ValuesThatDoNotReadAndUnknownOptionsAreIgnored) {
  const PictureOptions options = read_options({"--speed", "fast", "--density", "2.5", "--colour", "00FF0", "--max-fps",
                                               "0x20", "--speed", "nan", "-s", "--unknown", "3", "--no-fps=1",
                                               "--colour", "GG0000", "--speed", "1e2"});
  EXPECT_EQ(options, PictureOptions{});
  // A later good value still counts, and a value missing at the end is no failure.
  EXPECT_DOUBLE_EQ(read_options({"--speed", "x", "--speed", "2", "--density"}).speed, 2.0);
  EXPECT_FALSE(read_options({"--speed", "--no-fps"}).show_fps);
}

TEST(PictureOptions, PillarsStandEvery12Or6Or3UnitsAndTheCameraWrapsByTheirPattern) {
  struct Case {
    int density;
    float step;
    size_t count;
    float period;  // a multiple of the step and of the floor's 2, so the picture never jumps
  };
  for (const Case c : {Case{1, 12.0f, 24, 12.0f}, Case{2, 6.0f, 48, 6.0f}, Case{3, 3.0f, 95, 6.0f}}) {
    SCOPED_TRACE(c.density);
    const std::vector<float> at = pillar_coordinates(c.density);
    ASSERT_EQ(at.size(), c.count);
    EXPECT_FLOAT_EQ(at.front(), -141.0f);
    EXPECT_LE(at.back(), 141.0f);
    EXPECT_GT(at.back() + c.step, 141.0f);
    for (float p : at) ASSERT_FLOAT_EQ(std::remainder(p - 3.0f, c.step), 0.0f) << p;  // 3 + k * step
    EXPECT_FLOAT_EQ(world_period(c.density), c.period);
  }
}

TEST(PictureOptions, TheStandardColourGivesTodaysGreenLinesAndFloor) {
  EXPECT_EQ(channels(kStandardColour), (Rgb{0.0f, 1.0f, 0.0f}));
  EXPECT_EQ(channels(kStandardColour, 0.8f), (Rgb{0.0f, 0.8f, 0.0f}));
  EXPECT_EQ(channels(0xFF8000, 0.8f), (Rgb{0.8f, 128.0f / 255.0f * 0.8f, 0.0f}));
}

}  // namespace
}  // namespace tessarine::renderer
