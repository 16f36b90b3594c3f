// JPEG through libjpeg-turbo: the codec's choices (quality 90, grey output,
// baseline), the JPEG object's settings, CMYK input, and broken data.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

// jpeglib.h needs FILE declared first.
#include <jpeglib.h>

#include "CodecTestUtil.h"
#include "imaging/JPEGImage.h"
#include "imaging/JPEGLoader.h"
#include "support/ErrorMessage.h"
#include "support/TempFolder.h"

using namespace lumarte::imaging;

namespace {

// A smooth colour picture with some detail.
TRevedBitmap Photo(int w, int h) {
  TRevedBitmap b;
  b.New(w, h, pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = b.ScanLine(y) + 3 * x;
      p[0] = static_cast<uint8_t>(x * 255 / std::max(w - 1, 1));
      p[1] = static_cast<uint8_t>(y * 255 / std::max(h - 1, 1));
      p[2] = static_cast<uint8_t>(128 + 100 * std::sin((x + y) / 9.0));
    }
  return b;
}

TRevedBitmap GreyRamp(int w, int h) {
  TRevedBitmap b;
  b.New(w, h, pf8bit);
  *b.Palette = DefaultPalette();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.ScanLine(y)[x] = static_cast<uint8_t>((x * 7 + y * 3) & 0xFF);
  return b;
}

double MeanError(const TRevedBitmap& a, const TRevedBitmap& b) {
  std::vector<uint8_t> x = lumarte::testing::ToRgb(a), y = lumarte::testing::ToRgb(b);
  EXPECT_EQ(x.size(), y.size());
  double sum = 0;
  for (size_t i = 0; i < std::min(x.size(), y.size()); ++i) sum += std::abs(x[i] - y[i]);
  return sum / std::max<size_t>(x.size(), 1);
}

// Facts read from the markers of JPEG data.
struct TMarkers {
  int Components = 0;
  bool Progressive = false;
  int FirstQuantValue = -1;  // first (DC) entry of the first quantisation table
};

TMarkers ReadMarkers(const std::string& d) {
  TMarkers m;
  for (size_t i = 2; i + 4 < d.size() && static_cast<uint8_t>(d[i]) == 0xFF;) {
    uint8_t code = static_cast<uint8_t>(d[i + 1]);
    size_t len = static_cast<uint8_t>(d[i + 2]) << 8 | static_cast<uint8_t>(d[i + 3]);
    if (code == 0xDB && m.FirstQuantValue < 0) m.FirstQuantValue = static_cast<uint8_t>(d[i + 5]);
    if (code == 0xC0 || code == 0xC2) {
      m.Progressive = code == 0xC2;
      m.Components = static_cast<uint8_t>(d[i + 9]);
    }
    if (code == 0xDA) break;
    i += 2 + len;
  }
  return m;
}

std::string SaveThroughCodec(TRevedBitmap& b) {
  TMemoryStream out;
  JPEGLoader().SaveToStream(out, "jpg", b);
  return out.Data;
}

TRevedBitmap LoadThroughCodec(const std::string& data, const char* ext = "JPG") {
  TMemoryStream in(data.data(), data.size());
  TRevedBitmap b;
  b.LoadFromStream(in, ext);
  return b;
}

TRevedBitmap Grey24() {
  TRevedBitmap b;
  b.New(8, 8, pf24bit);
  b.Clear(0x808080);
  return b;
}

// Index 240 of a palette from blue to red.
TRevedBitmap ColourPalette() {
  TRevedBitmap pal;
  pal.New(16, 16, pf8bit);
  for (int i = 0; i < 256; ++i) lumarte::testing::SetPaletteEntry(pal, i, (255 - i) | i << 16);
  std::memset(pal.Map.get(), 240, static_cast<size_t>(pal.Size));
  return pal;
}

struct TCodecCase {
  const char* Name;
  TRevedBitmap Picture;
  int Components;
  TPixelFormat Back;
};

class JPEGCodec : public ::testing::TestWithParam<TCodecCase> {};

// Baseline at quality 90 (the standard luminance DC step 16 scaled by 20 %
// gives 3); grey pictures, also 24-bit ones with blue = green = red, go out
// with one component and come back as 8-bit grey.
TEST_P(JPEGCodec, SavesBaselineAtQuality90AndReadsBack) {
  const TCodecCase& c = GetParam();
  TRevedBitmap picture = c.Picture;
  std::string data = SaveThroughCodec(picture);
  TMarkers m = ReadMarkers(data);
  EXPECT_FALSE(m.Progressive);
  EXPECT_EQ(m.FirstQuantValue, 3);
  EXPECT_EQ(m.Components, c.Components);
  TRevedBitmap back = LoadThroughCodec(data, "jpe");
  ASSERT_EQ(back.PixelFormat, c.Back);
  if (c.Back == pf8bit) EXPECT_EQ(*back.Palette, DefaultPalette());
  EXPECT_LT(MeanError(picture, back), 2.0);
}

INSTANTIATE_TEST_SUITE_P(Pictures, JPEGCodec,
                         ::testing::Values(TCodecCase{"Photo", Photo(64, 48), 3, pf24bit},
                                           TCodecCase{"Grey", GreyRamp(40, 30), 1, pf8bit},
                                           TCodecCase{"Grey24", Grey24(), 1, pf8bit},
                                           TCodecCase{"ColourPalette", ColourPalette(), 3,
                                                      pf24bit}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct TQualityCase {
  int Quality;
  int FirstQuantValue;
};
class JPEGQuality : public ::testing::TestWithParam<TQualityCase> {};

// Quality q scales the standard tables by 5000/q % (q < 50) or 200 - 2q %.
TEST_P(JPEGQuality, ScalesTheStandardTables) {
  TJPEGImage jpg;
  jpg.Assign(Photo(16, 16));
  jpg.CompressionQuality = GetParam().Quality;
  jpg.Compress();
  EXPECT_EQ(ReadMarkers(jpg.Data()).FirstQuantValue, GetParam().FirstQuantValue);
}

INSTANTIATE_TEST_SUITE_P(Values, JPEGQuality,
                         ::testing::Values(TQualityCase{0, 255}, TQualityCase{1, 255},
                                           TQualityCase{12, 67}, TQualityCase{50, 16},
                                           TQualityCase{75, 8}, TQualityCase{100, 1}));

TEST(JPEGImage, ProgressiveAndGrayscaleSettingsShapeTheData) {
  TJPEGImage jpg;
  jpg.Assign(Photo(33, 17));
  jpg.ProgressiveEncoding = true;
  jpg.Compress();
  EXPECT_TRUE(ReadMarkers(jpg.Data()).Progressive);
  jpg.Grayscale = true;
  jpg.Compress();
  EXPECT_EQ(ReadMarkers(jpg.Data()).Components, 1);
  TJPEGImage back;
  TMemoryStream in(jpg.Data().data(), jpg.Data().size());
  back.LoadFromStream(in);
  EXPECT_TRUE(back.IsGrayscaleData());
  EXPECT_EQ(back.Picture().PixelFormat, pf8bit);
  EXPECT_EQ(back.Width(), 33);
  // Loaded data are written back unchanged.
  TMemoryStream out;
  back.SaveToStream(out);
  EXPECT_EQ(out.Data, jpg.Data());
}

TEST(JPEGImage, AssignDropsOldDataAndSavingCompresses) {
  TJPEGImage jpg;
  jpg.Assign(Photo(8, 8));
  EXPECT_TRUE(jpg.Data().empty());
  lumarte::fixtures::TempFolder temp;
  auto path = temp.Path / "object.jpg";
  jpg.CompressionQuality = 50;
  jpg.SaveToFile(path.string());
  EXPECT_FALSE(jpg.Data().empty());
  TJPEGImage back;
  back.LoadFromFile(path.string());
  EXPECT_EQ(back.Data(), jpg.Data());
  EXPECT_EQ(back.Height(), 8);
}

// CMYK and YCCK data written directly with libjpeg, inverted as Adobe
// applications store it: solid red (ink C=0, M=255, Y=255, K=0) is stored as
// (255, 0, 0, 255).
std::string AdobeCMYK(J_COLOR_SPACE space) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &mem, &size);
  c.image_width = 16;
  c.image_height = 16;
  c.input_components = 4;
  c.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, space);
  jpeg_start_compress(&c, TRUE);
  uint8_t row[16 * 4];
  for (int x = 0; x < 16; ++x) std::memcpy(row + 4 * x, "\xFF\x00\x00\xFF", 4);
  while (c.next_scanline < 16) {
    JSAMPROW r = row;
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::string data(reinterpret_cast<char*>(mem), size);
  free(mem);
  return data;
}

class JPEGFourComponents : public ::testing::TestWithParam<J_COLOR_SPACE> {};

TEST_P(JPEGFourComponents, AreConvertedToRGB) {
  TRevedBitmap b = LoadThroughCodec(AdobeCMYK(GetParam()));
  ASSERT_EQ(b.PixelFormat, pf24bit);
  const uint8_t* p = b.ScanLine(7) + 3 * 7;
  EXPECT_NEAR(p[2], 255, 3);
  EXPECT_NEAR(p[1], 0, 3);
  EXPECT_NEAR(p[0], 0, 3);
}

INSTANTIATE_TEST_SUITE_P(Spaces, JPEGFourComponents, ::testing::Values(JCS_CMYK, JCS_YCCK));

TEST(JPEGBroken, FatalErrorsBecomeExceptionsWithLibjpegsText) {
  TRevedBitmap b;
  std::string png = "\x89PNG\r\n\x1A\n";
  auto bytes = reinterpret_cast<const uint8_t*>(png.data());
  EXPECT_EQ(Message([&] { DecodeJPEG(bytes, png.size(), b); }),
            "Not a JPEG file: starts with 0x89 0x50");
  EXPECT_FALSE(b.Present);
  EXPECT_THROW(DecodeJPEG(nullptr, 0, b), lumarte::EFormatError);
}

TEST(JPEGBroken, TruncatedDataGiveWhatIsThere) {
  TJPEGImage jpg;
  jpg.Assign(Photo(256, 256));
  jpg.Compress();
  std::string half = jpg.Data().substr(0, jpg.Data().size() * 3 / 4);
  TRevedBitmap b;
  TJPEGDecodeResult r = DecodeJPEG(reinterpret_cast<const uint8_t*>(half.data()), half.size(), b);
  EXPECT_GT(r.Warnings, 0);
  EXPECT_EQ(b.Width, 256);
  // The top rows survive unchanged.
  TRevedBitmap full;
  DecodeJPEG(reinterpret_cast<const uint8_t*>(jpg.Data().data()), jpg.Data().size(), full);
  EXPECT_EQ(0,
            std::memcmp(b.ScanLine(0), full.ScanLine(0), static_cast<size_t>(full.BytesPerLine)));
}

TEST(JPEGBroken, EveryCutOfAFileDecodesOrFailsCleanly) {
  TJPEGImage jpg;
  jpg.Assign(Photo(24, 24));
  jpg.ProgressiveEncoding = true;
  jpg.Compress();
  const std::string& d = jpg.Data();
  for (size_t n = 0; n < d.size(); n += 7) {
    TRevedBitmap b;
    try {
      DecodeJPEG(reinterpret_cast<const uint8_t*>(d.data()), n, b);
      EXPECT_EQ(b.Width, 24);
    } catch (const lumarte::EFormatError&) {
      EXPECT_FALSE(b.Present);
    }
  }
}

TEST(JPEGBroken, PicturesAboveThePixelLimitAreRefusedBeforeDecoding) {
  TJPEGImage jpg;
  jpg.Assign(Photo(100, 100));
  jpg.Compress();
  TJPEGImage small;
  small.MaxPixels = 9999;
  TMemoryStream in(jpg.Data().data(), jpg.Data().size());
  EXPECT_EQ(Message([&] { small.LoadFromStream(in); }), "JPEG image too large");
}

}  // namespace
