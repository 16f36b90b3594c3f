// The GIF reader on hand-made files (block structure, limits, graphic
// control data, colour tables, the first picture and LZW faults) and the
// writer: byte layout, colour tables and LZW, and SaveGIF, which reduces a
// picture of many colours first; last giflib reads our files to the source's
// pixels (our reader is checked on foreign files by the corpus suite).
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>

#include "CodecTestUtil.h"
#include "imaging/GIFLoader.h"

using namespace lumarte::imaging;
using namespace std::string_literals;
using lumarte::testing::Picture24;
using lumarte::testing::TBadInput;
using lumarte::testing::SetPaletteEntry;

namespace {

std::string U16(int v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

// Header and screen; tableBits > 0 adds a global table of 2^tableBits entries
// whose entry i is (red i*10, green 1, blue 2).
std::string Screen(int w, int h, int tableBits = 2, int background = 0) {
  std::string s = "GIF89a" + U16(w) + U16(h);
  s += static_cast<char>(tableBits > 0 ? 0x80 | (tableBits - 1) : 0);
  s += static_cast<char>(background);
  s += '\0';
  for (int i = 0; i < (tableBits > 0 ? 1 << tableBits : 0); ++i) s += {char(i * 10), 1, 2};
  return s;
}

std::string Control(int packed, int delay, int transparent) {
  return "\x21\xF9\x04" + std::string(1, char(packed)) + U16(delay) + char(transparent) + '\0';
}

// The descriptor of a w x 1 image at (0, 0) without a local table.
std::string Descriptor(int w) {
  return "\x2C" + U16(0) + U16(0) + U16(w) + U16(1) + '\0';
}

// An image of the given indices, LZW-coded by our encoder.
std::string Image(int left, int top, int w, int h, const std::vector<uint8_t>& idx, int flags = 0,
                  const std::string& localTable = "") {
  std::string s = "\x2C" + U16(left) + U16(top) + U16(w) + U16(h) + char(flags) + localTable;
  EncodeLZW(idx.data(), idx.size(), 2, s);
  return s;
}

std::vector<uint8_t> Ramp(int n, int colors = 4) {
  std::vector<uint8_t> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[static_cast<size_t>(i)] = static_cast<uint8_t>(i % colors);
  return v;
}

TGIFImage Load(TBaseStream&& in) {
  TGIFImage img;
  img.LoadFromStream(in);
  return img;
}

TGIFImage Load(const std::string& data) {
  return Load(TMemoryStream(data.data(), data.size()));
}

class GIFReaderRejects : public ::testing::TestWithParam<TBadInput> {};

// Through the codec, which reads the file and decodes the first picture.
TEST_P(GIFReaderRejects, WithAClearMessage) {
  EXPECT_EQ(lumarte::testing::LoadFailure(GetParam().Data, "GIF"), GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, GIFReaderRejects,
    ::testing::Values(
        TBadInput{"Signature", "GIF88a" + Screen(1, 1).substr(6), "Invalid GIF header"},
        TBadInput{"ZeroScreen", Screen(0, 5) + Image(0, 0, 1, 1, {0}), "Invalid GIF image size"},
        TBadInput{"HugeScreen", Screen(65535, 65535) + Image(0, 0, 1, 1, {0}),
                 "Invalid GIF image size"},
        TBadInput{"ZeroWidthFrame", Screen(2, 2) + Image(0, 0, 0, 2, {}), "Invalid GIF image size"},
        TBadInput{"ZeroHeightFrame", Screen(2, 2) + Image(0, 0, 2, 0, {}), "Invalid GIF image size"},
        TBadInput{"FrameAbove16384", Screen(2, 2) + Image(0, 0, 16385, 1, {0}),
                 "Invalid GIF image size"},
        TBadInput{"LaterFrameAbove16384",
                 Screen(2, 2) + Image(0, 0, 1, 1, {0}) + Image(0, 0, 1, 16385, {0}),
                 "Invalid GIF image size"},
        TBadInput{"UnknownBlock", Screen(1, 1) + Image(0, 0, 1, 1, {0}) + '\0', "Invalid GIF block"},
        TBadInput{"NoImage", Screen(1, 1) + "\x21\xFE\x01x\x00\x3B"s, "GIF file contains no image"},
        TBadInput{"CodeSizeZero", Screen(1, 1) + Descriptor(1) + "\x00\x01\x00\x00"s,
                 "Invalid LZW code size"},
        TBadInput{"CodeSizeTwelve", Screen(1, 1) + Descriptor(1) + "\x0C\x01\x00\x00"s,
                 "Invalid LZW code size"},
        TBadInput{"ColourBeyondTable",  // clear, literal 3 (2 colours)
                 Screen(1, 1, 1) + Descriptor(1) + "\x02\x01\x1C\x00"s, "Invalid colour index"}),
    [](const auto& info) { return std::string(info.param.Name); });

// Without a trailer the frames are still read.
TEST(GIFReader, AFrameOf16384PixelsIsAccepted) {
  TGIFImage img = Load(Screen(16384, 1) + Image(0, 0, 16384, 1, Ramp(16384)));
  EXPECT_EQ(img.DecodeFrame(0), Ramp(16384));
  EXPECT_EQ(img.LoopCount, -1);
}

TEST(GIFReader, StoredDisposalValuesFourToSevenRestoreTheBackground) {
  const TGIFDisposal want[8] = {gdNone,
                                gdLeave,
                                gdRestoreBackground,
                                gdRestorePrevious,
                                gdRestoreBackground,
                                gdRestoreBackground,
                                gdRestoreBackground,
                                gdRestoreBackground};
  for (int v = 0; v < 8; ++v)
    EXPECT_EQ(
        Load(Screen(1, 1) + Control(v << 2, 0, 0) + Image(0, 0, 1, 1, {0})).Frames[0].Disposal,
        want[v])
        << v;
}

TEST(GIFReader, GraphicControlAppliesToTheNextImageOnly) {
  TGIFImage img = Load(Screen(2, 1) + Control(1, 25, 2) + Image(0, 0, 2, 1, {2, 1}) +
                       Image(0, 0, 2, 1, {1, 1}));
  ASSERT_EQ(img.Frames.size(), 2u);
  EXPECT_EQ(img.Frames[0].Delay, 250);
  EXPECT_EQ(img.Frames[0].TransparentIndex, 2);
  EXPECT_EQ(img.Frames[1].Delay, 0);
  EXPECT_EQ(img.Frames[1].TransparentIndex, -1);
  EXPECT_TRUE(img.HasTransparency());
  EXPECT_EQ(img.TransparentColor(), 0x020114u);  // entry 2: red 20, green 1, blue 2 -> 0x00BBGGRR
  // A transparent index without its flag is ignored.
  EXPECT_FALSE(Load(Screen(1, 1) + Control(0, 0, 1) + Image(0, 0, 1, 1, {1})).HasTransparency());
}

// Other application extensions are skipped in the corpus suite's files.
TEST(GIFReader, ExtensionsAreSkippedAndTheLoopCountKept) {
  std::string ext = "\x21\xFF\x0BNETSCAPE2.0\x03\x01" + U16(513) + '\0' +  // loop count
                    "\x21\x01\x0C" + std::string(12, 'p') + '\0' +         // plain text
                    "\x21\x99\x01q\x00\x21\xFE\x00"s;  // unknown label, empty comment
  TGIFImage img = Load(Screen(2, 1) + ext + Image(0, 0, 2, 1, {3, 0}) + "\x3B");
  EXPECT_EQ(img.LoopCount, 513);
  EXPECT_EQ(img.DecodeFrame(0), (std::vector<uint8_t>{3, 0}));
}

// A local table is used by its frame only; a file without tables reads as
// all black.
TEST(GIFReader, LocalTableIsTheFramesOwnAndMissingTablesAreBlack) {
  std::string local(12, '\x33');
  TGIFImage img = Load(Screen(1, 1) + Image(0, 0, 1, 1, {1}, 0x81, local) + Image(0, 0, 1, 1, {1}));
  EXPECT_EQ(img.Frames[0].Table->Count, 4);
  EXPECT_EQ(img.Frames[0].Table->Colors[3], 0x33);  // not the global entry's blue, 2
  EXPECT_EQ(img.Frames[1].Table, img.GlobalTable);
  TGIFImage bare = Load(Screen(1, 1, 0) + Image(0, 0, 1, 1, {3}));
  EXPECT_EQ(bare.Frames[0].Table->Count, 256);
  TRevedBitmap pic;
  bare.FirstPicture(pic);
  EXPECT_EQ((*pic.Palette)[9], 0);
}

TEST(GIFReader, FirstPictureFillsWhatTheFrameLeavesUncovered) {
  // Frame 2x1 at (1, 1) on a 3x3 screen, background index 3.
  TGIFImage img = Load(Screen(3, 3, 2, 3) + Image(1, 1, 2, 1, {1, 2}));
  TRevedBitmap pic;
  img.FirstPicture(pic);
  ASSERT_EQ(pic.PixelFormat, pf8bit);
  std::vector<uint8_t> got(pic.Map.get(), pic.Map.get() + pic.Size);
  EXPECT_EQ(got, (std::vector<uint8_t>{3, 3, 3, 3, 1, 2, 3, 3, 3}));
  // With a transparent index that index fills instead, and a frame reaching
  // past the screen is cut off.
  TGIFImage t = Load(Screen(3, 3, 2, 3) + Control(1, 0, 0) + Image(2, 2, 2, 2, {1, 2, 2, 2}));
  t.FirstPicture(pic);
  got.assign(pic.Map.get(), pic.Map.get() + pic.Size);
  EXPECT_EQ(got, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(GIFReader, ComposeRestoresPreviousAndBackground) {
  // Background index 0 = (0, 1, 2). Frame 1 covers the screen, frame 2
  // replaces the left pixel and is undone (restore previous), frame 3 the
  // right pixel, undone to background.
  TGIFImage img = Load(Screen(2, 1) + Image(0, 0, 2, 1, {1, 1}) + Control(3 << 2, 0, 0) +
                       Image(0, 0, 1, 1, {2}) + Control(2 << 2, 0, 0) + Image(1, 0, 1, 1, {3}) +
                       Image(0, 0, 1, 1, {1}));
  auto red = [&](size_t frame) {
    TRevedBitmap pic;
    img.Compose(frame, pic);
    return std::pair<int, int>{pic.ScanLine(0)[2], pic.ScanLine(0)[5]};
  };
  EXPECT_EQ(red(0), (std::pair{10, 10}));
  EXPECT_EQ(red(1), (std::pair{20, 10}));
  EXPECT_EQ(red(2), (std::pair{10, 30}));
  EXPECT_EQ(red(3), (std::pair{10, 0}));
}

// Hand-packed code streams for the decoder (codes least-significant bit first).
std::string Pack(std::initializer_list<std::pair<int, int>> codes) {
  std::string s;
  uint32_t acc = 0;
  int bits = 0;
  for (auto [code, width] : codes) {
    acc |= static_cast<uint32_t>(code) << bits;
    for (bits += width; bits >= 8; bits -= 8, acc >>= 8) s += static_cast<char>(acc & 0xFF);
  }
  if (bits) s += static_cast<char>(acc);
  return s;
}

struct TLZWCase {
  const char* Name;
  std::string Codes;
  int Colors;
  std::vector<uint8_t> Pixels;  // expected output, or empty with a message
  const char* Error;
};
class GIFDecodeLZW : public ::testing::TestWithParam<TLZWCase> {};

TEST_P(GIFDecodeLZW, Codes) {
  const auto& c = GetParam();
  std::vector<uint8_t> out(6, 0xEE);
  auto data = reinterpret_cast<const uint8_t*>(c.Codes.data());
  if (c.Error) {
    EXPECT_EQ(
        Message([&] { DecodeLZW(data, c.Codes.size(), 2, c.Colors, out.data(), out.size()); }),
        c.Error);
    return;
  }
  size_t n = DecodeLZW(data, c.Codes.size(), 2, c.Colors, out.data(), out.size());
  out.resize(n);
  EXPECT_EQ(out, c.Pixels);
}

// m = 2: clear 4, end 5, first free code 6, codes start 3 bits wide.
INSTANTIATE_TEST_SUITE_P(
    Streams, GIFDecodeLZW,
    ::testing::Values(
        TLZWCase{"KwKwK", Pack({{4, 3}, {1, 3}, {6, 3}, {5, 3}}), 4, {1, 1, 1}, nullptr},
        TLZWCase{"NoClearNoEnd", Pack({{2, 3}, {3, 3}}), 4, {2, 3}, nullptr},
        TLZWCase{"StopsWhenFull",
                 Pack({{1, 3}, {1, 3}, {6, 3}, {7, 4}, {7, 4}}),
                 4,
                 {1, 1, 1, 1, 1, 1},
                 nullptr},
        TLZWCase{"CodeBeyondTable", Pack({{4, 3}, {0, 3}, {7, 3}}), 4, {}, "Invalid LZW code"},
        TLZWCase{"TableCodeFirst", Pack({{4, 3}, {6, 3}}), 4, {}, "Invalid LZW code"},
        TLZWCase{"TableCodeAfterClear", Pack({{1, 3}, {4, 3}, {6, 3}}), 4, {}, "Invalid LZW code"}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- writing ----

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
  Load(s).FirstPicture(pic);
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
  TGIFImage img = Load(s);
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
  TGIFImage img = Load(s);
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
  auto readBack = [&] { return Load(TFileStream(path, fmRead | fmShareRead)); };
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

// ---- giflib reads our files ----

struct TCase {
  int W, H, Colors;
  bool Interlaced;
  int Transparent;  // index, or -1
  bool Paletted;    // an 8-bit source, else 24 bits
};

// Indices with flat runs and noise, below colors.
std::vector<uint8_t> Indices(const TCase& c) {
  std::mt19937 rng(c.W * 7 + c.H * 13 + c.Colors);
  std::vector<uint8_t> v(static_cast<size_t>(c.W) * c.H);
  for (size_t i = 0; i < v.size(); ++i)
    v[i] = static_cast<uint8_t>((i / 7) % 5 == 0 ? 0 : rng() % c.Colors);
  return v;
}

std::vector<uint32_t> Palette(int n) {
  std::vector<uint32_t> p(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    p[static_cast<size_t>(i)] = 0x010000u * i + 0x0100u * (255 - i) + (i * 7 & 0xFF);
  return p;
}

class GIFPeer : public ::testing::TestWithParam<TCase> {};

// Noise over many colours forces table clears at 4096 codes; flat areas
// produce long strings.
TEST_P(GIFPeer, OurFilesDecodeWithGiflib) {
  const TCase& c = GetParam();
  auto idx = Indices(c);
  auto pal = Palette(c.Colors);
  auto colour = [&](int x, int y) { return pal[idx[static_cast<size_t>(y) * c.W + x]]; };
  TRevedBitmap bmp = Picture24(c.W, c.H, colour);
  if (c.Paletted) {
    bmp.New(c.W, c.H, pf8bit);
    std::memcpy(bmp.Map.get(), idx.data(), idx.size());
    for (int i = 0; i < c.Colors; ++i) SetPaletteEntry(bmp, i, pal[i]);
  }
  TGIFWriterFrame f;
  f.Bitmap = &bmp;
  f.Interlaced = c.Interlaced;
  f.Transparent = c.Transparent >= 0;
  if (f.Transparent) f.TransparentColor = pal[static_cast<size_t>(c.Transparent)];
  TMemoryStream out;
  ASSERT_TRUE(WriteGIF(out, {f}, {}));
  lumarte::fixtures::TempFolder temp;
  const std::string file = temp.File("ours.gif");
  std::ofstream(file, std::ios::binary) << out.Data;

  int error = 0;
  GifFileType* gif = DGifOpenFileName(file.c_str(), &error);
  ASSERT_NE(gif, nullptr) << GifErrorString(error);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
  ASSERT_EQ(gif->ImageCount, 1);
  const SavedImage& img = gif->SavedImages[0];
  EXPECT_EQ(img.ImageDesc.Width, c.W);
  EXPECT_EQ(img.ImageDesc.Height, c.H);
  EXPECT_EQ(static_cast<bool>(img.ImageDesc.Interlace), c.Interlaced);
  const ColorMapObject* map = img.ImageDesc.ColorMap ? img.ImageDesc.ColorMap : gif->SColorMap;
  ASSERT_NE(map, nullptr);
  for (size_t i = 0; i < idx.size(); ++i) {
    const GifColorType& g = map->Colors[img.RasterBits[i]];
    uint32_t got = g.Red | g.Green << 8 | g.Blue << 16;
    ASSERT_EQ(got, pal[idx[i]]) << "pixel " << i;
  }
  GraphicsControlBlock gcb;
  ASSERT_EQ(DGifSavedExtensionToGCB(gif, 0, &gcb), GIF_OK);
  if (c.Transparent >= 0) {
    ASSERT_GE(gcb.TransparentColor, 0);
    const GifColorType& t = map->Colors[gcb.TransparentColor];
    EXPECT_EQ(static_cast<uint32_t>(t.Red | t.Green << 8 | t.Blue << 16), pal[c.Transparent]);
  } else {
    EXPECT_EQ(gcb.TransparentColor, NO_TRANSPARENT_COLOR);
  }
  DGifCloseFile(gif, &error);
}

INSTANTIATE_TEST_SUITE_P(
    Images, GIFPeer,
    ::testing::Values(TCase{1, 1, 1, false, -1, false}, TCase{1, 1, 2, false, -1, true},
                      TCase{7, 5, 2, true, -1, false}, TCase{17, 9, 3, true, 2, true},
                      TCase{64, 64, 16, false, 0, false}, TCase{257, 131, 256, false, -1, true},
                      TCase{300, 200, 256, false, 7, false}, TCase{301, 203, 256, true, -1, true},
                      TCase{512, 512, 37, false, -1, true}, TCase{640, 480, 256, true, 200, true},
                      TCase{1000, 3, 200, false, -1, false},
                      TCase{2000, 1000, 200, false, 5, false}));

}  // namespace
