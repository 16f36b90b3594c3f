// The third-party icon and cursor files through the codec, grouped by what
// the corpus index expects of them.
#include <gtest/gtest.h>

#include "IconTestUtil.h"
#include "imaging/CorpusManifest.h"
#include "imaging/ICOLoader.h"

using namespace lumarte;
using namespace lumarte::imaging;
using namespace lumarte::testing;

namespace {

TRevedBitmap LoadCorpusFile(const TCorpusEntry& row) {
  TICOLoader codec;
  codec.LoadFirst = true;
  TFileStream in(row.FullPath(), fmRead | fmShareRead);
  TRevedBitmap bmp;
  codec.LoadFromStream(in, "ico", bmp);
  return bmp;
}

// The first image of these files is PNG-compressed.
bool FirstImageIsPng(const TCorpusEntry& row) {
  size_t colon = row.Probe.find(':');
  size_t comma = row.Probe.find(',');
  return colon != std::string::npos &&
         row.Probe.substr(colon, comma - colon).find("/png") != std::string::npos;
}

std::string RowName(const ::testing::TestParamInfo<TCorpusEntry>& info) {
  return CorpusTestName(info.param);
}

class ICOCorpusValid : public ::testing::TestWithParam<TCorpusEntry> {};

TEST_P(ICOCorpusValid, DecodesTheFirstImage) {
  const auto& row = GetParam();
  if (FirstImageIsPng(row) && !HasPngCodec()) GTEST_SKIP() << "no PNG codec registered";
  int w = 0, h = 0;
  ASSERT_TRUE(row.ProbeSize(w, h)) << row.Probe;
  TRevedBitmap bmp = LoadCorpusFile(row);
  EXPECT_EQ(bmp.PixelFormat, pf24bit);
  EXPECT_EQ(bmp.Width, w);
  EXPECT_EQ(bmp.Height, h);
}

INSTANTIATE_TEST_SUITE_P(Corpus, ICOCorpusValid,
                         ::testing::ValuesIn(CorpusEntries("ico", {"valid"})), RowName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ICOCorpusValid);

class ICOCorpusInvalid : public ::testing::TestWithParam<TCorpusEntry> {};

TEST_P(ICOCorpusInvalid, RaisesAClearError) {
  EXPECT_THROW(LoadCorpusFile(GetParam()), ELumarteBase);
}

INSTANTIATE_TEST_SUITE_P(Corpus, ICOCorpusInvalid,
                         ::testing::ValuesIn(CorpusEntries("ico", {"invalid"})), RowName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ICOCorpusInvalid);

// Damaged and disputed files: an image or a clean error, nothing else.
class ICOCorpusOther : public ::testing::TestWithParam<TCorpusEntry> {};

TEST_P(ICOCorpusOther, DecodesOrRaisesCleanly) {
  try {
    TRevedBitmap bmp = LoadCorpusFile(GetParam());
    EXPECT_TRUE(bmp.Present);
  } catch (const ELumarteBase&) {
  }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, ICOCorpusOther,
    ::testing::ValuesIn(CorpusEntries("ico", {"damaged", "questionable", "unsupported"})), RowName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ICOCorpusOther);

}  // namespace
