// Runs the BMP reader over every bitmap of the third-party corpus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "imaging/CorpusManifest.h"
#include "imaging/RevedBitmap.h"

using namespace lumarte;
using namespace lumarte::imaging;
using lumarte::testing::CorpusEntries;
using lumarte::testing::TCorpusEntry;

namespace {

std::string NameOf(const ::testing::TestParamInfo<TCorpusEntry>& info) {
  return lumarte::testing::CorpusTestName(info.param);
}

// Loads the file; returns the exception text, or "" on success. A failed
// load must leave the buffer empty.
std::string Load(const TCorpusEntry& e, TRevedBitmap& b) {
  try {
    b.LoadFromFile(e.FullPath());
    return "";
  } catch (const ELumarteBase& ex) {
    EXPECT_FALSE(b.Present) << "a failed load left pixels behind";
    EXPECT_NE(std::string(ex.what()), "");
    return ex.what();
  }
}

int ProbeBits(const std::string& probe) {
  auto p = probe.find("bpp");
  auto s = probe.rfind(' ', p);
  return std::atoi(probe.substr(s + 1, p - s - 1).c_str());
}

class BmpValid : public ::testing::TestWithParam<TCorpusEntry> {};
class BmpInvalid : public ::testing::TestWithParam<TCorpusEntry> {};
class BmpDamaged : public ::testing::TestWithParam<TCorpusEntry> {};
class BmpOdd : public ::testing::TestWithParam<TCorpusEntry> {};  // questionable, unsupported

TEST_P(BmpValid, DecodesWithHeaderSizeAndDepth) {
  TRevedBitmap b;
  ASSERT_EQ(Load(GetParam(), b), "");
  int w, h;
  ASSERT_TRUE(GetParam().ProbeSize(w, h));
  EXPECT_EQ(b.Width, w);
  EXPECT_EQ(b.Height, h);
  EXPECT_EQ(b.PixelFormat, ProbeBits(GetParam().Probe) <= 8 ? pf8bit : pf24bit);
}

TEST_P(BmpInvalid, RaisesCleanError) {
  TRevedBitmap b;
  EXPECT_NE(Load(GetParam(), b), "");
}

TEST_P(BmpDamaged, RaisesOrDecodes) {
  TRevedBitmap b;
  if (Load(GetParam(), b).empty()) {
    EXPECT_TRUE(b.Present);
  }
}

TEST_P(BmpOdd, NeverCrashes) {
  TRevedBitmap b;
  std::string error = Load(GetParam(), b);
  // Features we do not read are refused as such.
  if (GetParam().Expect == "unsupported") {
    EXPECT_EQ(error, "Unsupported bitmap format");
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, BmpValid, ::testing::ValuesIn(CorpusEntries("bmp", {"valid"})),
                         NameOf);
INSTANTIATE_TEST_SUITE_P(Corpus, BmpInvalid, ::testing::ValuesIn(CorpusEntries("bmp", {"invalid"})),
                         NameOf);
INSTANTIATE_TEST_SUITE_P(Corpus, BmpDamaged, ::testing::ValuesIn(CorpusEntries("bmp", {"damaged"})),
                         NameOf);
INSTANTIATE_TEST_SUITE_P(Corpus, BmpOdd,
                         ::testing::ValuesIn(CorpusEntries("bmp", {"questionable", "unsupported"})),
                         NameOf);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(BmpValid);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(BmpInvalid);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(BmpDamaged);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(BmpOdd);

// ---- pixels ----

// The suite draws one picture in many encodings: files of one family must
// decode to the same colours (16-bit ones within their 5-bit steps).
struct TSamePicture {
  const char* Reference;
  const char* Other;
  int Tolerance;
};

void Rgb(const TRevedBitmap& b, int x, int y, int c[3]) {
  const uint8_t* p =
      b.PixelFormat == pf24bit ? b.ScanLine(y) + 3 * x : &(*b.Palette)[3 * b.ScanLine(y)[x]];
  c[0] = p[2], c[1] = p[1], c[2] = p[0];
}

class BmpSamePicture : public ::testing::TestWithParam<TSamePicture> {};

TEST_P(BmpSamePicture, MatchesReference) {
  std::string dir = LUMARTE_CORPUS_DIR "/bmp/";
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << "no corpus";
  TRevedBitmap ref, other;
  ref.LoadFromFile(dir + GetParam().Reference);
  other.LoadFromFile(dir + GetParam().Other);
  ASSERT_EQ(ref.Width, other.Width);
  ASSERT_EQ(ref.Height, other.Height);
  int worst = 0;
  for (int y = 0; y < ref.Height; ++y)
    for (int x = 0; x < ref.Width; ++x) {
      int a[3], b[3];
      Rgb(ref, x, y, a);
      Rgb(other, x, y, b);
      for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(a[c] - b[c]));
    }
  EXPECT_LE(worst, GetParam().Tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Bmpsuite, BmpSamePicture,
    ::testing::Values(TSamePicture{"bmpsuite/g/pal8.bmp", "bmpsuite/g/pal8-0.bmp", 0},
                      TSamePicture{"bmpsuite/g/pal8.bmp", "bmpsuite/g/pal8os2.bmp", 0},
                      TSamePicture{"bmpsuite/g/pal8.bmp", "bmpsuite/g/pal8rle.bmp", 0},
                      TSamePicture{"bmpsuite/g/pal8.bmp", "bmpsuite/g/pal8topdown.bmp", 0},
                      TSamePicture{"bmpsuite/g/pal8.bmp", "bmpsuite/g/pal8v4.bmp", 0},
                      TSamePicture{"bmpsuite/g/pal8.bmp", "bmpsuite/g/pal8v5.bmp", 0},
                      TSamePicture{"bmpsuite/g/pal8.bmp", "bmpsuite/q/pal8os2sp.bmp", 0},
                      TSamePicture{"bmpsuite/g/pal8.bmp", "bmpsuite/q/pal8os2v2-16.bmp", 0},
                      TSamePicture{"bmpsuite/g/pal8.bmp", "bmpsuite/q/pal8offs.bmp", 0},
                      TSamePicture{"bmpsuite/g/pal4.bmp", "bmpsuite/g/pal4rle.bmp", 0},
                      TSamePicture{"bmpsuite/g/pal1.bmp", "bmpsuite/g/pal1wb.bmp", 0},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "bmpsuite/g/rgb24pal.bmp", 0},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "bmpsuite/g/rgb32.bmp", 0},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "bmpsuite/g/rgb32bf.bmp", 0},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "bmpsuite/g/rgb32bfdef.bmp", 0},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "bmpsuite/q/rgb32-xbgr.bmp", 0},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "bmpsuite/q/rgb32h52.bmp", 0},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "pillow/rgb32bf-abgr.bmp", 0},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "bmpsuite/g/rgb16.bmp", 4},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "bmpsuite/g/rgb16-565.bmp", 4},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "bmpsuite/g/rgb16bfdef.bmp", 4},
                      TSamePicture{"bmpsuite/g/rgb24.bmp", "bmpsuite/q/rgb32-111110.bmp", 1},
                      TSamePicture{"bmpsuite/q/rgba32-1.bmp", "bmpsuite/q/rgba32abf.bmp", 0},
                      TSamePicture{"bmpsuite/q/rgba32-1.bmp", "bmpsuite/q/rgba32-1010102.bmp", 0}));

// Single pixels the suite describes: black, and blue in 5-5-5 and 5-6-5.
TEST(BmpCorpus, DescribedSinglePixels) {
  std::string dir = LUMARTE_CORPUS_DIR "/bmp/bmptestsuite/valid/";
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << "no corpus";
  struct {
    const char* File;
    int R, G, B;
  } cases[] = {{"1bpp-1x1.bmp", 0, 0, 0}, {"555-1x1.bmp", 0, 0, 255}, {"565-1x1.bmp", 0, 0, 255}};
  for (auto& c : cases) {
    TRevedBitmap b;
    b.LoadFromFile(dir + c.File);
    int rgb[3];
    Rgb(b, 0, 0, rgb);
    EXPECT_EQ(rgb[0], c.R) << c.File;
    EXPECT_EQ(rgb[1], c.G) << c.File;
    EXPECT_EQ(rgb[2], c.B) << c.File;
  }
}

}  // namespace
