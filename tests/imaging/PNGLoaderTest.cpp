#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include <cmath>

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
  const TBadPng& c = BadPngs()[GetParam()];
  TMemoryStream in(c.file.data(), c.file.size());
  TRevedBitmap b;
  b.New(2, 2, pf24bit);
  EXPECT_EQ(Message([&] { b.LoadFromStream(in, "png"); }), c.message);
  EXPECT_FALSE(b.Present);
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

}  // namespace
}  // namespace lumarte::imaging
