// The GIF writer: byte layout of the file, colour tables and LZW, and SaveGIF,
// which reduces a picture of many colours first (giflib cross-checks the
// pixels of our files in GIFPeerTests).
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "CodecTestUtil.h"
#include "imaging/GIFLoader.h"

using namespace lumarte::imaging;
using namespace std::string_literals;
using lumarte::testing::Picture24;

namespace {

// n distinct colours, cycling along the rows.
TRevedBitmap Colors(int w, int h, int n) {
  return Picture24(
      w, h, [&](int x, int y) { return static_cast<uint32_t>((y * w + x) % n) * 0x010305u; });
}

TRevedBitmap RedGreenBlue() {
  return Picture24(3, 1, [](int x, int) {
    return std::array<uint32_t, 3>{0x0000FF, 0x00FF00, 0xFF0000}[x];
  });
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

TGIFImage Read(TBaseStream&& in) {
  TGIFImage img;
  img.LoadFromStream(in);
  return img;
}

TGIFImage Read(const std::string& data) {
  return Read(TMemoryStream(data.data(), data.size()));
}

// Offset of the image descriptor of a single-frame file with a global table
// of 2^b entries: header, screen, table, graphic control extension.
size_t DescriptorOffset(int b) {
  return 13 + 3 * (size_t{1} << b) + 8;
}

TEST(GIFWriter, ThreeColoursGiveFourEntryTableAndCodeSizeTwo) {
  // Screen 3x1 with a global table, b = 2: the colours in order of first
  // occurrence as red, green, blue, one unused entry; an empty graphic
  // control extension; the descriptor; LZW minimum code size 2.
  const std::string head = "GIF89a\3\0\1\0\x81\0\0"s + "\xFF\0\0\0\xFF\0\0\0\xFF\0\0\0"s +
                           "\x21\xF9\4\0\0\0\0\0"s + "\x2C\0\0\0\0\3\0\1\0\0\2"s;
  EXPECT_EQ(WriteOne(RedGreenBlue()).substr(0, head.size()), head);
}

// Even two colours (b = 1) are coded with the smallest code size, 2.
TEST(GIFWriter, TableHasNextPowerOfTwoEntries) {
  const std::pair<int, int> cases[] = {{1, 1},  {2, 1},  {3, 2},  {5, 3},   {16, 4},
                                       {17, 5}, {64, 6}, {65, 7}, {129, 8}, {256, 8}};
  for (auto [colors, bits] : cases) {
    SCOPED_TRACE(colors);
    std::string s = WriteOne(Colors(32, 16, colors));
    EXPECT_EQ(At(s, 10), 128 + bits - 1);
    EXPECT_EQ(At(s, DescriptorOffset(bits)), 0x2C);
    EXPECT_EQ(At(s, DescriptorOffset(bits) + 10), std::max(bits, 2));
  }
}

TEST(GIFWriter, MoreThan256ColoursOrSixteenBitsWriteNothing) {
  TRevedBitmap many = Colors(20, 15, 300), wide = Colors(65536, 1, 2), small = Colors(10, 10, 2);
  TMemoryStream out;
  EXPECT_NO_THROW(GifLoader().SaveToStream(out, "gif", many));  // no error through the codec
  EXPECT_FALSE(WriteGIF(out, {{.Bitmap = &many}}, {}));
  EXPECT_THROW(WriteGIF(out, {{.Bitmap = &wide}}, {}), lumarte::ERevedBitmap);
  EXPECT_THROW(WriteGIF(out, {{.Bitmap = &small, .Left = 65530}}, {}), lumarte::ERevedBitmap);
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
  TRevedBitmap b = RedGreenBlue();
  std::string s = WriteOne(b, {.Delay = c.Delay,
                               .Transparent = c.Transparent,
                               .TransparentColor = c.Color,
                               .Disposal = c.Disposal});
  size_t g = DescriptorOffset(2) - 8;
  EXPECT_EQ(At(s, g + 3), c.Flags);
  EXPECT_EQ(At(s, g + 4) | At(s, g + 5) << 8, c.Hundredths);
  EXPECT_EQ(At(s, g + 6), c.Index);
}

// Transparency is flagged only for a colour that occurs; disposals outside
// 0..3 are written as 0.
INSTANTIATE_TEST_SUITE_P(Frames, GIFWriterControl,
                         ::testing::Values(TControlCase{true, 0x00FF00, 0, 0, 1, 0, 1},
                                           TControlCase{true, 0xFF0000, 0, 0, 1, 0, 2},
                                           TControlCase{true, 0x123456, 0, 0, 0, 0, 0},
                                           TControlCase{false, 0x00FF00, 0, 0, 0, 0, 0},
                                           TControlCase{false, 0, 1, 0, 4, 0, 0},
                                           TControlCase{false, 0, 2, 0, 8, 0, 0},
                                           TControlCase{true, 0xFF0000, 3, 0, 13, 0, 2},
                                           TControlCase{false, 0, 4, 0, 0, 0, 0},
                                           TControlCase{false, 0, -1, 0, 0, 0, 0},
                                           TControlCase{false, 0, 0, 250, 0, 25, 0}));

// The well-known 10x10 four-colour sample image and its published code stream.
TEST(GIFWriter, LZWMatchesTheClassicSample) {
  const std::string rows =
      "1111122222"
      "1111122222"
      "1111122222"
      "1110000222"
      "1110000222"
      "2220000111"
      "2220000111"
      "2222211111"
      "2222211111"
      "2222211111";
  std::vector<uint8_t> idx;
  for (char r : rows) idx.push_back(static_cast<uint8_t>(r - '0'));
  std::string out;
  EncodeLZW(idx.data(), idx.size(), 2, out);
  EXPECT_EQ(out,
            "\x02\x16\x8C\x2D\x99\x87\x2A\x1C\xDC\x33\xA0\x02\x75"
            "\xEC\x95\xFA\xA8\xDE\x60\x8C\x04\x91\x4C\x01\x00"s);
}

TEST(GIFWriter, InterlacedFramesCollectColoursInStoredRowOrder) {
  // Row y has colour y: stored order 0, 8, 4, 2, 6, 1, 3, 5, 7 gives those
  // colours table indices 0..8.
  TRevedBitmap b = Picture24(1, 9, [](int, int y) { return static_cast<uint32_t>(y) * 0x1C; });
  std::string s = WriteOne(b, {.Interlaced = true});
  EXPECT_EQ(At(s, 13 + 3 * 1), 8 * 0x1C);  // entry 1 is row 8's red
  EXPECT_EQ(At(s, DescriptorOffset(4) + 9), 64);
  TRevedBitmap pic;
  Read(s).FirstPicture(pic);
  for (int y = 0; y < 9; ++y) EXPECT_EQ((*pic.Palette)[3 * pic.ScanLine(y)[0] + 2], y * 0x1C);
}

TEST(GIFWriter, CommentsAreSplitInto255ByteSubBlocksAndCreditEndsTheFile) {
  TRevedBitmap b = Colors(2, 2, 2);
  std::string s = WriteOne(b, {.Comment = std::string(300, 'c')});
  // After the screen and its table of two entries: 255 + 45 bytes, then the
  // graphic control extension.
  EXPECT_EQ(s.substr(19, 3), "\x21\xFE\xFF");
  EXPECT_EQ(s.substr(19 + 3 + 255, 1 + 45 + 2), "\x2D"s + std::string(45, 'c') + "\0\x21"s);
  std::string credit = "\x21\xFE"s + char(std::strlen(kGIFCreditText)) + kGIFCreditText + "\0\x3B"s;
  EXPECT_EQ(s.substr(s.size() - credit.size()), credit);
}

TEST(GIFWriter, SeveralFramesShareATableAndCarryTheLoopCount) {
  TRevedBitmap a = Colors(4, 4, 3), b = Colors(2, 2, 2);
  std::string s =
      Write({{.Bitmap = &a}, {.Bitmap = &b, .Left = 3, .Top = 1, .Disposal = 2}}, {7, true});
  EXPECT_EQ(At(s, 6), 5);  // screen spans both frames
  EXPECT_EQ(At(s, 8), 4);
  EXPECT_EQ(At(s, 10), 128 + 1);
  EXPECT_EQ(s.substr(13 + 12, 19), "\x21\xFF\x0BNETSCAPE2.0\x03\x01\x07\0\0"s);
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
  std::string s = Write({{.Bitmap = &a}, {.Bitmap = &b}}, {0, true});
  EXPECT_EQ(At(s, 10), 0);  // no global table
  TGIFImage img = Read(s);
  ASSERT_EQ(img.Frames.size(), 2u);
  EXPECT_FALSE(img.GlobalTable);
  EXPECT_EQ(img.Frames[0].Table->Count, 256);
  EXPECT_EQ(img.Frames[1].Table->Count, 256);
}

// colours distinct colours (up to 4096) in 4x4 blocks over a 256x256 picture.
TRevedBitmap Blocks(int colours) {
  return Picture24(256, 256, [&](int x, int y) {
    uint32_t c = (y / 4 * 64 + x / 4) % colours;
    return (c % 16 * 17) << 16 | (c / 16 % 16 * 17) << 8 | c / 256 * 17;
  });
}

// SaveGIF reduces a picture of many colours first (the reduction is tested
// on its own), keeps few colours exact and passes its flags on.
TEST(SaveGIF, ReducesManyColoursKeepsFewAndPassesTheFlags) {
  lumarte::fixtures::TempFolder temp;
  const std::string path = temp.File("saved.gif");
  auto readBack = [&] { return Read(TFileStream(path, fmRead | fmShareRead)); };
  ASSERT_TRUE(SaveGIF(path, Blocks(4096), false, false, 0));
  EXPECT_EQ(readBack().GlobalTable->Count, 256);
  TRevedBitmap few = Blocks(200);
  uint32_t colour = lumarte::testing::PixelOf(few, 0, 255);
  { std::ofstream(path) << "old"; }
  ASSERT_TRUE(SaveGIF(path, few, true, true, colour));
  TGIFImage img = readBack();
  EXPECT_TRUE(img.Frames[0].Interlaced);
  EXPECT_TRUE(img.HasTransparency());
  EXPECT_EQ(img.TransparentColor(), colour);
  img.Frames[0].TransparentIndex = -1;  // compare every pixel
  TRevedBitmap back;
  img.Compose(0, back);
  EXPECT_EQ(lumarte::testing::ToRgb(back), lumarte::testing::ToRgb(few));
  EXPECT_THROW(SaveGIF("/nonexistent-folder/x.gif", few, false, false, 0), lumarte::EInOutError);
}

}  // namespace
