#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "CodecTestUtil.h"
#include "imaging/HIPSLoader.h"

using namespace lumarte;
using namespace lumarte::imaging;

namespace {

using TBytes = std::vector<uint8_t>;

struct THipsLayout {
  bool NewStyle = true;
  std::string Height = "1", Width = "1";
  std::string Format = "0";  // new style: pixel format; old style: bits per pixel
  std::string Planes = "1";
  std::vector<std::string> Names = {"image name", "sequence"};
  std::string History = "", Description = "";
  std::vector<std::string> Parameters;
  std::string Eol = "\n";
};

std::string BuildHips(const THipsLayout& s, const TBytes& pixels) {
  std::string out;
  auto line = [&](const std::string& t) { out += t + s.Eol; };
  line(s.NewStyle ? "HIPS" : "original name");
  for (auto& n : s.Names) line(n);
  line("1");  // frames
  line("Mon Jan 01 00:00:00 1990");
  line(s.Height);
  line(s.Width);
  if (s.NewStyle) {
    line(s.Height);  // region rows repeat the height
    line(s.Width);
    line("0");
    line("0");
    line(s.Format);
    line(s.Planes);
    line(std::to_string(s.History.size()));
    out += s.History;
    line(std::to_string(s.Description.size()));
    out += s.Description;
    line(std::to_string(s.Parameters.size()));
    for (auto& p : s.Parameters) line(p);
    line("0");
  } else {
    line(s.Format);
    for (int i = 0; i < 4; ++i) line("old header line");
  }
  out.append(pixels.begin(), pixels.end());
  return out;
}

TBytes Floats(std::initializer_list<float> values, bool bigEndian = false) {
  TBytes out;
  for (float f : values) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    for (int i = 0; i < 4; ++i)
      out.push_back(static_cast<uint8_t>(u >> 8 * (bigEndian ? 3 - i : i)));
  }
  return out;
}

struct TSampleCase {
  const char* Name;
  THipsLayout Layout;
  TBytes Pixels;
  TPixelFormat Format;
  TBytes Expected;  // the pixel block
};

class HipsSamples : public ::testing::TestWithParam<TSampleCase> {};

TEST_P(HipsSamples, DecodeToExpectedBytes) {
  const TSampleCase& c = GetParam();
  TRevedBitmap b = lumarte::testing::LoadBytes(BuildHips(c.Layout, c.Pixels), "hips");
  EXPECT_EQ(b.PixelFormat, c.Format);
  EXPECT_EQ(TBytes(b.Map.get(), b.Map.get() + b.Size), c.Expected);
  if (c.Format == pf8bit) {
    EXPECT_EQ(*b.Palette, DefaultPalette());
  }
}

THipsLayout Layout(std::function<void(THipsLayout&)> f) {
  THipsLayout s;
  f(s);
  return s;
}

const float kNaN = std::nanf("");

#define LAYOUT(...) Layout([](THipsLayout& s) { __VA_ARGS__; })
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Kinds, HipsSamples,
    ::testing::Values(
        TSampleCase{"OldStyleBytes", LAYOUT(s.NewStyle = false, s.Height = "2", s.Width = "3", s.Format = "8"),
                    {1, 2, 3, 4, 5, 6}, pf8bit, {1, 2, 3, 4, 5, 6}},
        TSampleCase{"NewStyleBytesFirstPlaneOnly", LAYOUT(s.Width = "3", s.Planes = "2"),
                    {7, 8, 9, 70, 80, 90}, pf8bit, {7, 8, 9}},
        TSampleCase{"ManyNameLinesAndLargeNumbers", LAYOUT(s.Names = {"a", "1000", "b", "c"}, s.Width = "2"),
                    {4, 5}, pf8bit, {4, 5}},
        TSampleCase{"HistoryDescriptionParametersSkipped",
                    LAYOUT(s.History = "made by\nhand\n", s.Description = "two\nlines\n", s.Parameters = {"p1 1", "p2 2"}),
                    {33}, pf8bit, {33}},
        TSampleCase{"ColourBytesRedFirst", LAYOUT(s.Width = "2", s.Format = "35"),
                    {10, 20, 30, 40, 50, 60}, pf24bit, {30, 20, 10, 60, 50, 40}},
        TSampleCase{"ColourFloatsFirstGoesToBlue", LAYOUT(s.Format = "37"),
                    Floats({10.f, 20.f, 30.f}), pf24bit, {10, 20, 30}},
        TSampleCase{"FloatBigEndianRoundedAndClamped", LAYOUT(s.Width = "6", s.Format = "3"),
                    Floats({300.f, -4.f, 2.5f, 3.5f, 127.4f, kNaN}, true), pf8bit, {255, 0, 2, 4, 127, 0}},
        TSampleCase{"BadPlaneCountMeansOne", LAYOUT(s.Format = "3", s.Planes = "600"),
                    Floats({9.f}, true), pf8bit, {9}},
        TSampleCase{"TwoFloatPlanesLeaveBlueZero", LAYOUT(s.Width = "2", s.Format = "3", s.Planes = "2"),
                    Floats({1.f, 2.f, 3.f, 4.f}), pf24bit, {0, 3, 1, 0, 4, 2}},
        TSampleCase{"ThreeFloatPlanes", LAYOUT(s.Width = "2", s.Format = "3", s.Planes = "4"),
                    Floats({1.f, 2.f, 3.f, 4.f, 5.f, 6.f}), pf24bit, {5, 3, 1, 6, 4, 2}}),
    [](const auto& info) { return std::string(info.param.Name); });
// clang-format on

struct TBadCase {
  const char* Name;
  THipsLayout Layout;
  TBytes Pixels;
  const char* Message;
};

class HipsBad : public ::testing::TestWithParam<TBadCase> {};

TEST_P(HipsBad, RaisesAndLeavesBufferEmpty) {
  EXPECT_EQ(lumarte::testing::LoadFailure(BuildHips(GetParam().Layout, GetParam().Pixels), "hip"),
            GetParam().Message);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, HipsBad,
    ::testing::Values(
        TBadCase{"UnknownPixelFormat", LAYOUT(s.Format = "36"), {1}, "Unsupported bitmap format"},
        TBadCase{"OldStyleNot8Bits", LAYOUT(s.NewStyle = false, s.Format = "16"), {1, 1}, "Unsupported bitmap format"},
        TBadCase{"HeightNotANumber", LAYOUT(s.Height = "tall"), {1}, "'tall' is not a valid integer value"},
        // Lines end at the line feed; a carriage return stays, so no line reads as the
        // frame count and the search runs into the end of the data.
        TBadCase{"CarriageReturnsStay", LAYOUT(s.Eol = "\r\n"), {1}, "Error reading from stream - Read beyond end of stream"},
        TBadCase{"PixelsTruncated", LAYOUT(s.Width = "4"), {1, 2}, "Read less than expected"},
        TBadCase{"FloatsTruncated", LAYOUT(s.Format = "37"), Floats({1.f, 2.f}), "Read less than expected"},
        TBadCase{"WidthZero", LAYOUT(s.Width = "0"), {}, "Invalid bitmap size"},
        TBadCase{"WidthTooLarge", LAYOUT(s.Width = "70000"), {}, "Invalid bitmap size"},
        TBadCase{"HistoryPastEnd", LAYOUT(s.History = "x"), {}, "Read less than expected"}),
    [](const auto& info) { return std::string(info.param.Name); });
// clang-format on
#undef LAYOUT

TEST(HipsLoader, RefusesAnEmptyFileAndSaving) {
  EXPECT_EQ(lumarte::testing::LoadFailure("", "hips"),
            "Error reading from stream - Read beyond end of stream");
  TRevedBitmap b;
  b.New(1, 1, pf8bit);
  EXPECT_EQ(Message([&] { b.SaveToFile("/tmp/never.hips"); }), "Unsupported file format");
}

}  // namespace
