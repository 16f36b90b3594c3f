// Every PNG of the third-party corpus through our decoder, driven by the
// corpus manifest: valid files must give libpng's pixels, invalid ones a
// clean exception, the rest either.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "LibpngPeer.h"
#include "PngTestUtil.h"
#include "imaging/CorpusManifest.h"

namespace lumarte::imaging {
namespace {

using lumarte::testing::CorpusEntries;
using lumarte::testing::TCorpusEntry;

std::string ReadCorpusFile(const TCorpusEntry& e) {
  std::ifstream in(e.FullPath(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string CaseName(const ::testing::TestParamInfo<TCorpusEntry>& info) {
  return lumarte::testing::CorpusTestName(info.param);
}

// libpng's samples as an ordinary display (exponent 2.2) shows them: the
// PNG standard's correction for a gAMA chunk, unless sRGB or iCCP is present.
void ApplyFileGamma(const std::string& file, std::vector<uint8_t>& rgb) {
  double g = 0;
  for (const auto& c : test::ChunksOf(file)) {
    if (c.Type == "sRGB" || c.Type == "iCCP") return;
    if (c.Type != "gAMA" || c.Data.size() != 4) continue;
    auto u = [&](int i) { return static_cast<uint8_t>(c.Data[i]); };
    g = (u(0) << 24 | u(1) << 16 | u(2) << 8 | u(3)) / 100000.0;
  }
  if (g <= 0) return;
  uint8_t table[256] = {};
  for (int i = 1; i < 256; ++i)
    table[i] = static_cast<uint8_t>(
        std::clamp(std::nearbyint(std::pow(i / 255.0, 1 / (g * 2.2)) * 255), 0.0, 255.0));
  for (auto& v : rgb) v = table[v];
}

class PngCorpusValid : public ::testing::TestWithParam<TCorpusEntry> {};

TEST_P(PngCorpusValid, DecodesToLibpngsPixels) {
  std::string file = ReadCorpusFile(GetParam());
  test::TRgbImage ref;
  std::string why;
  ASSERT_TRUE(test::LibpngDecode(file, ref, &why)) << why;
  ApplyFileGamma(file, ref.Rgb);
  TRevedBitmap b = test::LoadPngBytes(file);
  ASSERT_EQ(b.Width, static_cast<int32_t>(ref.Width));
  ASSERT_EQ(b.Height, static_cast<int32_t>(ref.Height));
  EXPECT_EQ(b.PixelFormat, ref.ColorType & 2 && ref.ColorType != 3 ? pf24bit : pf8bit);
  EXPECT_TRUE(test::ToRgb(b) == ref.Rgb);
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PngCorpusValid);
INSTANTIATE_TEST_SUITE_P(Corpus, PngCorpusValid, ::testing::ValuesIn(CorpusEntries("png", {"valid"})), CaseName);

class PngCorpusInvalid : public ::testing::TestWithParam<TCorpusEntry> {};

TEST_P(PngCorpusInvalid, RaisesACleanError) {
  EXPECT_THROW(test::LoadPngBytes(ReadCorpusFile(GetParam())), ELumarteBase);
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PngCorpusInvalid);
INSTANTIATE_TEST_SUITE_P(Corpus, PngCorpusInvalid, ::testing::ValuesIn(CorpusEntries("png", {"invalid"})),
                         CaseName);

class PngCorpusOther : public ::testing::TestWithParam<TCorpusEntry> {};

TEST_P(PngCorpusOther, DecodesOrRaisesACleanError) {
  try {
    TRevedBitmap b = test::LoadPngBytes(ReadCorpusFile(GetParam()));
    EXPECT_TRUE(b.Present);
  } catch (const ELumarteBase&) {
  }
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PngCorpusOther);
INSTANTIATE_TEST_SUITE_P(Corpus, PngCorpusOther, ::testing::ValuesIn(CorpusEntries("png", {"damaged", "questionable"})), CaseName);

}  // namespace
}  // namespace lumarte::imaging
