#include <gtest/gtest.h>

#include "editor/model/ImageFormats.h"

using namespace lumarte::editor;

namespace {

struct NameCase {
  const char* Name;
  TImageFormat Format;
  bool Browsable;
  bool Saveable;
};

class FormatOfName : public ::testing::TestWithParam<NameCase> {};

}  // namespace

TEST_P(FormatOfName, DecidedByTheEndOfThePathWithoutCase) {
  const NameCase& c = GetParam();
  EXPECT_EQ(FormatOfFileName(c.Name), c.Format) << c.Name;
  EXPECT_EQ(IsImageFileName(c.Name), c.Format != TImageFormat::Other) << c.Name;
  EXPECT_EQ(IsBrowsableFileName(c.Name), c.Browsable) << c.Name;
  EXPECT_EQ(HasSaveExtension(c.Name), c.Saveable) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, FormatOfName,
    ::testing::Values(NameCase{"photo.JpEg", TImageFormat::Jpeg, true, true},
                      NameCase{"/a/b/photo.jpg", TImageFormat::Jpeg, true, true},
                      NameCase{"x.jpc", TImageFormat::Jpeg2000, true, true},
                      NameCase{"x.JP2", TImageFormat::Jpeg2000, true, true},
                      NameCase{"a.b.Png", TImageFormat::Png, true, true},
                      NameCase{"anim.GIF", TImageFormat::Gif, true, true},
                      NameCase{"draw.wmf", TImageFormat::Wmf, true, true},
                      NameCase{"draw.EMF", TImageFormat::Emf, true, true},
                      NameCase{"icon.ico", TImageFormat::Ico, false, false},
                      NameCase{"old.bmp", TImageFormat::Bmp, true, true},
                      NameCase{"picture.tif", TImageFormat::Other, false, false},
                      NameCase{"photo.jpg.txt", TImageFormat::Other, false, false},
                      NameCase{"folder.png/readme", TImageFormat::Other, false, false},
                      NameCase{"noextension", TImageFormat::Other, false, false},
                      NameCase{"", TImageFormat::Other, false, false},
                      NameCase{"x.jpe", TImageFormat::Other, false, false}));

// The chosen format's extension is appended (FileCommandsTest saves an EMF
// so); no choice gives JPEG, and JPEG 2000 files always end in .jp2.
TEST(SaveNames, ChosenExtensionAndJp2) {
  EXPECT_EQ(WithChosenExtension("picture.tif", TSaveFormatChoice::None), "picture.tif.jpg");
  EXPECT_EQ(WithChosenExtension("picture.tif", TSaveFormatChoice::Jp2), "picture.tif.jp2");
  EXPECT_EQ(Jpeg2000FileName("x.jpc"), "x.jp2");
  EXPECT_EQ(Jpeg2000FileName("/a/b.c/x.JPC"), "/a/b.c/x.jp2");
  EXPECT_EQ(Jpeg2000FileName("x.jp2"), "x.jp2");
  EXPECT_EQ(Jpeg2000FileName("/a/b.c/x"), "/a/b.c/x.jp2");
}

TEST(OpenFilter, MetafilesAroundTheRegistryEntries) {
  std::string combined =
      "*.gif;*.bmp|*.gif;*.bmp|GIF Image (*.gif)|*.gif|Windows bitmap (*.bmp)|*.bmp|";
  EXPECT_EQ(OpenDialogFilter(combined),
            "All images (*.gif;*.bmp)|*.wmf;*.emf;*.gif;*.bmp|"
            "GIF Image (*.gif)|*.gif|Windows bitmap (*.bmp)|*.bmp|"
            "Windows Meta File (*.emf,*.wmf)|*.wmf;*.emf;");
  // An empty registry still offers the metafiles.
  EXPECT_EQ(OpenDialogFilter("||"),
            "All images ()|*.wmf;*.emf;|Windows Meta File (*.emf,*.wmf)|*.wmf;*.emf;");
}

TEST(OpenZoom, LargeImagesOpenSmaller) {
  EXPECT_DOUBLE_EQ(ZoomForOpenedImage(2400, 1200, 1.0), 0.5);
  EXPECT_DOUBLE_EQ(ZoomForOpenedImage(1200, 1200, 1.0), 1.0);
  EXPECT_DOUBLE_EQ(ZoomForOpenedImage(100, 100, 3.0), 3.0);
  EXPECT_DOUBLE_EQ(ZoomForOpenedImage(1200, 1200, 3.0), 1.0);
  // A raster of no pixels leaves the zoom alone instead of dividing by zero.
  EXPECT_DOUBLE_EQ(ZoomForOpenedImage(0, 10, 2.0), 2.0);
}
