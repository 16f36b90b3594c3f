// Metafiles drawn with QPainter onto the working raster, rasters saved as
// metafiles and read back, and the ".wmf" and ".emf" branches of opening.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "editor/model/FileCommands.h"
#include "editor/model/ImageFiles.h"
#include "editor/model/MetafileAccess.h"
#include "platform/MetafileIO.h"
#include "platform/RasterImage.h"
#include "support/EffectRun.h"
#include "support/ErrorMessage.h"
#include "support/FakePrompts.h"
#include "support/MetafileBuilder.h"
#include "support/MetafileCorpus.h"
#include "support/QuietDocumentHost.h"
#include "support/TempFolder.h"
#include "support/TestCodec.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::platform;
using namespace lumarte::testing;

namespace {

namespace fs = std::filesystem;

TBitmap Load(const std::string& path) {
  TBitmap raster;
  LoadMetafile(path, raster);
  return raster;
}

// Mean absolute difference per channel between the raster and a reference
// rendering, both smoothed down to an eighth of the raster's size so that
// font shapes and half-pixel offsets count little and missing or misplaced
// shapes count much.
double MeanDifference(const TBitmap& raster, const QImage& reference) {
  int w = std::max(1, raster.Width() / 8), h = std::max(1, raster.Height() / 8);
  auto small = [&](const QImage& img) {
    return img.convertToFormat(QImage::Format_RGB32)
        .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  };
  QImage a = small(platform::ToQImage(raster)), b = small(reference);
  double sum = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  return sum / (3.0 * w * h);
}

}  // namespace

// ---- the corpus ----

class MetafileRenderCorpus : public ::testing::TestWithParam<TMetafileSample> {};

TEST_P(MetafileRenderCorpus, ValidFilesGiveARasterOfTheirSize) {
  if (GetParam().Path.empty()) GTEST_SKIP() << "corpus not present";
  TBitmap raster = Load(GetParam().FullPath());
  double w, h;
  ASSERT_TRUE(GetParam().ExpectedSize(w, h));
  EXPECT_NEAR(raster.Width(), w, 1.5);
  EXPECT_NEAR(raster.Height(), h, 1.5);
}

INSTANTIATE_TEST_SUITE_P(Corpus, MetafileRenderCorpus,
                         ::testing::ValuesIn(MetafileSamples({"valid", "unsupported"})),
                         lumarte::testing::SampleName<::testing::TestParamInfo<TMetafileSample>>);

struct TReferenceCase {
  const char* Name;
  const char* Metafile;
  const char* Reference;  // a rendering made with Windows
  double Bound;           // mean difference per channel allowed (fonts differ)
};

class MetafileRenderReference : public ::testing::TestWithParam<TReferenceCase> {};

TEST_P(MetafileRenderReference, LooksLikeTheWindowsRendering) {
  std::string corpus = LUMARTE_CORPUS_DIR;
  if (!fs::exists(corpus + "/" + GetParam().Metafile)) GTEST_SKIP() << "corpus not present";
  TBitmap raster = Load(corpus + "/" + GetParam().Metafile);
  QImage reference(QString::fromStdString(corpus + "/" + GetParam().Reference));
  ASSERT_FALSE(reference.isNull());
  double difference = MeanDifference(raster, reference);
  EXPECT_LT(difference, GetParam().Bound);
  // A blank raster must not pass: it is much further away.
  TBitmap blank(raster.Width(), raster.Height());
  EXPECT_GT(MeanDifference(blank, reference), difference * 2.5);
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, MetafileRenderReference,
    ::testing::Values(
        TReferenceCase{"FullTestWmf", "wmf/wmf2svg/fulltest.wmf", "wmf/wmf2svg/fulltest.png", 4},
        // The reference stops after the twelfth panel and leaves out the mask blit.
        TReferenceCase{"FullTestEmf", "emf/wmf2svg/fulltest.emf", "emf/wmf2svg/fulltest.png", 6},
        // (Pillow's WMF reference is drawn to fit the drawing's own extent, which
        // lies partly outside the file's box; it says nothing about the box.)
        TReferenceCase{"PillowEmf", "emf/pillow/drawing.emf", "emf/pillow/drawing_emf_ref.png", 5}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- saving and reading back ----

class MetafileSaveLoad : public ::testing::TestWithParam<std::tuple<const char*, int, int>> {};

TEST_P(MetafileSaveLoad, RasterComesBackPixelExact) {
  auto [ext, w, h] = GetParam();
  fixtures::TempFolder dir;
  std::string path = dir.File(std::string("picture.") + ext);
  TBitmap raster = fixtures::RandomImage(w, h, 12345);
  SaveMetafile(path, raster);
  TBitmap back = Load(path);
  EXPECT_EQ(back.Width(), w);
  EXPECT_EQ(back.Height(), h);
  EXPECT_TRUE(back == raster);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MetafileSaveLoad,
                         ::testing::Combine(::testing::Values("wmf", "EMF", "Wmf"),
                                            ::testing::Values(1, 2, 301),
                                            ::testing::Values(1, 7, 200)));

TEST(MetafileSave, OtherExtensionsAreRefused) {
  fixtures::TempFolder dir;
  EXPECT_EQ(Message([&] { SaveMetafile(dir.File("picture.png"), TBitmap(2, 2)); }),
            "Format not supported!");
  EXPECT_FALSE(fs::exists(dir.File("picture.png")));
}

// ---- what the painter makes of the commands ----

TEST(MetafileRender, ShapesClipsAndMixes) {
  fixtures::TempFolder dir;
  // A 64 x 64 pixel EMF (96 pixels per inch reference device).
  TEmfBuilder b({0, 0, 1692, 1692}, {0, 0, 63, 63});
  b.Add(39, {1, 0, 0x0000FF, 0})  // red brush
      .Add(38, {2, 5, 0, 0, 0})   // null pen
      .Add(37, {1})
      .Add(37, {2})
      .Add(43, {4, 4, 20, 20})               // red square
      .Add(33, {})                           // SaveDC
      .Add(30, {30, 30, 40, 40})             // clip
      .Add(43, {24, 24, 60, 60})             // drawn only inside the clip
      .Add(34, {static_cast<uint32_t>(-1)})  // RestoreDC
      .Add(20, {7})                          // R2_XORPEN
      .Add(43, {10, 10, 14, 14});            // red xor red: black
  TBitmap r = Load(dir.Write("shapes.emf", b.Finish()));
  ASSERT_EQ(r.Width(), 64);
  EXPECT_EQ(r.Pixel(5, 5), RGBColor(255, 0, 0));
  EXPECT_EQ(r.Pixel(19, 19), RGBColor(255, 0, 0));
  EXPECT_EQ(r.Pixel(20, 20), editor::clWhite);  // right and bottom edges stay out
  EXPECT_EQ(r.Pixel(35, 35), RGBColor(255, 0, 0));
  EXPECT_EQ(r.Pixel(45, 45), editor::clWhite);
  EXPECT_EQ(r.Pixel(12, 12), editor::clBlack);
}

TEST(MetafileRender, TextIsDrawnInItsColour) {
  fixtures::TempFolder dir;
  TEmfBuilder b({0, 0, 5290, 1057}, {0, 0, 199, 39});
  std::string text;
  for (uint32_t v : {0u, 0u, 0u, 0u, 1u, 0u, 0u, 10u, 5u, 4u, 76u, 0u, 0u, 0u, 0u, 0u, 0u})
    lumarte::testing::PutLE(text, v, 4);
  text += std::string("W\0W\0W\0W\0", 8);
  std::string font;
  for (uint32_t v : {1u, static_cast<uint32_t>(-24), 0u, 0u, 0u, 700u, 0u, 0u})
    lumarte::testing::PutLE(font, v, 4);
  b.AddBytes(82, font).Add(37, {1}).Add(24, {0xFF0000}).Add(18, {1}).AddBytes(84, text);
  TBitmap r = Load(dir.Write("text.emf", b.Finish()));
  int blue = 0, other = 0;
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width(); ++x) {
      TColor c = r.Pixel(x, y);
      if (c == RGBColor(0, 0, 255))
        ++blue;
      else if (c != editor::clWhite && editor::RedOf(c) >= editor::BlueOf(c))
        ++other;
    }
  EXPECT_GT(blue, 20);  // the letters
  EXPECT_EQ(other, 0);  // nothing but blue, its blends with white, and white
}

// ---- opening through the document list ----

class MetafileBranch : public ::testing::Test {
 protected:
  fixtures::TempFolder folder;
  fixtures::FakePrompts prompts;
  QuietHost host;
  editor::DocumentList docs{host};
  editor::TFileCommands files{docs, host, prompts};
  void SetUp() override {
    editor::InstallMetafileFunctions({&platform::LoadMetafile, &platform::SaveMetafile});
  }
  void TearDown() override { editor::InstallMetafileFunctions({}); }
};

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
  fixtures::WriteTestRaster(bad, TBitmap(2, 2));  // not a metafile at all
  EXPECT_TRUE(editor::IsValidImage(bad));          // metafiles are not read for the test
  EXPECT_THROW(files.OpenFiles({bad}), std::exception);
  EXPECT_FALSE(docs.Current().InUse);
}
