// The PCX codec on hand-made files: what it writes, run-length edge cases and
// broken headers. Real files (padding columns, other depths) are read by the
// corpus suite.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "CodecTestUtil.h"
#include "imaging/PCXLoader.h"

using namespace lumarte;
using namespace lumarte::imaging;
using namespace std::string_literals;

namespace {

using TBytes = std::vector<uint8_t>;

struct TPcxHeader {
  int Xmin = 0, Ymin = 0, Xmax = 0, Ymax = 0;
  int BytesPerLine = 1;
  int Planes = 1;
  uint8_t Manufacturer = 10, Version = 5, Encoding = 1, Bits = 8;
};

std::string BuildPcx(const TPcxHeader& h, const TBytes& data) {
  std::string s(128, '\0');
  auto put16 = [&](int at, int v) { s[at] = char(v), s[at + 1] = char(v >> 8); };
  s[0] = char(h.Manufacturer), s[1] = char(h.Version), s[2] = char(h.Encoding), s[3] = char(h.Bits);
  put16(4, h.Xmin), put16(6, h.Ymin), put16(8, h.Xmax), put16(10, h.Ymax);
  s[65] = char(h.Planes);
  put16(66, h.BytesPerLine);
  s.append(data.begin(), data.end());
  return s;
}

TRevedBitmap Load(const std::string& bytes) {
  return lumarte::testing::LoadBytes(bytes, "pcx");
}

std::string Save(TRevedBitmap& b) {
  return lumarte::testing::SaveBytes(b, "PCX");
}

TBytes Tail(const std::string& file, size_t from) {
  return TBytes(file.begin() + from, file.end());
}

// ---- round trips and the written layout ----

struct TShape {
  int Width, Height;
  TPixelFormat Format;
};

class PcxRoundTrip : public ::testing::TestWithParam<TShape> {};

TEST_P(PcxRoundTrip, ReadsBackExactly) {
  const TShape& p = GetParam();
  TRevedBitmap src = lumarte::testing::NoisePicture(p.Width, p.Height, p.Format, p.Width);
  std::string file = Save(src);
  // Header: version-5 run-length 8-bit planes, the window, 96 dpi; planes and
  // bytes per line = width even when odd.
  auto u16 = [](int v) { return std::string{char(v), char(v >> 8)}; };
  EXPECT_EQ(file.substr(0, 16),
            "\x0a\x05\x01\x08\0\0\0\0"s + u16(p.Width - 1) + u16(p.Height - 1) + u16(96) + u16(96));
  EXPECT_EQ(file.substr(65, 3), char(p.Format == pf8bit ? 1 : 3) + u16(p.Width));
  TRevedBitmap back = Load(file);
  ASSERT_EQ(back.Width, p.Width);
  ASSERT_EQ(back.Height, p.Height);
  ASSERT_EQ(back.PixelFormat, p.Format);
  EXPECT_EQ(std::memcmp(back.Map.get(), src.Map.get(), src.Size), 0);
  if (p.Format == pf8bit) {
    EXPECT_EQ(*back.Palette, *src.Palette);
  }
}

INSTANTIATE_TEST_SUITE_P(OddAndEvenWidths, PcxRoundTrip,
                         ::testing::Values(TShape{1, 1, pf8bit}, TShape{7, 3, pf8bit},
                                           TShape{64, 2, pf8bit}, TShape{1, 2, pf24bit},
                                           TShape{5, 4, pf24bit}, TShape{130, 3, pf24bit}));

struct TEncodeCase {
  const char* Name;
  TBytes Row;  // one 8-bit row
  TBytes Encoded;
};

class PcxEncode : public ::testing::TestWithParam<TEncodeCase> {};

TEST_P(PcxEncode, WritesRunBytes) {
  const TBytes& row = GetParam().Row;
  TRevedBitmap b;
  b.New(static_cast<int32_t>(row.size()), 1, pf8bit);
  std::memcpy(b.Map.get(), row.data(), row.size());
  std::string file = Save(b);
  TBytes data = Tail(file, 128);
  data.resize(data.size() - 769);  // palette mark and table
  EXPECT_EQ(data, GetParam().Encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, PcxEncode,
    ::testing::Values(TEncodeCase{"LoneHighValueIsARun", {200}, {193, 200}},
                      TEncodeCase{"LoneLowValueIsBare", {100}, {100}},
                      TEncodeCase{"LoneTopValue", {192}, {193, 192}},
                      TEncodeCase{"PairIsARun", {5, 5, 6}, {194, 5, 6}},
                      TEncodeCase{"LongRunSplitsAt63", TBytes(70, 9), {255, 9, 199, 9}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PcxWrite, RunsStopAtPlaneRowsAndTableFollows) {
  TRevedBitmap b;
  b.New(2, 1, pf24bit);  // all black: three separate plane rows of two zeros
  EXPECT_EQ(Tail(Save(b), 128), (TBytes{194, 0, 194, 0, 194, 0}));
  TRevedBitmap p;
  p.New(1, 1, pf8bit);
  (*p.Palette)[0] = 1, (*p.Palette)[1] = 2, (*p.Palette)[2] = 3;  // blue, green, red
  TBytes tail = Tail(Save(p), 128);
  ASSERT_EQ(tail.size(), 1u + 1 + 768);
  EXPECT_EQ(tail[1], 12);
  EXPECT_EQ((TBytes{tail[2], tail[3], tail[4]}), (TBytes{3, 2, 1}));  // red, green, blue
}

// ---- reading ----

TEST(PcxRead, RunOfZeroCountsAsOne) {
  TRevedBitmap b = Load(BuildPcx({0, 0, 2, 0, 3, 1}, {192, 42, 7, 8}));
  EXPECT_EQ(TBytes(b.Map.get(), b.Map.get() + 3), (TBytes{42, 7, 8}));
}

TEST(PcxRead, RunsCrossPlanesAndLines) {
  // 2x2, three planes: 3 x 0x10 (red, red, green), 3 x 0x20 (green, blue, blue),
  // then one run of six 0x30 for the whole second line.
  TRevedBitmap b = Load(BuildPcx({0, 0, 1, 1, 2, 3}, {195, 0x10, 195, 0x20, 198, 0x30}));
  ASSERT_EQ(b.PixelFormat, pf24bit);
  EXPECT_EQ(TBytes(b.Map.get(), b.Map.get() + 12),
            (TBytes{0x20, 0x10, 0x10, 0x20, 0x20, 0x10, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30}));
}

TEST(PcxRead, TableIsFoundAfterPaddingBytes) {
  TBytes data = {5, 0, 0xC1, 7};  // one pixel, then padding (one of it a run)
  data.push_back(12);
  for (int i = 0; i < 256; ++i) data.insert(data.end(), {uint8_t(i), 0, 0});
  TRevedBitmap b = Load(BuildPcx({0, 0, 0, 0, 1, 1}, data));
  EXPECT_EQ(b.Map[0], 5);
  EXPECT_EQ((*b.Palette)[3 * 7 + 2], 7);  // red of entry 7
  EXPECT_EQ((*b.Palette)[3 * 7], 0);
}

TEST(PcxRead, WithoutTableThePaletteIsTheGreyRamp) {
  TRevedBitmap b = Load(BuildPcx({0, 0, 1, 0, 2, 1}, {1, 2}));
  EXPECT_EQ(*b.Palette, DefaultPalette());
}

struct TBadCase {
  const char* Name;
  TPcxHeader Header;
  TBytes Data;
  const char* Message;
};

class PcxBad : public ::testing::TestWithParam<TBadCase> {};

TEST_P(PcxBad, RaisesAndLeavesBufferEmpty) {
  EXPECT_EQ(lumarte::testing::LoadFailure(BuildPcx(GetParam().Header, GetParam().Data), "pcx"),
            GetParam().Message);
}

TPcxHeader With(std::function<void(TPcxHeader&)> f) {
  TPcxHeader h{0, 0, 1, 0, 2, 1};
  f(h);
  return h;
}

#define HEADER(...) With([]([[maybe_unused]] TPcxHeader& h) { __VA_ARGS__; })
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, PcxBad,
    ::testing::Values(
        TBadCase{"Manufacturer", HEADER(h.Manufacturer = 11), {1, 2}, "Unsupported file format"},
        TBadCase{"Version3", HEADER(h.Version = 3), {1, 2}, "Unsupported file format"},
        TBadCase{"NotRunLength", HEADER(h.Encoding = 0), {1, 2}, "Unsupported file format"},
        TBadCase{"TwoPlanes", HEADER(h.Planes = 2), {1, 2}, "Unsupported file format"},
        TBadCase{"RunPastEnd", HEADER(), {1, 0xC2, 7}, "Error in bitmap data"},
        TBadCase{"RunPastEndThreePlanes", HEADER(h.Planes = 3), {0xC7, 1}, "Error in bitmap data"},
        TBadCase{"Truncated", HEADER(), {1}, "Read less than expected"},
        TBadCase{"TruncatedTable", HEADER(), {1, 2, 12, 0, 0}, "Read less than expected"},
        TBadCase{"NoBytesPerLine", HEADER(h.BytesPerLine = 0), {1}, "Invalid bitmap size"},
        TBadCase{"YmaxBelowYmin", HEADER(h.Ymin = 5), {1}, "Invalid bitmap size"},
        TBadCase{"XmaxBelowXmin", HEADER(h.Xmin = 3), {1, 2}, "Invalid bitmap size"},
        TBadCase{"HugeClaim", HEADER(h.Ymax = 60000, h.BytesPerLine = 60000), {1}, "Invalid bitmap size"},
        TBadCase{"LargeClaimTinyData", HEADER(h.Ymax = 9999, h.BytesPerLine = 9999), {1}, "Read less than expected"}),
    [](const auto& info) { return std::string(info.param.Name); });
// clang-format on
#undef HEADER

TEST(PcxLoader, RefusesOtherExtensions) {
  TPCXLoader loader;
  TMemoryStream s;
  TRevedBitmap b;
  EXPECT_EQ(Message([&] { loader.LoadFromStream(s, "bmp", b); }), "Unsupported file format");
  EXPECT_EQ(Message([&] { loader.SaveToStream(s, "pcc", b); }), "Unsupported file format");
  EXPECT_EQ(Message([&] { loader.SaveToStream(s, "pcx", b); }), "Invalid bitmap size");
}

}  // namespace
