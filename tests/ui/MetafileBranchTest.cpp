// The ".wmf" and ".emf" branches with the platform's metafile renderer.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/model/FileCommands.h"
#include "editor/model/ImageFiles.h"
#include "editor/model/MetafileAccess.h"
#include "platform/MetafileIO.h"
#include "support/FakePrompts.h"
#include "support/QuietDocumentHost.h"
#include "support/TempFolder.h"
#include "support/TestCodec.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::fixtures;

namespace {

class MetafileBranch : public ::testing::Test {
 protected:
  TempFolder folder;
  FakePrompts prompts;
  QuietHost host;
  DocumentList docs{host};
  TFileCommands files{docs, host, prompts};
  void SetUp() override {
    InstallMetafileFunctions({&platform::LoadMetafile, &platform::SaveMetafile});
  }
  void TearDown() override { InstallMetafileFunctions({}); }
};

}  // namespace

TEST_F(MetafileBranch, SavedMetafilesOpenAsTheSameImage) {
  docs.NewImage(33, 21);
  *docs.Current().Bitmap = Pattern(33, 21, 40);
  docs.Current().Modified = true;
  for (const char* name : {"x.wmf", "x.EMF"}) {
    std::string path = folder.File(name);
    ASSERT_TRUE(SaveDocument(docs.Current(), path, prompts)) << name;
    EXPECT_EQ(docs.Current().FileName, path);
    EXPECT_FALSE(docs.Current().NeedsSaveAs);
    TLoadedImage back = ReadImageFile(path);
    EXPECT_EQ(*back.Raster, Pattern(33, 21, 40)) << name;
  }
}

TEST_F(MetafileBranch, CorpusMetafileOpensAsTheRendererDrawsIt) {
  std::string emf = std::string(LUMARTE_CORPUS_DIR) + "/emf/libemf2svg/test-022.emf";
  if (!std::filesystem::exists(emf)) GTEST_SKIP() << "no corpus";
  files.OpenFiles({emf});
  ASSERT_TRUE(docs.Current().InUse);
  TBitmap direct;
  platform::LoadMetafile(emf, direct);
  EXPECT_FALSE(direct.Empty());
  EXPECT_EQ(*docs.Current().Bitmap, direct);
  EXPECT_TRUE(prompts.Errors.empty());
}

TEST_F(MetafileBranch, BrokenMetafileRaisesAndChangesNothing) {
  std::string bad = folder.File("bad.wmf");
  WriteTestRaster(bad, Pattern(2, 2));  // not a metafile at all
  EXPECT_TRUE(IsValidImage(bad));       // metafiles are not read for the test
  EXPECT_THROW(files.OpenFiles({bad}), std::exception);
  EXPECT_FALSE(docs.Current().InUse);
}
