// Thumbnail sizes, published copies and the collage raster.
#include "GalleryFixture.h"
#include "gallery/model/Collage.h"
#include "gallery/model/GalleryImages.h"
#include "gallery/model/ImageSizing.h"

namespace lumarte::gallery {
namespace {

TEST(Sizing, FollowsTheModesArithmetic) {
  const struct {
    int W, H;
    TSizingMode Mode;
    int ResampleW, ResampleH, FinalW, FinalH;
  } cases[] = {{200, 100, TSizingMode::Limit, 70, 35, 70, 35},
               {200, 100, TSizingMode::HardLimit, 140, 70, 70, 70},
               {200, 100, TSizingMode::Stretch, 70, 70, 70, 70},
               {200, 100, TSizingMode::Fit, 70, 35, 70, 35},
               {100, 100, TSizingMode::Fit, 35, 35, 35, 35},
               {50, 40, TSizingMode::Limit, 50, 40, 50, 40},
               // 140 · 70 / 5000 rounds to 0: the picture keeps one row.
               {5000, 1, TSizingMode::Limit, 70, 1, 70, 1},
               // 35.5 → 36 and 36.5 → 36: halves go to the even side.
               {140, 71, TSizingMode::Limit, 70, 36, 70, 36},
               {140, 73, TSizingMode::Limit, 70, 36, 70, 36}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.W << " x " << c.H << " mode " << static_cast<int>(c.Mode));
    const TThumbSize t = ThumbnailSize(c.W, c.H, 70, 70, c.Mode);
    EXPECT_EQ(t.ResampleWidth, c.ResampleW);
    EXPECT_EQ(t.ResampleHeight, c.ResampleH);
    EXPECT_EQ(t.Width, c.FinalW);
    EXPECT_EQ(t.Height, c.FinalH);
  }
}

using Images = GalleryTest;

TEST_F(Images, HardLimitThumbnailIsTheTopLeftOfTheCoveringResample) {
  Project.Settings.Sizing = TSizingMode::HardLimit;
  Project.Settings.ImageResize = true;
  Project.Settings.GreaterThan = 100;
  const std::string file = fixtures::WritePicture(Temp.File("src/wide.png"), 200, 100);
  ASSERT_TRUE(Project.AddImage(file, "wide.png"));
  Run();
  const editor::TBitmap thumb = DecodeSource(Temp.File("site/images/wide_th.jpg"));
  EXPECT_EQ(thumb.Width(), 70);
  EXPECT_EQ(thumb.Height(), 70);
  const editor::TBitmap published = DecodeSource(Temp.File("site/images/wide.jpg"));
  EXPECT_EQ(published.Width(), 100);
  EXPECT_EQ(published.Height(), 50);
  EXPECT_EQ(Project.Entries[0].ThumbName, "wide_th.jpg\" Width=\"70\" Height=\"70");
}

TEST(Collage, TablePartitioningCutsTheCanvasToTheUsedPart) {
  TGallerySettings s;
  TRandomGenerator random;
  TCollageComposer page(s, 0, 4, random);
  TCollageRect last;
  for (int i = 0; i < 4; ++i) last = page.Place(editor::TBitmap(70, 52));
  EXPECT_EQ(last.X1, 210);
  EXPECT_EQ(last.X2, 280);
  const editor::TBitmap canvas = page.Finish();
  EXPECT_EQ(canvas.Width(), 281);
  EXPECT_EQ(canvas.Height(), 53);
  EXPECT_EQ(canvas.Pixel(280, 52), editor::clBlack);
}

TEST(Collage, CirclePartitioningOnASmallGridPutsOneInTheCentreAndTheRestOnAnEllipse) {
  TGallerySettings s;
  s.Collage.Partitioning = TCollagePartitioning::Circle;
  TRandomGenerator random;
  TCollageComposer page(s, 0, 9, random);
  const TCollageRect centre = page.Place(editor::TBitmap(70, 70));
  EXPECT_EQ(centre.X1, 140);  // (350 - 70) / 2
  EXPECT_EQ(centre.Y1, 70);   // (210 - 70) / 2
  for (int j = 1; j < 9; ++j) {
    const TCollageRect r = page.Place(editor::TBitmap(70, 70));
    const double dx = (r.X1 - 140) / 140.0, dy = (r.Y1 - 70) / 70.0;
    EXPECT_NEAR(dx * dx + dy * dy, 1.0, 0.03) << j;
    // Eight images after the centre: a quarter turn every second one.
    if (j == 2) EXPECT_EQ(r.X1, 280);
    if (j == 4) EXPECT_EQ(r.Y1, 0);
  }
}

TEST_F(Images, CollageStyleWritesOnePicturePerPageWithAnImageMap) {
  Project.Settings.Style = TGalleryStyle::Collage;
  Project.Settings.Rows = 1;
  Project.Settings.Cols = 2;
  AddPictures(3, 70, 52);
  Run();
  const std::string page = Site("gallery.html");
  EXPECT_NE(page.find("<map name=\"LumarteThumbnailCreatorMap\">\r\n"
                      "<area shape=rect coords=\"70,0,140,52\" href=\"images/p1.jpg\"  >\r\n"
                      "<area shape=rect coords=\"0,0,70,52\" href=\"images/p0.jpg\"  >\r\n"
                      "\r\n</map>\r\n<img src=\"images/gallery.html1.jpg\" usemap=\"#LumarteThumbnailCreatorMap\" >"),
            std::string::npos);
  EXPECT_EQ(DecodeSource(Temp.File("site/images/gallery.html2.jpg")).Width(), 71);
}

}  // namespace
}  // namespace lumarte::gallery
