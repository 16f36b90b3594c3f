// The open and save branches with the real codecs: what each format's
// dialog answer writes, what the document records, and what reads back.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/model/DocumentCodecs.h"
#include "editor/model/FileCommands.h"
#include "editor/model/ImageFiles.h"
#include "editor/model/RasterConversion.h"
#include "imaging/GIFLoader.h"
#include "imaging/ImageDLLLoader.h"
#include "imaging/PNGLoader.h"
#include "support/FakePrompts.h"
#include "support/QuietDocumentHost.h"
#include "support/TempFolder.h"
#include "support/TestCodec.h"

using namespace lumarte;
using namespace lumarte::editor;
using namespace lumarte::fixtures;

namespace {

class FormatBranches : public ::testing::Test {
 protected:
  TempFolder folder;
  FakePrompts prompts;
  QuietHost host;
  DocumentList docs{host};
  TFileCommands files{docs, host, prompts};

  // A fresh document holding a picture of 48 colours (GIF keeps it exact).
  TBM& Document(int w = 21, int h = 13) {
    docs.NewImage(w, h);
    TBitmap& b = *docs.Current().Bitmap;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        b.SetPixel(x, y,
                   RGBColor(static_cast<uint8_t>(x % 4 * 60), static_cast<uint8_t>(y % 4 * 60),
                            static_cast<uint8_t>((x + y) % 3 * 100)));
    docs.Current().Modified = true;
    return docs.Current();
  }
  TBitmap Reread(const std::string& name) { return *ReadImageFile(name).Raster; }
};

}  // namespace

TEST_F(FormatBranches, BitmapEachDepthWritesWhatThePreviewShows) {
  TBM& d = Document();
  for (int bits : {24, 8, 4, 1}) {
    std::string name = folder.File("b" + std::to_string(bits) + ".bmp");
    prompts.BitmapDepthAnswers.push_back(bits);
    ASSERT_TRUE(SaveDocument(d, name, prompts));
    EXPECT_EQ(Reread(name), ReducedToDepth(*d.Bitmap, bits)) << bits;
    EXPECT_EQ(d.FileName, name);
    EXPECT_FALSE(d.Modified);
    EXPECT_FALSE(d.NeedsSaveAs);
    d.Modified = true;
  }
  // Cancel in the dialog still writes the raster as it is.
  prompts.BitmapDepthAnswers.push_back(std::nullopt);
  ASSERT_TRUE(SaveDocument(d, folder.File("cancel.bmp"), prompts));
  EXPECT_EQ(Reread(folder.File("cancel.bmp")), *d.Bitmap);
}

TEST_F(FormatBranches, PngTransparencyChoices) {
  TBM& d = Document();
  const TColor current = RGBColor(60, 60, 200);  // pixel (1, 1)
  struct {
    TPngTransparency Choice;
    bool Transparent;
    TColor Color;
  } cases[] = {
      {TPngTransparency::NotTransparent, false, clInvalid},
      {TPngTransparency::CurrentColor, true, current},
  };
  TSaveContext context;
  context.CurrentTransparentColor = current;
  for (const auto& c : cases) {
    std::string name = folder.File("p" + std::to_string(int(c.Choice)) + ".png");
    prompts.PngAnswers.push_back(c.Choice);
    d.JpegQuality = 70;
    ASSERT_TRUE(SaveDocument(d, name, prompts, context));
    EXPECT_EQ(d.JpegQuality, -1);
    EXPECT_FALSE(d.Modified);
    TLoadedImage back = ReadImageFile(name);
    EXPECT_EQ(*back.Raster, *d.Bitmap);
    EXPECT_EQ(back.HasTransparency, c.Transparent);
    EXPECT_EQ(static_cast<TColor>(back.TransparentColor), c.Color);
    d.Modified = true;
  }
  EXPECT_EQ(prompts.LastPngQuestion.CurrentColor, current);
  EXPECT_EQ(prompts.LastPngQuestion.DocumentColor, d.Bitmap->TransparentColor());
}

TEST_F(FormatBranches, PngOriginalOptionsKeepTheDocumentsTransparency) {
  TBM& d = Document();
  d.HasTransparency = true;
  d.TransparentColor = static_cast<int32_t>(RGBColor(120, 120, 100));  // pixel (2, 2)
  prompts.PngAnswers.push_back(TPngTransparency::Original);
  ASSERT_TRUE(SaveDocument(d, folder.File("o.png"), prompts));
  TLoadedImage back = ReadImageFile(folder.File("o.png"));
  EXPECT_TRUE(back.HasTransparency);
  EXPECT_EQ(back.TransparentColor, d.TransparentColor);
  EXPECT_TRUE(prompts.LastPngQuestion.DocumentTransparent);
}

TEST_F(FormatBranches, GifKeepsTheDocumentModifiedAndItsName) {
  TBM& d = Document();
  d.FileName = folder.File("original.png");
  d.NeedsSaveAs = false;
  ASSERT_TRUE(SaveDocument(d, folder.File("x.gif"), prompts));
  EXPECT_TRUE(d.Modified);
  EXPECT_EQ(d.FileName, folder.File("original.png"));
  EXPECT_FALSE(d.NeedsSaveAs);
  TLoadedImage back = ReadImageFile(folder.File("x.gif"));
  EXPECT_EQ(*back.Raster, *d.Bitmap);  // few colours: exact
  EXPECT_FALSE(back.HasTransparency);
  EXPECT_TRUE(prompts.Asked.empty());  // GIF has no options dialog
}

TEST_F(FormatBranches, GifOfManyColoursIsReducedNotRefused) {
  TBM& d = Document(64, 64);
  *d.Bitmap = Pattern(64, 64, 5);  // 4096 colours
  ASSERT_TRUE(SaveDocument(d, folder.File("many.gif"), prompts));
  EXPECT_EQ(Reread(folder.File("many.gif")), ReducedToDepth(*d.Bitmap, 8));
}

TEST_F(FormatBranches, OpenedGifAndPngBringTheirTransparency) {
  imaging::TRevedBitmap picture;
  AssignFromRaster(picture, *Document().Bitmap);
  const TColor red = docs.Current().Bitmap->Pixel(0, 1);
  ASSERT_TRUE(imaging::SaveGIF(folder.File("t.gif"), picture, false, true, red));
  imaging::TPNGSaveOptions options;
  options.Transparent = true;
  options.TransparentColor = red;
  imaging::SavePNGFile(folder.File("t.png"), picture, options);
  for (const char* name : {"t.gif", "t.png"}) {
    files.OpenFiles({folder.File(name)});
    EXPECT_TRUE(docs.Current().HasTransparency) << name;
    EXPECT_EQ(static_cast<TColor>(docs.Current().TransparentColor), red) << name;
    EXPECT_EQ(docs.Current().JpegQuality, -1) << name;
  }
}

TEST_F(FormatBranches, JpegRecordsTheDialogsChoiceAndOpensAtSeventy) {
  TBM& d = Document(40, 30);
  prompts.JpegAnswers.push_back(TJpegSaveChoice{33, false});
  std::string name = folder.File("photo.JpEg");
  ASSERT_TRUE(SaveDocument(d, name, prompts));
  EXPECT_EQ(d.JpegQuality, 33);
  EXPECT_FALSE(d.JpegProgressive);
  EXPECT_FALSE(d.Modified);
  EXPECT_EQ(d.FileName, name);
  TJpegPreview expected = MakeJpegPreview(*d.Bitmap, 33, false);
  EXPECT_EQ(static_cast<int64_t>(std::filesystem::file_size(name)), expected.FileSize);

  files.OpenFiles({name});
  EXPECT_EQ(docs.Current().JpegQuality, 70);
  EXPECT_TRUE(docs.Current().JpegProgressive);
  EXPECT_EQ(*docs.Current().Bitmap, expected.Decoded);
}

TEST_F(FormatBranches, JpegPreviewSizeFollowsQualityAndProgressive) {
  TBitmap photo = Pattern(96, 64, 3);
  auto low = MakeJpegPreview(photo, 12, false);
  auto high = MakeJpegPreview(photo, 95, false);
  auto progressive = MakeJpegPreview(photo, 95, true);
  EXPECT_LT(low.FileSize, high.FileSize);
  EXPECT_NE(progressive.FileSize, high.FileSize);
  EXPECT_EQ(low.Decoded.Width(), 96);
  // Quality 0 is passed on and counts as 1.
  EXPECT_EQ(MakeJpegPreview(photo, 0, false).FileSize, MakeJpegPreview(photo, 1, false).FileSize);
}

TEST_F(FormatBranches, JpcIsWrittenAsJp2) {
  static bool scanned = imaging::ImageDLLLoader().ScanFolder(LUMARTE_BINARY_DIR);
  if (!scanned || !imaging::ImageDLLLoader().CanSave("JP2"))
    GTEST_SKIP() << "the JPEG 2000 plug-in was not built";
  TBM& d = Document();
  d.FileName = "before";
  imaging::ImageDLLLoader().Options.clear();  // lossless
  ASSERT_TRUE(SaveDocument(d, folder.File("x.jpc"), prompts));
  EXPECT_FALSE(std::filesystem::exists(folder.File("x.jpc")));
  ASSERT_TRUE(std::filesystem::exists(folder.File("x.jp2")));
  EXPECT_EQ(d.FileName, folder.File("x.jp2"));
  EXPECT_TRUE(d.Modified);  // the JPEG 2000 branch leaves these alone
  EXPECT_TRUE(d.NeedsSaveAs);
  TLoadedImage back = ReadImageFile(folder.File("x.jp2"));
  EXPECT_TRUE(back.IsJpeg2000);
  EXPECT_EQ(*back.Raster, *d.Bitmap);
}

TEST_F(FormatBranches, FailedSaveKeepsTheOldFile) {
  TBM& d = Document();
  for (const char* name : {"keep.bmp", "keep.png", "keep.jpg"}) {
    std::string path = folder.File(name);
    ASSERT_TRUE(SaveDocument(d, path, prompts));
    auto before = std::filesystem::file_size(path);
    TBitmap kept = *d.Bitmap;
    *d.Bitmap = TBitmap();  // nothing to write: the writer refuses
    d.FileName = "unchanged";
    EXPECT_THROW(SaveDocument(d, path, prompts), std::exception) << name;
    EXPECT_EQ(std::filesystem::file_size(path), before) << name;
    EXPECT_EQ(d.FileName, "unchanged") << name;
    *d.Bitmap = kept;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path),
                          std::filesystem::directory_iterator()),
            3);  // no temporary files left behind
}
