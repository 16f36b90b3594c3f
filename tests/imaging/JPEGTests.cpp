// JPEG through libjpeg-turbo: the codec's choices (quality 90, grey output,
// baseline), the JPEG object's settings, CMYK input, and broken data.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "CodecTestUtil.h"
#include "PngTestUtil.h"
#include "imaging/JPEGImage.h"

using namespace lumarte::imaging;
using lumarte::testing::Picture24;
using lumarte::testing::ReadFileBytes;
using lumarte::testing::ToRgb;

namespace {

// A smooth colour picture with some detail.
TRevedBitmap Photo(int w, int h) {
  return Picture24(w, h, [&](int x, int y) {
    uint32_t blue = x * 255 / std::max(w - 1, 1), green = y * 255 / std::max(h - 1, 1);
    return uint32_t(128 + 100 * std::sin((x + y) / 9.0)) | green << 8 | blue << 16;
  });
}

TRevedBitmap GreyRamp(int w, int h) {
  TRevedBitmap b;
  b.New(w, h, pf8bit);
  *b.Palette = DefaultPalette();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.ScanLine(y)[x] = static_cast<uint8_t>((x * 7 + y * 3) & 0xFF);
  return b;
}

double MeanError(const std::vector<uint8_t>& x, const std::vector<uint8_t>& y) {
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
  std::string data = lumarte::testing::SaveBytes(picture, "jpg");
  TMarkers m = ReadMarkers(data);
  EXPECT_FALSE(m.Progressive);
  EXPECT_EQ(m.FirstQuantValue, 3);
  EXPECT_EQ(m.Components, c.Components);
  TRevedBitmap back = lumarte::testing::LoadBytes(data, "jpe");
  ASSERT_EQ(back.PixelFormat, c.Back);
  if (c.Back == pf8bit) EXPECT_EQ(*back.Palette, DefaultPalette());
  EXPECT_LT(MeanError(ToRgb(picture), ToRgb(back)), 2.0);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, JPEGCodec,
    ::testing::Values(TCodecCase{"Photo", Photo(64, 48), 3, pf24bit},
                      TCodecCase{"Grey", GreyRamp(40, 30), 1, pf8bit},
                      TCodecCase{"Grey24", Picture24(8, 8, [](int, int) { return 0x808080u; }), 1,
                                 pf8bit},
                      TCodecCase{"ColourPalette", ColourPalette(), 3, pf24bit}),
    [](const auto& info) { return std::string(info.param.Name); });

// Quality q scales the standard tables by 5000/q % (q < 50) or 200 - 2q %.
TEST(JPEGImage, QualityScalesTheStandardTables) {
  TJPEGImage jpg;
  jpg.Assign(Photo(16, 16));
  const std::pair<int, int> cases[] = {{0, 255}, {1, 255}, {12, 67}, {50, 16}, {75, 8}, {100, 1}};
  for (auto [quality, dcStep] : cases) {
    jpg.CompressionQuality = quality;
    jpg.Compress();
    EXPECT_EQ(ReadMarkers(jpg.Data()).FirstQuantValue, dcStep) << quality;
  }
}

// Saving compresses what Assign left uncompressed, with the object's
// settings; loaded data are written back unchanged.
TEST(JPEGImage, ProgressiveAndGrayscaleSettingsShapeTheSavedData) {
  TJPEGImage jpg;
  jpg.Assign(Photo(33, 17));
  EXPECT_TRUE(jpg.Data().empty());
  jpg.ProgressiveEncoding = true;
  jpg.Grayscale = true;
  lumarte::fixtures::TempFolder temp;
  jpg.SaveToFile(temp.File("object.jpg"));
  TMarkers m = ReadMarkers(jpg.Data());
  EXPECT_TRUE(m.Progressive);
  EXPECT_EQ(m.Components, 1);
  TJPEGImage back;
  back.LoadFromFile(temp.File("object.jpg"));
  EXPECT_TRUE(back.IsGrayscaleData());
  EXPECT_EQ(back.Picture().PixelFormat, pf8bit);
  EXPECT_EQ(back.Width(), 33);
  TMemoryStream out;
  back.SaveToStream(out);
  EXPECT_EQ(out.Data, jpg.Data());
}

// Adobe CMYK (stored inverted) against the reference rendering beside it;
// the corpus suite checks YCCK's solid red.
TEST(JPEGFourComponents, AdobeCMYKIsConvertedToRGB) {
  const std::string file = LUMARTE_CORPUS_DIR "/jpeg/jpeg-decoder/reftest/mozilla/jpg-cmyk-1";
  if (!std::filesystem::exists(file + ".jpg")) GTEST_SKIP() << "no corpus";
  lumarte::imaging::test::TRgbImage ref;
  ASSERT_TRUE(lumarte::imaging::test::LibpngDecode(ReadFileBytes(file + ".png"), ref));
  TRevedBitmap b = lumarte::testing::LoadBytes(ReadFileBytes(file + ".jpg"), "JPG");
  ASSERT_EQ(b.PixelFormat, pf24bit);
  EXPECT_LT(MeanError(ToRgb(b), ref.Rgb), 3.0);
}

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
