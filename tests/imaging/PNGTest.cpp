// The PNG reader on hand-made files and the writer's layout, with libpng as
// an independent reader of what we write.
#include <gtest/gtest.h>

#include <cmath>

#include "PngTestUtil.h"
#include "imaging/CRC32Stream.h"

namespace lumarte::imaging {
namespace {

using test::BuildPng;
using test::Bytes;
using test::ChunksOf;
using test::Ihdr;
using test::SimplePng;
using test::TChunk;

// Raw rows (filter byte 0) of an 8-bit grey image.
std::string GreyRows(uint32_t w, uint32_t h, uint8_t value) {
  std::string s;
  for (uint32_t y = 0; y < h; ++y) s += '\0' + std::string(w, static_cast<char>(value));
  return s;
}

// ---- reading ----

// The palette past the file's colours is black: the writer trims black tails.
TEST(PngRead, PaletteBeyondTheFilesColoursIsBlack) {
  std::string plte;
  for (int i = 0; i < 16; ++i) plte += Bytes({i * 16, 255 - i, 7});
  for (auto [file, colours] :
       {std::pair{SimplePng(Ihdr(4, 1, 2, 0), Bytes({0, 0x1B})), 4},
        std::pair{SimplePng(Ihdr(2, 1, 4, 3), Bytes({0, 0xF1}), {{"PLTE", plte}}), 16}}) {
    TRevedBitmap b = test::LoadPngBytes(file);
    ASSERT_EQ(b.PixelFormat, pf8bit);
    for (int i = 3 * colours; i < 768; ++i) ASSERT_EQ((*b.Palette)[i], 0) << i;
  }
}

// Grey is corrected for an ordinary display (exponent 2.2), so 45455 leaves it
// alone and linear data is brightened, unless an sRGB or iCCP chunk overrides
// gAMA. A correction made leaves no gamma for a save to write back.
struct GammaCase {
  uint32_t gama;
  std::vector<TChunk> extra;
  double shown;  // the grey the pixels show, from 0 to 1
};

class PngGamma : public ::testing::TestWithParam<GammaCase> {};

TEST_P(PngGamma, CorrectsForAnOrdinaryDisplay) {
  const GammaCase& c = GetParam();
  std::vector<TChunk> chunks = c.extra;
  chunks.insert(chunks.begin(), TChunk{"gAMA", test::BE32(c.gama)});
  TPNGLoader loader;
  TRevedBitmap b =
      test::LoadPngBytes(SimplePng(Ihdr(3, 2, 8, 0), GreyRows(3, 2, 128), chunks), &loader);
  EXPECT_EQ(test::ToRgb(b)[0], static_cast<uint8_t>(std::nearbyint(c.shown * 255)));
  if (c.extra.empty()) EXPECT_EQ(loader.Gamma, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PngGamma,
    ::testing::Values(GammaCase{45455, {}, 128 / 255.0},
                      GammaCase{100000, {}, std::pow(128 / 255.0, 1 / 2.2)},
                      GammaCase{100000, {{"sRGB", Bytes({0})}}, 128 / 255.0},
                      GammaCase{100000, {{"iCCP", std::string("p\0\0x", 4)}}, 128 / 255.0}));

// Layouts that read as the plain file: a damaged unknown ancillary chunk, and
// image data in one-byte chunks with empty ones between.
TEST(PngRead, OddLayoutsGiveThePlainFilesPixels) {
  std::string raw = GreyRows(7, 5, 0);
  for (size_t i = 0; i < raw.size(); ++i)
    if (i % 8) raw[i] = static_cast<char>(i * 37);
  const std::vector<uint8_t> plain =
      test::ToRgb(test::LoadPngBytes(SimplePng(Ihdr(7, 5, 8, 0), raw)));
  std::string badText = SimplePng(Ihdr(7, 5, 8, 0), raw, {{"tEXt", "Comment"}});
  badText[badText.find("tEXt") + 4 + 7] ^= 0x55;  // its CRC
  std::vector<TChunk> pieces = {Ihdr(7, 5, 8, 0), {"IDAT", ""}};
  for (auto& c : test::Idat(test::ZlibCompress(raw), 1))
    pieces.push_back(c), pieces.push_back({"IDAT", ""});
  pieces.push_back({"IEND", ""});
  EXPECT_EQ(test::ToRgb(test::LoadPngBytes(badText)), plain);
  EXPECT_EQ(test::ToRgb(test::LoadPngBytes(BuildPng(pieces))), plain);
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
      {"short_signature", good.substr(0, 5), "Invalid PNG header"},
      {"first_not_ihdr", BuildPng({{"gAMA", test::BE32(1)}}), "Invalid PNG data at line 0"},
      {"ihdr_length", BuildPng({{"IHDR", std::string(12, '\1')}}), "Invalid PNG data at line 0"},
      {"palette_depth_16", SimplePng(Ihdr(2, 2, 16, 3), GreyRows(4, 2, 5)),
       "Invalid PNG data at line 0"},
      {"rgb_depth_4", SimplePng(Ihdr(2, 2, 4, 2), GreyRows(3, 2, 5)), "Invalid PNG data at line 0"},
      {"ihdr_crc_checked_first", WithByte(good, 26, 1), "CRC error"},
      {"unknown_critical", SimplePng(Ihdr(2, 2, 8, 0), GreyRows(2, 2, 5), {{"ABCD", ""}}),
       "Unsupported PNG data"},
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
  EXPECT_EQ(lumarte::testing::LoadFailure(BadPngs()[GetParam()].file, "png"),
            BadPngs()[GetParam()].message);
}

INSTANTIATE_TEST_SUITE_P(All, PngBadFile, ::testing::Range<size_t>(0, BadPngs().size()),
                         [](const auto& info) { return BadPngs()[info.param].name; });

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

// ---- writing ----

// Kinds of images the writer meets.
enum TKind { kRgb, kAllGreyRgb, kGreyRamp, kPalette };

TRevedBitmap MakeImage(TKind kind, int32_t w, int32_t h) {
  TRevedBitmap b;
  b.New(w, h, kind == kRgb || kind == kAllGreyRgb ? pf24bit : pf8bit);
  uint32_t seed = static_cast<uint32_t>(w * 7919 + h);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = b.ScanLine(y);
    for (int32_t i = 0; i < b.BytesPerLine; ++i) {
      seed = seed * 1103515245u + 12345u;
      int smooth = (i / 3) * 2 + y * 3;  // gradients with a little noise
      row[i] = static_cast<uint8_t>(smooth + ((seed >> 16) % 5));
    }
    if (kind == kAllGreyRgb)
      for (int32_t x = 0; x < w; ++x) row[3 * x + 1] = row[3 * x + 2] = row[3 * x];
  }
  if (kind == kPalette) {
    for (int i = 0; i < 768; ++i) (*b.Palette)[i] = static_cast<uint8_t>(i * 13);
    for (int i = 600; i < 768; ++i) (*b.Palette)[i] = 0;  // black tail: trimmed
    for (int32_t i = 0; i < b.Size; ++i) b.Map[i] %= 200;
  }
  return b;
}

std::vector<std::string> ChunkTypes(const std::string& png) {
  std::vector<std::string> types;
  for (const auto& c : ChunksOf(png)) types.push_back(c.Type);
  return types;
}

// ---- round trips ----

struct TRoundTrip {
  TKind kind;
  int32_t w, h;
  int colorType;
};

class PngWriteRoundTrip : public ::testing::TestWithParam<TRoundTrip> {};

// Without transparency or gamma only the image's own chunks are written.
TEST_P(PngWriteRoundTrip, LibpngAndWeReadBackThePixels) {
  const auto& p = GetParam();
  TRevedBitmap b = MakeImage(p.kind, p.w, p.h);
  std::string png = test::SavePngBytes(b);
  EXPECT_EQ(static_cast<uint8_t>(ChunksOf(png)[0].Data[9]), p.colorType);
  EXPECT_EQ(ChunkTypes(png), p.colorType == 3
                                 ? (std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"})
                                 : (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  test::TRgbImage ref;
  std::string why;
  ASSERT_TRUE(test::LibpngDecode(png, ref, &why)) << why;
  EXPECT_TRUE(ref.Rgb == test::ToRgb(b));
  TRevedBitmap back = test::LoadPngBytes(png);
  ASSERT_EQ(back.PixelFormat, b.PixelFormat);
  EXPECT_TRUE(test::ToRgb(back) == test::ToRgb(b));
  EXPECT_EQ(std::string(back.Map.get(), back.Map.get() + back.Size),
            std::string(b.Map.get(), b.Map.get() + b.Size));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PngWriteRoundTrip,
    ::testing::Values(TRoundTrip{kRgb, 1, 1, 2}, TRoundTrip{kRgb, 5, 3, 2},
                      TRoundTrip{kRgb, 300, 201, 2}, TRoundTrip{kGreyRamp, 1, 7, 0},
                      TRoundTrip{kGreyRamp, 129, 64, 0}, TRoundTrip{kPalette, 2, 2, 3},
                      TRoundTrip{kPalette, 77, 50, 3}, TRoundTrip{kAllGreyRgb, 16, 16, 2}));

// ---- the file layout ----

TEST(PngWrite, ChunkSequenceWithOneIdatOfFixedCodes) {
  TPNGSaveOptions o;
  o.Transparent = true;
  o.TransparentColor = 5;
  o.Gamma = 0.5;
  std::string png = test::SavePngBytes(MakeImage(kPalette, 40, 30), o);
  std::vector<TChunk> c = ChunksOf(png);
  EXPECT_EQ(ChunkTypes(png),
            (std::vector<std::string>{"IHDR", "PLTE", "gAMA", "tRNS", "IDAT", "IEND"}));
  EXPECT_EQ(c[0].Data, test::BE32(40) + test::BE32(30) + Bytes({8, 3, 0, 0, 0}));
  EXPECT_EQ(c[2].Data, test::BE32(50000));
  const std::string& idat = c[4].Data;
  EXPECT_EQ(idat.substr(0, 2), "\x78\xDA");
  EXPECT_EQ((idat[2] >> 1) & 3, 1);  // the first block uses the fixed codes
}

TEST(PngWrite, PaletteEndsAtTheLastColourOrTheHighestIndexUsed) {
  TRevedBitmap b;
  b.New(3, 1, pf8bit);
  b.Palette->fill(0);
  for (int i = 0; i < 10; ++i) (*b.Palette)[3 * i + 2] = static_cast<uint8_t>(100 + i);
  b.Map[0] = 1, b.Map[1] = 2, b.Map[2] = 3;
  std::string plte = ChunksOf(test::SavePngBytes(b))[1].Data;
  ASSERT_EQ(plte.size(), 30u);
  EXPECT_EQ(plte.substr(27), Bytes({109, 0, 0}));  // red, green, blue of entry 9
  b.Map[2] = 20;  // a black entry beyond the last colour is still in use
  EXPECT_EQ(ChunksOf(test::SavePngBytes(b))[1].Data.size(), 63u);
}

struct TTransparencyForm {
  const char* name;
  TKind kind;
  uint32_t color;
  std::string trns;
};

class PngWriteTransparency : public ::testing::TestWithParam<TTransparencyForm> {};

TEST_P(PngWriteTransparency, WritesTheTrnsForm) {
  const auto& p = GetParam();
  TPNGSaveOptions o;
  o.Transparent = true;
  o.TransparentColor = p.color;
  std::string png = test::SavePngBytes(MakeImage(p.kind, 8, 8), o);
  std::string trns;
  for (const auto& c : ChunksOf(png))
    if (c.Type == "tRNS") trns = c.Data;
  EXPECT_EQ(trns, p.trns);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PngWriteTransparency,
    ::testing::Values(TTransparencyForm{"rgb", kRgb, 0x123456, Bytes({0, 0x56, 0, 0x34, 0, 0x12})},
                      TTransparencyForm{"grey", kGreyRamp, 0x000080, Bytes({0, 0x80})},
                      TTransparencyForm{"palette", kPalette, 3, Bytes({255, 255, 255, 0})}),
    [](const auto& info) { return std::string(info.param.name); });

// Each row is filtered in the five ways by the PNG standard's definitions and
// takes the one with the smallest sum of absolute signed bytes; ties go to
// Paeth, Average, Up, Sub, None in turn.
TEST(PngWrite, EachRowTakesTheFilterWithTheSmallestSignedSum) {
  TRevedBitmap b = MakeImage(kRgb, 50, 40);
  for (int32_t x = 0; x < 150; ++x) b.ScanLine(9)[x] = b.ScanLine(8)[x];  // a tie: Paeth wins
  std::string z = ChunksOf(test::SavePngBytes(b))[1].Data, raw(40 * 151, '\0');
  uLongf n = raw.size();
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &n,
                       reinterpret_cast<const Bytef*>(z.data()), z.size()),
            Z_OK);
  const std::vector<uint8_t> rgb = test::ToRgb(b);  // the samples, rows top first
  for (int y = 0; y < 40; ++y) {
    auto at = [&](int row, int i) { return row < 0 || i < 0 ? 0 : rgb[150 * row + i]; };
    std::string best;
    long bestScore = -1;
    for (int f : {4, 3, 2, 1, 0}) {
      std::string out(1, static_cast<char>(f));
      long score = 0;
      for (int i = 0; i < 150; ++i) {
        int a = at(y, i - 3), up = at(y - 1, i), c = at(y - 1, i - 3);
        int p = a + up - c, pa = std::abs(p - a), pb = std::abs(p - up), pc = std::abs(p - c);
        int pred[5] = {0, a, up, (a + up) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? up : c};
        out += static_cast<char>(at(y, i) - pred[f]);
        score += std::abs(static_cast<int8_t>(out.back()));
      }
      if (bestScore < 0 || score < bestScore) best = out, bestScore = score;
    }
    EXPECT_EQ(raw.substr(151 * y, 151), best) << "row " << y;
  }
  EXPECT_EQ(raw[151 * 9], 4);
}

// ---- streams, files and failures ----

// A filter stream cannot seek: the file is assembled in memory first.
TEST(PngWrite, UnseekableStreamGetsTheSameBytes) {
  TRevedBitmap b = MakeImage(kRgb, 20, 20);
  TMemoryStream sink;
  TCRC32Stream pipe(&sink);
  SavePNG(pipe, b, {});
  EXPECT_EQ(sink.Data, test::SavePngBytes(b));
}

TEST(PngWrite, EmptyBitmapIsRefused) {
  TRevedBitmap b;
  EXPECT_EQ(Message([&] { test::SavePngBytes(b); }), "Pixel format not supported yet");
}

// The codec saves with the options set on it, and not with the depth of the
// file it read before.
TEST(PngWrite, TheCodecSavesWithItsOptionsInEightBits) {
  std::string fourBit = test::SimplePng(test::Ihdr(2, 1, 4, 3), Bytes({0, 0x10}),
                                        {{"PLTE", Bytes({1, 2, 3, 4, 5, 6})}});
  TPNGLoader& codec = PNGLoader();
  test::LoadPngBytes(fourBit, &codec);
  ASSERT_EQ(codec.BitDepth, 4);
  codec.Transparent = true;
  TRevedBitmap b = MakeImage(kPalette, 6, 6);
  TMemoryStream refused, out;
  codec.TransparentColor = 256;
  EXPECT_EQ(Message([&] { b.SaveToStream(refused, "png"); }), "Invalid transparent color index");
  codec.TransparentColor = 2;
  b.SaveToStream(out, "png");
  codec.Transparent = false;
  codec.TransparentColor = kNoTransparentColor;
  std::vector<TChunk> c = ChunksOf(out.Data);
  EXPECT_EQ(c[0].Data[8], 8);
  EXPECT_EQ(c[2].Type + c[2].Data, "tRNS" + Bytes({255, 255, 0}));
}

}  // namespace
}  // namespace lumarte::imaging
