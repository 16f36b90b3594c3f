// Runs the metafile readers over the WMF and EMF files of the third-party corpus.
#include <gtest/gtest.h>

#include "imaging/Errors.h"
#include "imaging/metafile/MetafileRecords.h"
#include "support/MetafileCorpus.h"

using namespace lumarte;
using namespace lumarte::imaging;
using lumarte::testing::DamageIsHarmlessHere;
using lumarte::testing::MetafileSamples;
using lumarte::testing::TMetafileSample;

namespace {

class MetafileCorpusValid : public ::testing::TestWithParam<TMetafileSample> {};
class MetafileCorpusInvalid : public ::testing::TestWithParam<TMetafileSample> {};
class MetafileCorpusEmfPlus : public ::testing::TestWithParam<TMetafileSample> {};

TEST_P(MetafileCorpusValid, ReadsAtTheSizeItsHeaderGives) {
  if (GetParam().Path.empty()) GTEST_SKIP() << "corpus not present";
  TMetaPicture pic = ReadMetafileFile(GetParam().FullPath());
  double w, h;
  ASSERT_TRUE(GetParam().ExpectedSize(w, h)) << GetParam().Probe;
  EXPECT_NEAR(pic.Width, w, 1.5);
  EXPECT_NEAR(pic.Height, h, 1.5);
}

TEST_P(MetafileCorpusInvalid, RaisesFormatError) {
  if (GetParam().Path.empty()) GTEST_SKIP() << "corpus not present";
  if (DamageIsHarmlessHere(GetParam().Path)) {
    EXPECT_GT(ReadMetafileFile(GetParam().FullPath()).Width, 0);
    return;
  }
  try {
    ReadMetafileFile(GetParam().FullPath());
    ADD_FAILURE() << "read without complaint";
  } catch (const EFormatError& e) {
    EXPECT_NE(std::string(e.what()), "");
  }
}

// EMF+ records ride in comments, which are skipped: the EMF part is read.
TEST_P(MetafileCorpusEmfPlus, ReadsTheEmfPart) {
  if (GetParam().Path.empty()) GTEST_SKIP() << "corpus not present";
  EXPECT_GT(ReadMetafileFile(GetParam().FullPath()).Width, 0);
}

INSTANTIATE_TEST_SUITE_P(Corpus, MetafileCorpusValid,
                         ::testing::ValuesIn(MetafileSamples({"valid"})),
                         lumarte::testing::SampleName<::testing::TestParamInfo<TMetafileSample>>);
INSTANTIATE_TEST_SUITE_P(Corpus, MetafileCorpusInvalid,
                         ::testing::ValuesIn(MetafileSamples({"invalid", "damaged"})),
                         lumarte::testing::SampleName<::testing::TestParamInfo<TMetafileSample>>);
INSTANTIATE_TEST_SUITE_P(Corpus, MetafileCorpusEmfPlus,
                         ::testing::ValuesIn(MetafileSamples({"unsupported", "questionable"})),
                         lumarte::testing::SampleName<::testing::TestParamInfo<TMetafileSample>>);

}  // namespace
