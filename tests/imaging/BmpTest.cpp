// The one bitmap decoder through both its callers: as a BMP file, where
// damage is an error and skipped pixels are colour 0, and as a metafile
// record, where damage is clipped and skipped pixels transparent. Then what
// only one caller has: the file's pixel offset and signature; the records'
// alpha, tables of palette indices, embedded JPEG, old 16-bit bitmap objects
// and the player's limits. Last the BMP writer: round trips and byte layout.
#include <gtest/gtest.h>

#include <cstring>

#include "CodecTestUtil.h"
#include "imaging/BMPLoader.h"
#include "imaging/Errors.h"
#include "imaging/metafile/MetafileDIB.h"

using namespace lumarte;
using namespace lumarte::imaging;
using namespace lumarte::testing;

namespace {

// Bitmap files built byte by byte.
struct TBmpLayout {
  int HeaderSize = 40;  // 12 gives an OS/2 core header
  int32_t Width = 1, Height = 1;
  int Bits = 24;
  uint32_t Compression = 0;
  uint32_t ColorsUsed = 0;
  std::vector<uint32_t> Palette;  // 0x00RRGGBB
  std::vector<uint32_t> Masks;    // written after a 40-byte header
  std::vector<uint8_t> Pixels;    // the pixel data as stored
  int OffBitsDelta = 0;           // added to the offset of the pixels
  const char* Signature = "BM";
};

std::string BuildBmp(const TBmpLayout& layout) {
  const bool core = layout.HeaderSize == 12;
  std::string header;
  if (core) {
    PutLE(header, 12, 4);
    for (int v : {layout.Width, layout.Height, 1, layout.Bits}) PutLE(header, v, 2);
  } else {
    header = DibInfo(layout.Width, layout.Height, layout.Bits, layout.Compression,
                     layout.ColorsUsed, static_cast<uint32_t>(layout.Pixels.size()));
    header[0] = static_cast<char>(layout.HeaderSize);
    header.resize(layout.HeaderSize, '\0');
  }
  for (uint32_t m : layout.Masks) PutLE(header, m, 4);
  for (uint32_t c : layout.Palette) PutLE(header, c, core ? 3 : 4);
  uint32_t offBits = static_cast<uint32_t>(14 + header.size() + layout.OffBitsDelta);
  std::string file = layout.Signature;
  PutLE(file, static_cast<uint32_t>(14 + header.size() + layout.Pixels.size()), 4);
  PutLE(file, 0, 4);
  PutLE(file, offBits, 4);
  file += header;
  if (layout.OffBitsDelta > 0) file.append(layout.OffBitsDelta, '\0');
  file.append(layout.Pixels.begin(), layout.Pixels.end());
  return file;
}

// Pixel (x, y) as 0x00RRGGBB, as the records and the file's tables give colours.
uint32_t ColorAt(const TRevedBitmap& b, int x, int y) {
  uint32_t c = lumarte::testing::PixelOf(b, x, y);
  return (c & 0xFF) << 16 | (c & 0xFF00) | c >> 16;
}

// 0xAARRGGBB as a record shows them; T: left out by a run-length bitmap.
constexpr uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, K = 0xFF000000, W = 0xFFFFFFFF,
                   T = 0;
// Colour tables as BuildBmp writes them.
const std::vector<uint32_t> kKW = {0, 0xFFFFFF};
const std::vector<uint32_t> kKRGBW = {0, 0xFF0000, 0xFF00, 0xFF, 0xFFFFFF};

struct TDibCase {
  const char* Name;
  TBmpLayout Layout;
  std::vector<uint32_t> Pixels;       // top row first; what the record shows
  const char* FileError = nullptr;    // else the file shows Pixels
  const char* RecordError = nullptr;  // else the record shows Pixels
  bool FileOnly = false;              // a record has no file header
};

class Dib : public ::testing::TestWithParam<TDibCase> {};

// The file's pixels in the record's terms: skipped ones are colour 0.
std::vector<uint32_t> AsFile(const TDibCase& c) {
  std::vector<uint32_t> out;
  uint32_t zero = c.Layout.Palette.empty() ? 0 : c.Layout.Palette[0];
  for (uint32_t p : c.Pixels) out.push_back(p == T ? zero : p & 0xFFFFFF);
  return out;
}

TEST_P(Dib, AsFile) {
  const TDibCase& c = GetParam();
  std::string file = BuildBmp(c.Layout);
  if (c.FileError) {
    EXPECT_EQ(LoadFailure(file, "bmp"), c.FileError);
    return;
  }
  TRevedBitmap b = LoadBytes(file, "bmp");
  const int bits = c.Layout.Bits;
  EXPECT_EQ(b.PixelFormat, bits == 1 || bits == 4 || bits == 8 ? pf8bit : pf24bit);
  ASSERT_EQ(size_t(b.Width) * b.Height, c.Pixels.size());
  std::vector<uint32_t> got;
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x) got.push_back(ColorAt(b, x, y));
  EXPECT_EQ(got, AsFile(c));
}

TEST_P(Dib, AsRecord) {
  const TDibCase& c = GetParam();
  if (c.FileOnly) return;
  std::string file = BuildBmp(c.Layout), dib = file.substr(14);
  size_t split = GetLE(file, 10, 4) - 14;  // header and table, then the rows
  auto decode = [&] {
    return DecodeDIB(Bytes(dib), split, Bytes(dib) + split, dib.size() - split, false);
  };
  if (c.RecordError) {
    EXPECT_EQ(Message([&] { decode(); }),
              std::string("Invalid bitmap in metafile: ") + c.RecordError);
    return;
  }
  auto img = decode();
  ASSERT_TRUE(img);
  EXPECT_EQ(img->Width, c.Layout.Width);
  EXPECT_EQ(img->Pixels, c.Pixels);
  // As one block, the rows are found behind the table.
  auto packed = DecodePackedDIB(Bytes(dib), dib.size(), false);
  ASSERT_TRUE(packed);
  EXPECT_EQ(packed->Pixels, c.Pixels);
}

constexpr const char* kDamage = "Error in bitmap data";
constexpr const char* kUnsupported = "Unsupported bitmap format";
constexpr const char* kSize = "Invalid bitmap size";
constexpr const char* kShort = "Read less than expected";

// clang-format off
const TDibCase kCases[] = {
    {"OneBit", {40, 3, 2, 1, 0, 0, kKW, {}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}}, {K, W, K, W, K, W}},
    {"TwoBit", {40, 3, 1, 2, 0, 0, {0, 0xFF0000, 0xFF00, 0xFF}, {}, {0x1B, 0, 0, 0}}, {K, R, G}},
    {"FourBitShortTable", {40, 3, 1, 4, 0, 3, {0xFF0000, 0xFF00, 0xFF}, {}, {0x01, 0x20, 0, 0}},
     {R, G, B}},
    {"Os2CoreHeader", {12, 2, 1, 8, 0, 0, {0xFF00, 0xFF}, {}, {1, 0, 0, 0}}, {B, G}},
    {"Rgb555", {40, 2, 1, 16, 0, 0, {}, {}, {0x00, 0x7C, 0xFF, 0x7F}}, {R, W}},
    // 5-6-5 masks; the last pixel's halves round to 0x84 and 0x82.
    {"Bitfields565", {40, 4, 1, 16, 3, 0, {}, {0xF800, 0x07E0, 0x001F},
                      {0, 0xF8, 0xE0, 0x07, 0x1F, 0, 0x10, 0x84}}, {R, G, B, 0xFF848284}},
    {"BottomUp", {40, 1, 2, 24, 0, 0, {}, {}, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0}}, {G, R}},
    {"TopDown", {40, 1, -2, 24, 0, 0, {}, {}, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0}}, {R, G}},
    {"ThirtyTwoBitIgnoresFourthByte", {40, 2, 1, 32, 0, 0, {}, {}, {255, 0, 0, 0, 0, 255, 0, 7}},
     {B, G}},
    // 4x3 RLE8: bottom row absolute (R, G, B) padded to a word, a run of one W; end of
    // line; delta (1, 1) over the middle row to x=1 of the top row; a run of 3 W; end.
    {"Rle8RunsDeltaAndEnds", {40, 4, 3, 8, 1, 5, kKRGBW, {},
                              {0, 3, 1, 2, 3, 0, 1, 4, 0, 0, 0, 2, 1, 1, 3, 4, 0, 1}},
     {T, W, W, W, T, T, T, T, R, G, B, W}},
    // 5x1 RLE4: absolute 3 nibbles padded to a word, a run of 2 alternating 4, 0.
    {"Rle4AbsoluteOddCount", {40, 5, 1, 4, 2, 5, kKRGBW, {}, {0, 3, 0x12, 0x30, 2, 0x40, 0, 1}},
     {R, G, B, W, K}},
    // Runs into a row's padding, as common writers make them, are clipped.
    {"Rle8RunIntoPadding", {40, 3, 1, 8, 1, 5, kKRGBW, {}, {4, 4, 0, 1}}, {W, W, W}},
    {"Rle8AbsoluteIntoPadding", {40, 3, 1, 8, 1, 5, kKRGBW, {}, {0, 4, 1, 2, 3, 4, 0, 1}},
     {R, G, B}},
    {"Rle4RunIntoPadding", {40, 5, 1, 4, 2, 5, kKRGBW, {}, {8, 0x12, 0, 1}}, {R, G, R, G, R}},

    // Damage: the file fails, the record clips, shows black or stops.
    {"IndexPastTable", {40, 2, 1, 8, 0, 2, kKW, {}, {1, 7, 0, 0}}, {W, K}, kDamage},
    {"MoreColoursThanDepth", {40, 1, 1, 1, 0, 3, {0, 0xFFFFFF, 0xFF0000}, {}, {0, 0, 0, 0}}, {K},
     kDamage},
    {"Rle8RunPastRow", {40, 4, 1, 8, 1, 2, kKW, {}, {5, 1, 0, 1}}, {W, W, W, W}, kDamage},
    {"Rle8AbsolutePastRow", {40, 2, 1, 8, 1, 2, kKW, {}, {0, 5, 1, 1, 1, 1, 1, 0, 0, 1}}, {W, W},
     kDamage},
    {"Rle8DeltaOutOfImage", {40, 4, 2, 8, 1, 2, kKW, {}, {0, 2, 0, 3, 1, 1}},
     {T, T, T, T, T, T, T, T}, kDamage},
    {"Rle8IndexPastTable", {40, 4, 1, 8, 1, 2, kKW, {}, {4, 2, 0, 1}}, {K, K, K, K}, kDamage},
    {"Rle4IndexPastTable", {40, 2, 1, 4, 2, 2, kKW, {}, {2, 0x12, 0, 1}}, {W, K}, kDamage},
    {"Rle8CutShort", {40, 4, 1, 8, 1, 2, kKW, {}, {2, 1, 4}}, {W, W, T, T}, kShort},

    // Refused by both.
    {"RowsCutShort", {40, 4, 4, 24, 0, 0, {}, {}, {1, 2, 3}}, {}, kShort, "pixel data missing"},
    {"NoRows", {40, 1, 1, 8, 0, 2, kKW, {}, {}}, {}, kShort, "pixel data missing"},
    {"MasksMissing", {40, 1, 1, 16, 3, 0, {}, {}, {0, 0, 0, 0}}, {}, kShort, "colour masks missing"},
    {"WidthTooLarge", {40, 70000, 1, 24, 0, 0, {}, {}, {}}, {}, kSize, "too large"},
    {"TooManyPixels", {40, 40000, 40000, 8, 1, 0, {}, {}, {0, 1}}, {}, kSize, "too large"},
    {"HeightZero", {40, 1, 0, 24, 0, 0, {}, {}, {}}, {}, kSize, "empty or negative size"},
    {"WidthNegative", {40, -5, 1, 24, 0, 0, {}, {}, {}}, {}, kSize, "empty or negative size"},
    {"HeaderSize66", {66, 1, 1, 24, 0, 0, {}, {}, {0, 0, 0, 0}}, {}, kUnsupported,
     "unknown header size"},
    {"Depth64", {40, 1, 1, 64, 0, 0, {}, {}, {}}, {}, kUnsupported, "unsupported bits per pixel"},
    {"Rle8On4Bits", {40, 1, 1, 4, 1, 0, {}, {}, {0, 1}}, {}, kUnsupported,
     "run-length coding on the wrong depth"},
    {"MasksOn24Bits", {40, 1, 1, 24, 3, 0, {}, {0xFF, 0xFF00, 0xFF0000}, {0, 0, 0, 0}}, {},
     kUnsupported, "colour masks on the wrong depth"},
    {"Rle8TopDown", {40, 1, -1, 8, 1, 2, kKW, {}, {0, 1}}, {}, kUnsupported,
     "top-down run-length bitmap"},
    {"UnknownCompression", {40, 1, 1, 24, 9, 0, {}, {}, {0, 0, 0, 0}}, {}, kUnsupported,
     "unknown compression"},
    {"SplitMask", {40, 1, 1, 16, 3, 0, {}, {0xF00F, 0x0F00, 0x00F0}, {0, 0, 0, 0}}, {},
     kUnsupported, "colour mask not one run of bits"},
    {"MaskWiderThanPixel", {40, 1, 1, 16, 3, 0, {}, {0x1F0000, 0x3E0, 0x1F}, {0, 0, 0, 0}}, {},
     kUnsupported, "colour masks wider than the pixel"},
    {"HugeColourTable", {40, 1, 1, 24, 0, 70000, {}, {}, {0, 0, 0, 0}}, {}, kDamage,
     "colour table too large"},

    // The file's pixel offset: it cuts the table (the header claims 256 entries) or
    // leaves a gap; inside the header it is damage.
    {"OffsetCutsTable", {40, 2, 1, 8, 0, 0, {0xFF0000, 0xFF00}, {}, {1, 0, 0, 0}}, {G, R}, nullptr,
     nullptr, true},
    {"OffsetLeavesGap", {40, 1, 1, 24, 0, 0, {}, {}, {0xFF, 0, 0, 0}, 6}, {B}, nullptr, nullptr,
     true},
    {"OffsetInsideHeader", {40, 1, 1, 24, 0, 0, {}, {}, {0, 0, 0, 0}, -10}, {}, kDamage, nullptr,
     true},
    {"IndexPastCutTable", {40, 2, 1, 8, 0, 0, kKW, {}, {0, 2, 0, 0}}, {}, kDamage, nullptr, true},
    {"BitmapArraySignature", {40, 1, 1, 24, 0, 0, {}, {}, {0, 0, 0, 0}, 0, "BA"}, {},
     "Unsupported file format", nullptr, true},
    // A record leaves it out instead (below).
    {"EmbeddedJpeg", {40, 1, 1, 0, 4, 0, {}, {}, {}}, {}, kUnsupported, nullptr, true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, Dib, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// AlphaBlend's sources keep their alpha, premultiplied as they are stored;
// other records draw the same pixels opaque.
struct TAlphaCase {
  const char* Name;
  std::string Info, Bits;
  uint32_t Pixel;
};

class MetafileAlphaDib : public ::testing::TestWithParam<TAlphaCase> {};

TEST_P(MetafileAlphaDib, KeepsAlphaOnlyForAlphaBlend) {
  const TAlphaCase& c = GetParam();
  auto img = DecodeAlphaDIB(Bytes(c.Info), c.Info.size(), Bytes(c.Bits), c.Bits.size());
  ASSERT_TRUE(img);
  EXPECT_TRUE(img->Premultiplied);
  EXPECT_EQ(img->Pixels[0], c.Pixel);
  auto opaque = DecodeDIB(Bytes(c.Info), c.Info.size(), Bytes(c.Bits), c.Bits.size(), false);
  EXPECT_EQ(opaque->Pixels[0], c.Pixel | 0xFF000000);
}

std::string Raw(std::initializer_list<uint8_t> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string Masks(std::initializer_list<uint32_t> masks) {
  std::string s;
  for (uint32_t m : masks) PutLE(s, m, 4);
  return s;
}

INSTANTIATE_TEST_SUITE_P(Depths, MetafileAlphaDib,
                         ::testing::Values(TAlphaCase{"FourthByte", DibInfo(1, 1, 32),
                                                      Raw({10, 20, 30, 40}), 0x281E140Au},
                                           // 4-4-4-4 masks scale each channel to eight bits.
                                           TAlphaCase{"AlphaMask",
                                                      DibInfo(1, 1, 16, 6) +
                                                          Masks({0x0F00, 0x00F0, 0x000F, 0xF000}),
                                                      Raw({0x21, 0x84, 0, 0}), 0x88442211u}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(MetafileDib, PaletteIndicesShowAsGrey) {
  std::string info = DibInfo(1, 1, 1, 0, 2) + Raw({0, 0, 0x80, 0});
  std::string bits = Raw({0x80, 0, 0, 0});
  auto img = DecodeDIB(Bytes(info), info.size(), Bytes(bits), bits.size(), true);
  EXPECT_EQ(img->Pixels[0], 0xFF808080u);
}

TEST(MetafileDib, EmbeddedJpegIsLeftOut) {
  std::string info = DibInfo(4, 4, 0, 4), bits = "\xFF\xD8";
  EXPECT_EQ(DecodeDIB(Bytes(info), info.size(), Bytes(bits), bits.size(), false), nullptr);
}

TEST(MetafileDib, OldBitmapObjects) {
  // Monochrome 3 x 2, rows two bytes wide, top row first.
  std::string mono = Raw({0, 0, 3, 0, 2, 0, 2, 0, 1, 1, 0xA0, 0, 0x40, 0});
  auto img = DecodeBitmap16(Bytes(mono), mono.size());
  ASSERT_TRUE(img);
  EXPECT_EQ(img->Pixels, (std::vector<uint32_t>{W, K, W, K, W, K}));
  // A writer that states padded rows but stores them unpadded.
  std::string tight = Raw({0, 0, 1, 0, 2, 0, 4, 0, 1, 24, 0, 0, 255, 255, 0, 0});
  img = DecodeBitmap16(Bytes(tight), tight.size());
  ASSERT_TRUE(img);
  EXPECT_EQ(img->Pixels, (std::vector<uint32_t>{R, B}));
}

// What only a record can get wrong: its own block sizes and the player's limits.
TEST(MetafileDib, RefusesBadBlocksAndWhatThePlayerCannotTake) {
  struct {
    std::string Info, Bits;
    const char* Why;
  } cases[] = {{"", "", "header missing"},
               {DibInfo(1, 1, 24).substr(0, 30), "", "header cut short"},
               {DibInfo(16384, 8192, 1), "", "too large"},
               {DibInfo(8000, 8000, 8, 1), Raw({0, 1}),
                "run-length bitmap larger than its data can describe"}};
  for (const auto& c : cases) {
    auto decode = [&] {
      DecodeDIB(Bytes(c.Info), c.Info.size(), Bytes(c.Bits), c.Bits.size(), false);
    };
    EXPECT_EQ(Message(decode), std::string("Invalid bitmap in metafile: ") + c.Why);
  }
}

// ---- the BMP writer ----

// ---- round trips ----

struct TRoundTrip {
  int Bits;
  TPixelFormat Source;
  int Colors;  // distinct palette indices used by an 8-bit source
  int Width;
};

class BmpRoundTrip : public ::testing::TestWithParam<TRoundTrip> {};

TEST_P(BmpRoundTrip, ColoursSurviveExactly) {
  const TRoundTrip& p = GetParam();
  TRevedBitmap src = NoisePicture(p.Width, 3, p.Source, p.Width, p.Colors);
  TMemoryStream file;
  WriteBMP(file, src, p.Bits);
  TRevedBitmap back = LoadBytes(file.Data, "bmp");
  ASSERT_EQ(back.Width, p.Width);
  ASSERT_EQ(back.Height, 3);
  EXPECT_EQ(back.PixelFormat, p.Bits == 24 ? pf24bit : pf8bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < p.Width; ++x) ASSERT_EQ(ColorAt(back, x, y), ColorAt(src, x, y)) << x;
  if (p.Bits == 8 && p.Source == pf8bit) {  // indices and the whole table as they were
    EXPECT_EQ(std::memcmp(back.Map.get(), src.Map.get(), src.Size), 0);
    EXPECT_EQ(*back.Palette, *src.Palette);
  }
}

INSTANTIATE_TEST_SUITE_P(
    DepthsAndOddWidths, BmpRoundTrip,
    ::testing::Values(TRoundTrip{24, pf24bit, 0, 1}, TRoundTrip{24, pf24bit, 0, 3},
                      TRoundTrip{24, pf24bit, 0, 5}, TRoundTrip{24, pf8bit, 256, 7},
                      TRoundTrip{8, pf8bit, 256, 1}, TRoundTrip{8, pf8bit, 256, 13},
                      TRoundTrip{4, pf8bit, 16, 1}, TRoundTrip{4, pf8bit, 16, 7},
                      TRoundTrip{4, pf8bit, 9, 12}, TRoundTrip{1, pf8bit, 2, 1},
                      TRoundTrip{1, pf8bit, 2, 9}, TRoundTrip{1, pf8bit, 2, 33},
                      TRoundTrip{8, pf24bit, 0, 4}));

// Fewer bits than colours: the file holds a reduced palette of that size.
TEST(BmpWrite, ReducesTo16Colours) {
  TRevedBitmap src = NoisePicture(40, 20, pf24bit, 1);
  TMemoryStream file;
  WriteBMP(file, src, 4, true);
  TRevedBitmap back = LoadBytes(file.Data, "bmp");
  EXPECT_EQ(back.PixelFormat, pf8bit);
  for (int32_t i = 0; i < back.Size; ++i) ASSERT_LT(back.Map[i], 16);
}

// ---- byte layout ----

TEST(BmpWrite, Layout24BitPadsRowsAndStoresBottomUp) {
  TRevedBitmap b;
  b.New(3, 2, pf24bit);
  for (int i = 0; i < 18; ++i) b.Map[i] = static_cast<uint8_t>(i + 1);
  const std::string s = lumarte::testing::SaveBytes(b, "BMP");
  ASSERT_EQ(s.size(), 54u + 2 * 12);
  EXPECT_EQ(s.substr(0, 2), "BM");
  EXPECT_EQ(GetLE(s, 2, 4), 78u);   // file size
  EXPECT_EQ(GetLE(s, 10, 4), 54u);  // pixel offset
  EXPECT_EQ(GetLE(s, 14, 4), 40u);  // info header
  EXPECT_EQ(GetLE(s, 18, 4), 3u);
  EXPECT_EQ(GetLE(s, 22, 4), 2u);  // positive height: bottom-up
  EXPECT_EQ(GetLE(s, 26, 2), 1u);
  EXPECT_EQ(GetLE(s, 28, 2), 24u);
  EXPECT_EQ(GetLE(s, 30, 4), 0u);  // uncompressed
  EXPECT_EQ(GetLE(s, 34, 4), 24u);
  EXPECT_EQ(GetLE(s, 46, 4), 0u);  // no colour table
  EXPECT_EQ(s.substr(54, 12), std::string("\x0a\x0b\x0c\x0d\x0e\x0f\x10\x11\x12\0\0\0", 12));
  EXPECT_EQ(s.substr(66, 12), std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\0\0\0", 12));
}

TEST(BmpWrite, Layout1BitPacksHighBitFirst) {
  TRevedBitmap b;
  b.New(10, 1, pf8bit);
  for (int x = 0; x < 10; ++x) b.Map[x] = x % 3 == 0;
  (*b.Palette)[3] = 0x11, (*b.Palette)[4] = 0x22, (*b.Palette)[5] = 0x33;
  TMemoryStream file;
  WriteBMP(file, b, 1);
  const std::string& s = file.Data;
  ASSERT_EQ(s.size(), 54u + 8 + 4);
  EXPECT_EQ(GetLE(s, 10, 4), 62u);
  EXPECT_EQ(GetLE(s, 28, 2), 1u);
  EXPECT_EQ(GetLE(s, 46, 4), 2u);  // two-entry table
  EXPECT_EQ(s.substr(58, 4), std::string("\x11\x22\x33\0", 4));
  // pixels 1001001001 -> 1001 0010 01xx xxxx
  EXPECT_EQ(s.substr(62, 4), std::string("\x92\x40\0\0", 4));
}

TEST(BmpWrite, EightBitWritesFullTable) {
  TRevedBitmap b = NoisePicture(2, 2, pf8bit, 1, 3);
  const std::string s = lumarte::testing::SaveBytes(b, "bmp");
  EXPECT_EQ(GetLE(s, 10, 4), 54u + 1024);
  EXPECT_EQ(GetLE(s, 46, 4), 256u);
}

// A palette BMP of width 37 from a common tool: its runs cover the row padding.
TEST(BmpRead, RunLengthFileOfACommonWriterMatchesItsReference) {
  std::string dir = std::string(LUMARTE_TEST_DATA) + "/bmp/rle8-width37-padding-runs";
  TRevedBitmap b = LoadBytes(lumarte::testing::ReadFileBytes(dir + ".bmp"), "bmp");
  std::string ppm = lumarte::testing::ReadFileBytes(dir + ".ppm");
  const std::string header = "P6\n37 20\n255\n";
  ASSERT_EQ(ppm.compare(0, header.size(), header), 0);
  ASSERT_EQ(b.Width, 37);
  EXPECT_TRUE(lumarte::testing::ToRgb(b) ==
              std::vector<uint8_t>(ppm.begin() + header.size(), ppm.end()));
}

TEST(BmpLoader, RefusesOtherExtensions) {
  TBMPLoader loader;
  TMemoryStream s;
  TRevedBitmap b;
  EXPECT_EQ(Message([&] { loader.LoadFromStream(s, "pcx", b); }), "Unsupported file format");
  EXPECT_EQ(Message([&] { loader.SaveToStream(s, "gif", b); }), "Unsupported file format");
  EXPECT_EQ(Message([&] { WriteBMP(s, b, 24); }), "Invalid bitmap size");
  EXPECT_EQ(Message([&] { WriteBMP(s, NoisePicture(1, 1, pf24bit, 1), 16); }),
            "Unsupported pixel format");
}

}  // namespace
