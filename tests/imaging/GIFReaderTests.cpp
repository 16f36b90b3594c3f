// The GIF reader on hand-made files: block structure, limits, graphic
// control data, colour tables, the first picture and LZW faults.
#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include "imaging/GIFLoader.h"

using namespace lumarte::imaging;
using namespace std::string_literals;

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

TGIFImage Load(const std::string& data) {
  TMemoryStream in(data.data(), data.size());
  TGIFImage img;
  img.LoadFromStream(in);
  return img;
}

// Through the codec, which reads the file and decodes the first picture.
std::string LoadError(const std::string& data) {
  TMemoryStream in(data.data(), data.size());
  TRevedBitmap pic;
  return Message([&] { GifLoader().LoadFromStream(in, "GIF", pic); });
}

struct TBadFile {
  const char* Name;
  std::string Data;
  const char* Message;
};
class GIFReaderRejects : public ::testing::TestWithParam<TBadFile> {};

TEST_P(GIFReaderRejects, WithAClearMessage) {
  EXPECT_EQ(LoadError(GetParam().Data), GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, GIFReaderRejects,
    ::testing::Values(
        TBadFile{"Signature", "GIF88a" + Screen(1, 1).substr(6), "Invalid GIF header"},
        TBadFile{"ZeroScreen", Screen(0, 5) + Image(0, 0, 1, 1, {0}), "Invalid GIF image size"},
        TBadFile{"HugeScreen", Screen(65535, 65535) + Image(0, 0, 1, 1, {0}),
                 "Invalid GIF image size"},
        TBadFile{"ZeroWidthFrame", Screen(2, 2) + Image(0, 0, 0, 2, {}), "Invalid GIF image size"},
        TBadFile{"ZeroHeightFrame", Screen(2, 2) + Image(0, 0, 2, 0, {}), "Invalid GIF image size"},
        TBadFile{"FrameAbove16384", Screen(2, 2) + Image(0, 0, 16385, 1, {0}),
                 "Invalid GIF image size"},
        TBadFile{"LaterFrameAbove16384",
                 Screen(2, 2) + Image(0, 0, 1, 1, {0}) + Image(0, 0, 1, 16385, {0}),
                 "Invalid GIF image size"},
        TBadFile{"UnknownBlock", Screen(1, 1) + Image(0, 0, 1, 1, {0}) + '\0', "Invalid GIF block"},
        TBadFile{"NoImage", Screen(1, 1) + "\x21\xFE\x01x\x00\x3B"s, "GIF file contains no image"},
        TBadFile{"CodeSizeZero", Screen(1, 1) + Descriptor(1) + "\x00\x01\x00\x00"s,
                 "Invalid LZW code size"},
        TBadFile{"CodeSizeTwelve", Screen(1, 1) + Descriptor(1) + "\x0C\x01\x00\x00"s,
                 "Invalid LZW code size"},
        TBadFile{"ColourBeyondTable",  // clear, literal 3 (2 colours)
                 Screen(1, 1, 1) + Descriptor(1) + "\x02\x01\x1C\x00"s, "Invalid colour index"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(GIFReader, AFrameOf16384PixelsIsAccepted) {
  TGIFImage img = Load(Screen(16384, 1) + Image(0, 0, 16384, 1, Ramp(16384)));
  EXPECT_EQ(img.DecodeFrame(0), Ramp(16384));
}

TEST(GIFReader, MissingTrailerStillGivesTheFrames) {
  TGIFImage img = Load(Screen(2, 1) + Image(0, 0, 2, 1, {1, 2}));
  EXPECT_EQ(img.DecodeFrame(0), (std::vector<uint8_t>{1, 2}));
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
        TLZWCase{"TableCodeAfterClear", Pack({{1, 3}, {4, 3}, {6, 3}}), 4, {}, "Invalid LZW code"},
        TLZWCase{"LiteralBeyondColours", Pack({{4, 3}, {3, 3}}), 3, {}, "Invalid colour index"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
