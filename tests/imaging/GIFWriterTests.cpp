// The GIF writer: byte layout of the file, colour tables and LZW (round trips
// are in the giflib cross-checks).
#include <gtest/gtest.h>

#include <cstring>

#include "CodecTestUtil.h"
#include "imaging/GIFLoader.h"

using namespace lumarte::imaging;
using lumarte::testing::Picture24;

namespace {

// n distinct colours, cycling along the rows.
TRevedBitmap Colors(int w, int h, int n) {
  return Picture24(
      w, h, [&](int x, int y) { return static_cast<uint32_t>((y * w + x) % n) * 0x010305u; });
}

std::string Write(const std::vector<TGIFWriterFrame>& frames, TGIFWriterSettings s = {}) {
  TMemoryStream out;
  EXPECT_TRUE(WriteGIF(out, frames, s));
  return out.Data;
}

std::string WriteOne(const TRevedBitmap& b, TGIFWriterFrame f = {}) {
  f.Bitmap = &b;
  return Write({f});
}

uint8_t At(const std::string& s, size_t i) {
  return static_cast<uint8_t>(s.at(i));
}

TGIFImage Read(const std::string& data) {
  TMemoryStream in(data.data(), data.size());
  TGIFImage img;
  img.LoadFromStream(in);
  return img;
}

// Offset of the image descriptor of a single-frame file with a global table
// of 2^b entries: header, screen, table, graphic control extension.
size_t DescriptorOffset(int b) {
  return 13 + 3 * (size_t{1} << b) + 8;
}

TEST(GIFWriter, ThreeColoursGiveFourEntryTableAndCodeSizeTwo) {
  TRevedBitmap b = Picture24(3, 1, [](int x, int) {
    return std::array<uint32_t, 3>{0x0000FF, 0x00FF00, 0xFF0000}[x];
  });
  std::string s = WriteOne(b);
  ASSERT_EQ(s.substr(0, 6), "GIF89a");
  EXPECT_EQ(At(s, 6) | At(s, 7) << 8, 3);
  EXPECT_EQ(At(s, 8) | At(s, 9) << 8, 1);
  EXPECT_EQ(At(s, 10), 128 + 1);  // global table, b = 2
  EXPECT_EQ(At(s, 11), 0);
  EXPECT_EQ(At(s, 12), 0);
  // Colours in order of first occurrence, as red, green, blue; one unused entry.
  const uint8_t table[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(s.data() + 13, table, 12));
  const uint8_t gce[8] = {0x21, 0xF9, 4, 0, 0, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(s.data() + 25, gce, 8));
  size_t d = DescriptorOffset(2);
  const uint8_t desc[10] = {0x2C, 0, 0, 0, 0, 3, 0, 1, 0, 0};
  EXPECT_EQ(0, std::memcmp(s.data() + d, desc, 10));
  EXPECT_EQ(At(s, d + 10), 2);  // LZW minimum code size
}

struct TTableCase {
  int Colors, Bits;
};
class GIFWriterTableSize : public ::testing::TestWithParam<TTableCase> {};

// Even two colours (b = 1) are coded with the smallest code size, 2.
TEST_P(GIFWriterTableSize, TableHasNextPowerOfTwoEntries) {
  std::string s = WriteOne(Colors(32, 16, GetParam().Colors));
  EXPECT_EQ(At(s, 10), 128 + GetParam().Bits - 1);
  EXPECT_EQ(At(s, DescriptorOffset(GetParam().Bits)), 0x2C);
  EXPECT_EQ(At(s, DescriptorOffset(GetParam().Bits) + 10), std::max(GetParam().Bits, 2));
}

INSTANTIATE_TEST_SUITE_P(Sizes, GIFWriterTableSize,
                         ::testing::Values(TTableCase{1, 1}, TTableCase{2, 1}, TTableCase{3, 2},
                                           TTableCase{5, 3}, TTableCase{16, 4}, TTableCase{17, 5},
                                           TTableCase{64, 6}, TTableCase{65, 7}, TTableCase{129, 8},
                                           TTableCase{256, 8}));

TEST(GIFWriter, MoreThan256ColoursWriteNothingThroughTheCodec) {
  TRevedBitmap b = Colors(20, 15, 300);
  TMemoryStream out;
  EXPECT_NO_THROW(GifLoader().SaveToStream(out, "gif", b));
  EXPECT_TRUE(out.Data.empty());
  TGIFWriterFrame f;
  f.Bitmap = &b;
  EXPECT_FALSE(WriteGIF(out, {f}, {}));
  EXPECT_TRUE(out.Data.empty());
}

TEST(GIFWriter, SizesBeyondSixteenBitsAreRefusedBeforeWriting) {
  TRevedBitmap wide = Colors(65536, 1, 2);
  TGIFWriterFrame f;
  f.Bitmap = &wide;
  TMemoryStream out;
  EXPECT_THROW(WriteGIF(out, {f}, {}), lumarte::ERevedBitmap);
  TRevedBitmap small = Colors(10, 10, 2);
  f.Bitmap = &small;
  f.Left = 65530;
  EXPECT_THROW(WriteGIF(out, {f}, {}), lumarte::ERevedBitmap);
  EXPECT_TRUE(out.Data.empty());
}

// The graphic control extension of a frame of the colours red, green, blue.
struct TControlCase {
  bool Transparent;
  uint32_t Color;
  int Disposal, Delay;
  int Flags, Hundredths, Index;
};
class GIFWriterControl : public ::testing::TestWithParam<TControlCase> {};

TEST_P(GIFWriterControl, FlagsDelayAndTransparentIndex) {
  const auto& c = GetParam();
  TRevedBitmap b = Picture24(3, 1, [](int x, int) {
    return std::array<uint32_t, 3>{0x0000FF, 0x00FF00, 0xFF0000}[x];
  });
  TGIFWriterFrame f;
  f.Transparent = c.Transparent;
  f.TransparentColor = c.Color;
  f.Disposal = c.Disposal;
  f.Delay = c.Delay;
  std::string s = WriteOne(b, f);
  size_t g = DescriptorOffset(2) - 8;
  EXPECT_EQ(At(s, g + 3), c.Flags);
  EXPECT_EQ(At(s, g + 4) | At(s, g + 5) << 8, c.Hundredths);
  EXPECT_EQ(At(s, g + 6), c.Index);
}

// Transparency is flagged only for a colour that occurs; disposals outside
// 0..3 are written as 0.
INSTANTIATE_TEST_SUITE_P(
    Frames, GIFWriterControl,
    ::testing::Values(TControlCase{true, 0x00FF00, 0, 0, 1, 0, 1},
                      TControlCase{true, 0xFF0000, 0, 0, 1, 0, 2},
                      TControlCase{true, 0x123456, 0, 0, 0, 0, 0},
                      TControlCase{false, 0x00FF00, 0, 0, 0, 0, 0},
                      TControlCase{false, 0, 1, 0, 4, 0, 0}, TControlCase{false, 0, 2, 0, 8, 0, 0},
                      TControlCase{true, 0xFF0000, 3, 0, 13, 0, 2},
                      TControlCase{false, 0, 4, 0, 0, 0, 0}, TControlCase{false, 0, -1, 0, 0, 0, 0},
                      TControlCase{false, 0, 0, 250, 0, 25, 0}));

// The well-known 10x10 four-colour sample image and its published code stream.
TEST(GIFWriter, LZWMatchesTheClassicSample) {
  static const char* rows[10] = {"1111122222", "1111122222", "1111122222", "1110000222",
                                 "1110000222", "2220000111", "2220000111", "2222211111",
                                 "2222211111", "2222211111"};
  std::vector<uint8_t> idx;
  for (auto* r : rows)
    for (int x = 0; x < 10; ++x) idx.push_back(static_cast<uint8_t>(r[x] - '0'));
  std::string out;
  EncodeLZW(idx.data(), idx.size(), 2, out);
  const uint8_t expected[] = {0x02, 0x16, 0x8C, 0x2D, 0x99, 0x87, 0x2A, 0x1C, 0xDC,
                              0x33, 0xA0, 0x02, 0x75, 0xEC, 0x95, 0xFA, 0xA8, 0xDE,
                              0x60, 0x8C, 0x04, 0x91, 0x4C, 0x01, 0x00};
  ASSERT_EQ(out.size(), sizeof expected);
  EXPECT_EQ(0, std::memcmp(out.data(), expected, sizeof expected));
}

TEST(GIFWriter, InterlacedFramesCollectColoursInStoredRowOrder) {
  // Row y has colour y: stored order 0, 8, 4, 2, 6, 1, 3, 5, 7 gives those
  // colours table indices 0..8.
  TRevedBitmap b = Picture24(1, 9, [](int, int y) { return static_cast<uint32_t>(y) * 0x1C; });
  TGIFWriterFrame f;
  f.Interlaced = true;
  std::string s = WriteOne(b, f);
  EXPECT_EQ(At(s, 13 + 3 * 1), 8 * 0x1C);  // entry 1 is row 8's red
  EXPECT_EQ(At(s, DescriptorOffset(4) + 9), 64);
  TGIFImage img = Read(s);
  TRevedBitmap pic;
  img.FirstPicture(pic);
  for (int y = 0; y < 9; ++y) EXPECT_EQ((*pic.Palette)[3 * pic.ScanLine(y)[0] + 2], y * 0x1C);
}

TEST(GIFWriter, CommentsAreSplitInto255ByteSubBlocksAndCreditEndsTheFile) {
  TRevedBitmap b = Colors(2, 2, 2);
  TGIFWriterFrame f;
  f.Comment = std::string(300, 'c');
  std::string s = WriteOne(b, f);
  size_t c = 13 + 6;
  EXPECT_EQ(At(s, c), 0x21);
  EXPECT_EQ(At(s, c + 1), 0xFE);
  EXPECT_EQ(At(s, c + 2), 255);
  EXPECT_EQ(At(s, c + 3 + 255), 45);
  EXPECT_EQ(At(s, c + 3 + 255 + 1 + 45), 0);
  EXPECT_EQ(At(s, c + 3 + 255 + 1 + 45 + 1), 0x21);  // the graphic control extension
  std::string credit = std::string("\x21\xFE") + char(std::strlen(kGIFCreditText)) +
                       kGIFCreditText + std::string(1, '\0') + "\x3B";
  EXPECT_EQ(s.substr(s.size() - credit.size()), credit);
}

TEST(GIFWriter, SeveralFramesShareATableAndCarryTheLoopCount) {
  TRevedBitmap a = Colors(4, 4, 3), b = Colors(2, 2, 2);
  TGIFWriterFrame fa, fb;
  fa.Bitmap = &a;
  fb.Bitmap = &b;
  fb.Left = 3;
  fb.Top = 1;
  fb.Disposal = 2;
  std::string s = Write({fa, fb}, {7, true});
  EXPECT_EQ(At(s, 6), 5);  // screen spans both frames
  EXPECT_EQ(At(s, 8), 4);
  EXPECT_EQ(At(s, 10), 128 + 1);
  std::string loop = std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x07", 17) + '\0' + '\0';
  EXPECT_EQ(s.substr(13 + 12, loop.size()), loop);
  TGIFImage img = Read(s);
  ASSERT_EQ(img.Frames.size(), 2u);
  EXPECT_EQ(img.LoopCount, 7);
  EXPECT_EQ(img.Frames[1].Table, img.GlobalTable);
  EXPECT_EQ(img.Frames[1].Left, 3);
  EXPECT_EQ(img.Frames[1].Disposal, gdRestoreBackground);
}

TEST(GIFWriter, SharedTableOverflowFallsBackToLocalTables) {
  TRevedBitmap a = Colors(16, 10, 150);
  TRevedBitmap b = Picture24(16, 10, [](int x, int y) { return 0x800000u + y * 16 + x; });
  TGIFWriterFrame fa, fb;
  fa.Bitmap = &a;
  fb.Bitmap = &b;
  std::string s = Write({fa, fb}, {0, true});
  EXPECT_EQ(At(s, 10), 0);  // no global table
  TGIFImage img = Read(s);
  ASSERT_EQ(img.Frames.size(), 2u);
  EXPECT_FALSE(img.GlobalTable);
  EXPECT_EQ(img.Frames[0].Table->Count, 256);
  EXPECT_EQ(img.Frames[1].Table->Count, 256);
}

}  // namespace
