// Runs the PCX reader over the third-party corpus. The reader takes version-5
// run-length files of 8 bits per plane with one or three planes; every other
// variant must be refused cleanly.
#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/CorpusManifest.h"
#include "imaging/PngReference.h"
#include "imaging/RevedBitmap.h"

using namespace lumarte;
using namespace lumarte::imaging;
using lumarte::testing::CorpusEntries;
using lumarte::testing::TCorpusEntry;

namespace {

std::string NameOf(const ::testing::TestParamInfo<TCorpusEntry>& info) {
  return lumarte::testing::CorpusTestName(info.param);
}

bool InScope(const TCorpusEntry& e) {
  return e.Probe.rfind("v5 ", 0) == 0 && (e.Probe.find("8bit x 1 plane") != std::string::npos ||
                                          e.Probe.find("8bit x 3 plane") != std::string::npos);
}

std::string Load(const TCorpusEntry& e, TRevedBitmap& b) {
  try {
    b.LoadFromFile(e.FullPath());
    return "";
  } catch (const ELumarteBase& ex) {
    EXPECT_FALSE(b.Present) << "a failed load left pixels behind";
    return ex.what();
  }
}

// The rendering stored beside a file under the same name with ".png".
std::string ReferenceOf(const TCorpusEntry& e) {
  std::string p = e.FullPath();
  return p.substr(0, p.rfind('.')) + ".png";
}

void ExpectPixels(const TRevedBitmap& b, const lumarte::testing::TRgbImage& want) {
  ASSERT_EQ(b.Width, want.Width);
  ASSERT_EQ(b.Height, want.Height);
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x) {
      const uint8_t* p =
          b.PixelFormat == pf24bit ? b.ScanLine(y) + 3 * x : &(*b.Palette)[3 * b.ScanLine(y)[x]];
      const uint8_t* q = &want.Rgb[3 * (size_t(y) * want.Width + x)];
      ASSERT_TRUE(p[2] == q[0] && p[1] == q[1] && p[0] == q[2]) << "pixel " << x << "," << y;
    }
}

class PcxValid : public ::testing::TestWithParam<TCorpusEntry> {};
class PcxRefused : public ::testing::TestWithParam<TCorpusEntry> {};  // invalid, unsupported

TEST_P(PcxValid, DecodesOrRefusesOtherVariants) {
  const TCorpusEntry& e = GetParam();
  TRevedBitmap b;
  std::string error = Load(e, b);
  if (!InScope(e)) {
    EXPECT_EQ(error, "Unsupported file format");
    return;
  }
  ASSERT_EQ(error, "");
  int w, h;
  ASSERT_TRUE(e.ProbeSize(w, h));
  EXPECT_EQ(b.Width, w);
  EXPECT_EQ(b.Height, h);
  EXPECT_EQ(b.PixelFormat, e.Probe.find("x 3 plane") != std::string::npos ? pf24bit : pf8bit);
  lumarte::testing::TRgbImage want;
  if (std::filesystem::exists(ReferenceOf(e))) {
    ASSERT_TRUE(lumarte::testing::ReadPngReference(ReferenceOf(e), want));
    ExpectPixels(b, want);
  } else if (e.Path.find("_white.pcx") != std::string::npos) {  // named for its content
    want.Width = w, want.Height = h;
    want.Rgb.assign(size_t(3) * w * h, 255);
    ExpectPixels(b, want);
  }
}

TEST_P(PcxRefused, RaisesCleanError) {
  TRevedBitmap b;
  std::string error = Load(GetParam(), b);
  EXPECT_NE(error, "");
  if (GetParam().Expect == "unsupported") {
    EXPECT_EQ(error, "Unsupported file format");
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, PcxValid, ::testing::ValuesIn(CorpusEntries("pcx", {"valid"})),
                         NameOf);
INSTANTIATE_TEST_SUITE_P(Corpus, PcxRefused,
                         ::testing::ValuesIn(CorpusEntries("pcx", {"invalid", "unsupported"})),
                         NameOf);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PcxValid);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PcxRefused);

}  // namespace
