// The third-party JPEG corpus through the registered codec.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "imaging/CorpusManifest.h"
#include "imaging/FileUtils.h"
#include "imaging/JPEGLoader.h"

using namespace lumarte::imaging;
using lumarte::testing::TCorpusEntry;

namespace {

std::string TestName(const ::testing::TestParamInfo<TCorpusEntry>& info) {
  return lumarte::testing::CorpusTestName(info.param);
}

struct TProbe {
  int Width = 0, Height = 0, Components = 0;
};

TProbe ReadProbe(const std::string& probe) {
  std::smatch m;
  TProbe p;
  if (std::regex_search(probe, m, std::regex(R"((\d+)x(\d+) (\d)comp)"))) {
    p.Width = std::stoi(m[1]);
    p.Height = std::stoi(m[2]);
    p.Components = std::stoi(m[3]);
  }
  return p;
}

class JPEGCorpusValid : public ::testing::TestWithParam<TCorpusEntry> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(JPEGCorpusValid);

TEST_P(JPEGCorpusValid, DecodesToTheProbedSizeAndKind) {
  const TCorpusEntry& e = GetParam();
  TProbe probe = ReadProbe(e.Probe);
  TRevedBitmap pic;
  pic.LoadFromFile(e.FullPath());
  EXPECT_EQ(pic.Width, probe.Width);
  EXPECT_EQ(pic.Height, probe.Height);
  EXPECT_EQ(pic.PixelFormat, probe.Components == 1 ? pf8bit : pf24bit);
  if (e.Note.find("solid red") != std::string::npos) {
    const uint8_t* p = pic.ScanLine(pic.Height / 2) + 3 * (pic.Width / 2);
    EXPECT_GT(p[2], 200);
    EXPECT_LT(p[1], 60);
    EXPECT_LT(p[0], 60);
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, JPEGCorpusValid,
                         ::testing::ValuesIn(lumarte::testing::CorpusEntries("jpeg", {"valid"})),
                         TestName);

class JPEGCorpusInvalid : public ::testing::TestWithParam<TCorpusEntry> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(JPEGCorpusInvalid);

TEST_P(JPEGCorpusInvalid, RaisesACleanException) {
  TRevedBitmap pic;
  EXPECT_THROW(pic.LoadFromFile(GetParam().FullPath()), lumarte::ELumarteBase);
  EXPECT_FALSE(pic.Present);
}

INSTANTIATE_TEST_SUITE_P(Corpus, JPEGCorpusInvalid,
                         ::testing::ValuesIn(lumarte::testing::CorpusEntries("jpeg", {"invalid"})),
                         TestName);

class JPEGCorpusOther : public ::testing::TestWithParam<TCorpusEntry> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(JPEGCorpusOther);

// Damaged, questionable and optional-feature files: a picture of the probed
// size (when the manifest knows it) or a clean exception that leaves nothing.
TEST_P(JPEGCorpusOther, DecodesOrFailsCleanly) {
  TProbe probe = ReadProbe(GetParam().Probe);
  TRevedBitmap pic;
  try {
    pic.LoadFromFile(GetParam().FullPath());
    if (probe.Width) {
      EXPECT_EQ(pic.Width, probe.Width);
    }
    EXPECT_GT(pic.Size, 0);
  } catch (const lumarte::ELumarteBase& e) {
    EXPECT_FALSE(pic.Present);
    EXPECT_STRNE(e.what(), "");
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, JPEGCorpusOther,
                         ::testing::ValuesIn(lumarte::testing::CorpusEntries(
                             "jpeg", {"damaged", "questionable", "unsupported"})),
                         TestName);

TEST(JPEGCorpus, ManifestListsTheJpegFolder) {
  if (!std::filesystem::exists(LUMARTE_CORPUS_DIR "/jpeg")) GTEST_SKIP() << "no corpus";
  EXPECT_GT(lumarte::testing::CorpusEntries("jpeg", {"valid"}).size(), 20u);
}

}  // namespace
