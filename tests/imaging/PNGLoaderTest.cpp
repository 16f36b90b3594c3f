#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include <cmath>
#include <random>

#include "LibpngPeer.h"
#include "PngTestUtil.h"
#include "support/TempFolder.h"

namespace lumarte::imaging {
namespace {

using test::BuildPng;
using test::Bytes;
using test::Ihdr;
using test::SimplePng;
using test::TChunk;

// Raw rows (filter byte 0) of an 8-bit grey image.
std::string GreyRows(uint32_t w, uint32_t h, uint8_t value) {
  std::string s;
  for (uint32_t y = 0; y < h; ++y) s += '\0' + std::string(w, static_cast<char>(value));
  return s;
}

// ---- registry ----

TEST(PngCodec, IsTheRegisteredCodecForPngOnly) {
  EXPECT_EQ(&BitmapLoaders().FindLoader("Png"), &PNGLoader());
  EXPECT_EQ(&BitmapLoaders().FindSaver("PNG"), &PNGLoader());
  EXPECT_FALSE(PNGLoader().CanLoad("PN"));
  EXPECT_EQ(PNGLoader().GetSaveFilter(), "Portable network graphic (*.png)|*.png");
}

// ---- reading ----

TEST(PngRead, TwoBitGreyGetsAFourLevelPalette) {
  // Samples 0, 1, 2, 3 packed high bits first: 0b00011011.
  TRevedBitmap b = test::LoadPngBytes(SimplePng(Ihdr(4, 1, 2, 0), Bytes({0, 0x1B})));
  ASSERT_EQ(b.PixelFormat, pf8bit);
  EXPECT_EQ(std::string(b.Map.get(), b.Map.get() + 4), Bytes({0, 1, 2, 3}));
  const TPalette& p = *b.Palette;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(p[3 * i + 1], i * 85) << i;
  EXPECT_EQ(p[3 * 4], 0);  // the rest of the palette is zeroed
}

// The display exponent is 2.2: gAMA 45455 (what most writers put) is an
// ordinary display and leaves the samples alone; linear data is brightened
// (8-bit grey in its samples, low-depth grey in its palette); an sRGB or iCCP
// chunk overrides gAMA.
struct GammaCase {
  TChunk ihdr;
  std::string rows;
  uint32_t gama;
  std::vector<TChunk> extra;
  int x;
  double shown;  // the grey pixel x shows, from 0 to 1
};

class PngGamma : public ::testing::TestWithParam<GammaCase> {};

TEST_P(PngGamma, CorrectsForAnOrdinaryDisplay) {
  const GammaCase& c = GetParam();
  std::vector<TChunk> chunks = c.extra;
  chunks.insert(chunks.begin(), TChunk{"gAMA", test::BE32(c.gama)});
  TRevedBitmap b = test::LoadPngBytes(SimplePng(c.ihdr, c.rows, chunks));
  EXPECT_EQ(test::ToRgb(b)[3 * c.x], static_cast<uint8_t>(std::nearbyint(c.shown * 255)));
}

const std::string kGrey128 = GreyRows(3, 2, 128), kTwoBitRamp = Bytes({0, 0x1B});

INSTANTIATE_TEST_SUITE_P(
    Files, PngGamma,
    ::testing::Values(GammaCase{Ihdr(3, 2, 8, 0), kGrey128, 45455, {}, 0, 128 / 255.0},
                    GammaCase{Ihdr(3, 2, 8, 0), kGrey128, 100000, {}, 0,
                              std::pow(128 / 255.0, 1 / 2.2)},
                    GammaCase{Ihdr(3, 2, 8, 0), kGrey128, 100000, {{"sRGB", Bytes({0})}}, 0,
                              128 / 255.0},
                    GammaCase{Ihdr(3, 2, 8, 0), kGrey128, 100000,
                              {{"iCCP", std::string("p\0\0x", 4)}}, 0, 128 / 255.0},
                    GammaCase{Ihdr(4, 1, 2, 0), kTwoBitRamp, 100000, {}, 1,
                              std::pow(85 / 255.0, 1 / 2.2)}));

TEST(PngRead, OrdinaryGammaKeepsColoursAcrossOpenAndSave) {
  TChunk gama{"gAMA", test::BE32(45455)};
  std::string rgb = Bytes({0, 201, 37, 99});  // filter byte, then R G B
  TPNGLoader loader;
  TRevedBitmap b = test::LoadPngBytes(SimplePng(Ihdr(1, 1, 8, 2), rgb, {gama}), &loader);
  EXPECT_EQ(Bytes({b.Map[0], b.Map[1], b.Map[2]}), Bytes({99, 37, 201}));  // stored B G R
  EXPECT_EQ(loader.Gamma, 0.0);  // nothing left to write back
}

TEST(PngRead, SixteenEntryPaletteLeavesTheRestBlack) {
  std::string plte;
  for (int i = 0; i < 16; ++i) plte += Bytes({i * 16, 255 - i, 7});
  TRevedBitmap b =
      test::LoadPngBytes(SimplePng(Ihdr(2, 1, 4, 3), Bytes({0, 0xF1}), {{"PLTE", plte}}));
  const TPalette& p = *b.Palette;
  EXPECT_EQ(Bytes({p[45], p[46], p[47]}), Bytes({7, 255 - 15, 15 * 16}));  // entry 15, BGR
  for (int i = 16 * 3; i < 768; ++i) ASSERT_EQ(p[i], 0) << i;
  EXPECT_EQ(b.Map[0], 15);
  EXPECT_EQ(b.Map[1], 1);
}

TEST(PngRead, UnknownAncillaryChunkIsSkippedEvenWithBadCrc) {
  std::string file = SimplePng(Ihdr(1, 1, 8, 0), GreyRows(1, 1, 9), {{"tEXt", "Comment\0x"}});
  size_t crcAt = file.find("tEXt") + 4 + 9;
  file[crcAt] ^= 0x55;
  EXPECT_EQ(test::LoadPngBytes(file).Map[0], 9);
}

TEST(PngRead, ImageDataInOneByteChunksAndEmptyChunks) {
  std::string raw = GreyRows(7, 5, 0);
  for (size_t i = 0; i < raw.size(); ++i)
    if (i % 8) raw[i] = static_cast<char>(i * 37);
  std::string z = test::ZlibCompress(raw);
  std::vector<TChunk> chunks = {Ihdr(7, 5, 8, 0), {"IDAT", ""}};
  for (auto& c : test::Idat(z, 1)) chunks.push_back(c), chunks.push_back({"IDAT", ""});
  chunks.push_back({"IEND", ""});
  TRevedBitmap a = test::LoadPngBytes(BuildPng(chunks));
  TRevedBitmap b = test::LoadPngBytes(SimplePng(Ihdr(7, 5, 8, 0), raw));
  EXPECT_EQ(std::string(a.Map.get(), a.Map.get() + a.Size),
            std::string(b.Map.get(), b.Map.get() + b.Size));
}

struct TBadPng {
  const char* name;
  std::string file;
  const char* message;
};

std::string WithByte(std::string s, size_t at, char v) {
  s[at] = v;
  return s;
}

std::string FilterSevenAtRowFive() {
  std::string raw = GreyRows(3, 8, 1);
  raw[5 * 4] = 7;
  return SimplePng(Ihdr(3, 8, 8, 0), raw);
}

// Rows zlib can inflate from the first `bytes` bytes of z (rows of rowBytes).
size_t RowsInPrefix(const std::string& z, size_t bytes, size_t rowBytes) {
  z_stream s{};
  inflateInit(&s);
  std::string out(1 << 20, '\0');
  s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(z.data()));
  s.avail_in = static_cast<uInt>(bytes);
  s.next_out = reinterpret_cast<Bytef*>(out.data());
  s.avail_out = static_cast<uInt>(out.size());
  inflate(&s, Z_SYNC_FLUSH);
  size_t rows = s.total_out / rowBytes;
  inflateEnd(&s);
  return rows;
}

// A tEXt chunk between two IDAT chunks, where the image data must go on:
// the error names the row being read.
TBadPng ChunkInsideImageData() {
  std::string raw;
  uint32_t seed = 1;
  for (int y = 0; y < 40; ++y) {
    raw += '\0';
    for (int x = 0; x < 40; ++x) raw += static_cast<char>((seed = seed * 69069 + 1) >> 28);
  }
  std::string z = test::ZlibCompress(raw, 9);
  size_t cut = z.size() / 2;
  static std::string message;
  message = "Invalid PNG data at line " + std::to_string(RowsInPrefix(z, cut, 41));
  return {"chunk_inside_image_data",
          BuildPng({Ihdr(40, 40, 8, 0),
                    {"IDAT", z.substr(0, cut)},
                    {"tEXt", std::string("a\0b", 3)},
                    {"IDAT", z.substr(cut)},
                    {"IEND", ""}}),
          message.c_str()};
}

std::string BadAdler() {
  std::string z = test::ZlibCompress(GreyRows(2, 2, 5));
  z.back() ^= 1;
  return BuildPng({Ihdr(2, 2, 8, 0), {"IDAT", z}, {"IEND", ""}});
}

std::string BadMiddleIdatCrc() {
  std::string z = test::ZlibCompress(GreyRows(30, 30, 5));
  std::vector<TChunk> c = {Ihdr(30, 30, 8, 0)};
  for (auto& i : test::Idat(z, 4)) c.push_back(i);
  c.push_back({"IEND", ""});
  std::string file = BuildPng(c);
  size_t second = file.find("IDAT", file.find("IDAT") + 1);
  file[second + 4 + 4] ^= 1;  // its CRC
  return file;
}

std::string ExtraDataAfterTheImage() {
  // A 1x1 image whose zlib stream goes on for megabytes: only the image is
  // inflated, and the trailer then does not match.
  return BuildPng({Ihdr(1, 1, 8, 0),
                   {"IDAT", test::ZlibCompress(GreyRows(1, 1, 5) + std::string(20 << 20, 'x'))},
                   {"IEND", ""}});
}

const std::vector<TBadPng>& BadPngs() {
  static const std::string good = SimplePng(Ihdr(2, 2, 8, 0), GreyRows(2, 2, 5));
  static const std::vector<TBadPng> cases = {
      {"signature", WithByte(good, 1, 'Q'), "Invalid PNG header"},
      {"short_signature", good.substr(0, 5), "Invalid PNG header"},
      {"ihdr_crc", WithByte(good, 8 + 8 + 13, 0), "CRC error"},
      {"first_not_ihdr", BuildPng({{"gAMA", test::BE32(1)}}), "Invalid PNG data at line 0"},
      {"ihdr_length", BuildPng({{"IHDR", std::string(12, '\1')}}), "Invalid PNG data at line 0"},
      {"colour_type_5", SimplePng(Ihdr(2, 2, 8, 5), GreyRows(2, 2, 5)),
       "Invalid PNG data at line 0"},
      {"palette_depth_16", SimplePng(Ihdr(2, 2, 16, 3), GreyRows(4, 2, 5)),
       "Invalid PNG data at line 0"},
      {"rgb_depth_4", SimplePng(Ihdr(2, 2, 4, 2), GreyRows(3, 2, 5)), "Invalid PNG data at line 0"},
      {"compression_method",
       SimplePng({"IHDR", test::BE32(2) + test::BE32(2) + Bytes({8, 0, 1, 0, 0})},
                 GreyRows(2, 2, 5)),
       "Invalid PNG data at line 0"},
      {"filter_method",
       SimplePng({"IHDR", test::BE32(2) + test::BE32(2) + Bytes({8, 0, 0, 1, 0})},
                 GreyRows(2, 2, 5)),
       "Invalid PNG data at line 0"},
      {"ihdr_crc_checked_first", WithByte(good, 26, 1), "CRC error"},
      {"unknown_critical", SimplePng(Ihdr(2, 2, 8, 0), GreyRows(2, 2, 5), {{"ABCD", ""}}),
       "Unsupported PNG data"},
      {"adler", BadAdler(), "Adler32 error"},
      {"filter_7_row_5", FilterSevenAtRowFive(), "Invalid PNG data at line 5"},
      {"interlace_2", SimplePng(Ihdr(2, 2, 8, 0, 2), GreyRows(2, 2, 5)),
       "Unsupported interlacing method"},
      {"zlib_method", BuildPng({Ihdr(1, 1, 8, 0), {"IDAT", Bytes({0x77, 0x01, 1, 2})}}),
       "Invalid PNG data at line 0"},
      ChunkInsideImageData(),
      {"no_image_data", BuildPng({Ihdr(2, 2, 8, 0), {"IEND", ""}}), "Error in bitmap data"},
      {"palette_without_plte", SimplePng(Ihdr(2, 2, 8, 3), GreyRows(2, 2, 0)),
       "Invalid PNG data at line 0"},
      {"absurd_size", BuildPng({Ihdr(70000, 70000, 8, 2)}), "Invalid bitmap size"},
      {"zero_width", BuildPng({Ihdr(0, 5, 8, 2)}), "Invalid bitmap size"},
      {"truncated", good.substr(0, good.size() - 20), "Read less than expected"},
      {"rows_missing", SimplePng(Ihdr(2, 3, 8, 0), GreyRows(2, 2, 5)), "Read less than expected"},
      {"middle_idat_crc", BadMiddleIdatCrc(), "CRC error"},
      {"extra_data_after_image", ExtraDataAfterTheImage(), "Adler32 error"},
  };
  return cases;
}

class PngBadFile : public ::testing::TestWithParam<size_t> {};

// Through the registry: a failed load leaves no pixels behind.
TEST_P(PngBadFile, RaisesTheMessageAndLeavesTheBufferEmpty) {
  const TBadPng& c = BadPngs()[GetParam()];
  TMemoryStream in(c.file.data(), c.file.size());
  TRevedBitmap b;
  b.New(2, 2, pf24bit);
  EXPECT_EQ(Message([&] { b.LoadFromStream(in, "png"); }), c.message);
  EXPECT_FALSE(b.Present);
}

INSTANTIATE_TEST_SUITE_P(All, PngBadFile, ::testing::Range<size_t>(0, BadPngs().size()),
                         [](const auto& info) { return BadPngs()[info.param].name; });

// ---- every colour type and depth, as libpng writes them ----

struct TLibpngCase {
  int colorType, depth;
  bool interlace;
  int level;
};

class PngFromLibpng : public ::testing::TestWithParam<TLibpngCase> {};

TEST_P(PngFromLibpng, DecodesToLibpngsPixels) {
  const TLibpngCase& c = GetParam();
  static const int kSamples[7] = {1, 0, 3, 1, 2, 0, 4};
  const uint32_t w = 37, h = 29;
  std::mt19937 rng(static_cast<unsigned>(c.colorType * 100 + c.depth + c.level));
  size_t rowBytes = (w * kSamples[c.colorType] * c.depth + 7) / 8;
  std::vector<uint8_t> samples(rowBytes * h);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<uint8_t>(i % 5 ? rng() : i * 3);  // some noise, some runs
  std::vector<uint8_t> palette;
  for (int i = 0; i < (1 << std::min(c.depth, 8)) * 3; ++i)
    palette.push_back(static_cast<uint8_t>(i * 7));
  if (c.colorType == 3 && c.depth == 8)
    for (auto& s : samples) s %= 200;  // indices inside the palette
  std::string file = test::LibpngEncode(w, h, c.colorType, c.depth, samples, c.level, c.interlace,
                                        c.colorType == 3 ? palette : std::vector<uint8_t>{});
  ASSERT_FALSE(file.empty());
  test::TRgbImage ref;
  ASSERT_TRUE(test::LibpngDecode(file, ref));
  TPNGLoader loader;
  TRevedBitmap b = test::LoadPngBytes(file, &loader);
  EXPECT_EQ(loader.BitDepth, c.depth);
  EXPECT_TRUE(test::ToRgb(b) == ref.Rgb);
}

std::vector<TLibpngCase> LibpngCases() {
  std::vector<TLibpngCase> out;
  const std::pair<int, int> kinds[] = {{0, 1}, {0, 2},  {0, 4},  {0, 8}, {0, 16},
                                       {2, 8}, {2, 16}, {3, 1},  {3, 2}, {3, 4},
                                       {3, 8}, {4, 8},  {4, 16}, {6, 8}, {6, 16}};
  for (auto [type, depth] : kinds)
    for (bool interlace : {false, true}) out.push_back({type, depth, interlace, 6});
  for (int level = 0; level <= 9; ++level)
    if (level != 6) out.push_back({2, 8, false, level});
  return out;
}

INSTANTIATE_TEST_SUITE_P(Kinds, PngFromLibpng, ::testing::ValuesIn(LibpngCases()),
                         [](const auto& info) {
                           const auto& c = info.param;
                           return "type" + std::to_string(c.colorType) + "_depth" +
                                  std::to_string(c.depth) + (c.interlace ? "_adam7" : "") +
                                  "_level" + std::to_string(c.level);
                         });

// ---- transparency for documents ----

struct TTransparencyCase {
  const char* name;
  std::string file;
  bool transparent;
  uint32_t color;
  int index;
};

std::vector<TTransparencyCase> TransparencyCases() {
  std::string plte = Bytes({10, 20, 30, 40, 50, 60, 70, 80, 90});
  std::string damagedTrns =
      SimplePng(Ihdr(1, 1, 8, 0), GreyRows(1, 1, 0), {{"tRNS", Bytes({0, 7})}});
  damagedTrns[damagedTrns.find("tRNS") + 6] ^= 1;
  return {
      {"none", SimplePng(Ihdr(1, 1, 8, 0), GreyRows(1, 1, 0)), false, kNoTransparentColor, -1},
      {"grey_4bit", SimplePng(Ihdr(2, 1, 4, 0), Bytes({0, 0x12}), {{"tRNS", Bytes({0, 5})}}), true,
       0x555555, -1},
      {"rgb_16bit",
       SimplePng(Ihdr(1, 1, 16, 2), '\0' + std::string(6, '\0'),
                 {{"tRNS", Bytes({0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC})}}),
       true, 0x9A5612, -1},
      {"palette_first_clear_entry",
       SimplePng(Ihdr(1, 1, 8, 3), Bytes({0, 0}), {{"PLTE", plte}, {"tRNS", Bytes({255, 128, 0})}}),
       true, 0x5A5046, 2},
      {"palette_partly_clear",
       SimplePng(Ihdr(1, 1, 8, 3), Bytes({0, 0}), {{"PLTE", plte}, {"tRNS", Bytes({255, 128})}}),
       true, 0x3C3228, 1},
      {"grey_with_gamma",
       SimplePng(Ihdr(1, 1, 8, 0), GreyRows(1, 1, 0),
                 {{"gAMA", test::BE32(100000)}, {"tRNS", Bytes({0, 128})}}),
       true, 0xBABABA, -1},
      {"damaged_trns_ignored", damagedTrns, false, kNoTransparentColor, -1},
  };
}

class PngTransparency : public ::testing::TestWithParam<TTransparencyCase> {};

TEST_P(PngTransparency, IsReadBackForDocuments) {
  const auto& c = GetParam();
  fixtures::TempFolder temp;
  TRevedBitmap b;
  TPNGTransparency t = LoadPNGFile(temp.Write("trns.png", c.file), b);
  EXPECT_EQ(t.Transparent, c.transparent);
  EXPECT_EQ(t.Color, c.color);
  EXPECT_EQ(t.PaletteIndex, c.index);
}

INSTANTIATE_TEST_SUITE_P(Cases, PngTransparency, ::testing::ValuesIn(TransparencyCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumarte::imaging
