// Split colors (RGB): three new documents, or the ten-image refusal.
#include <gtest/gtest.h>

#include "editor/model/ChannelSplit.h"
#include "editor/model/DocumentList.h"
#include "support/ErrorMessage.h"
#include "support/QuietDocumentHost.h"

using namespace lumarte;
using namespace lumarte::editor;

namespace {

class ChannelSplitTest : public ::testing::TestWithParam<int> {
 protected:
  QuietHost host;
  DocumentList docs{host};
  // Opens `count` images; the last one (current) is 3 x 2 with distinct pixels.
  void Open(int count) {
    for (int i = 0; i < count; ++i) docs.NewImage(3, 2);
    TBitmap& b = *docs.Current().Bitmap;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) b.SetPixel(x, y, RGBColor(10 + x, 20 + y, 30 + x + y));
    docs.Current().Selection->X1 = 1;  // a selection, which the split ignores
    docs.Current().FileName = "source.bmp";
  }
  int OpenCount() const {
    int n = 0;
    for (int k = 0; k < kSlotCount; ++k) n += docs.Slot(k).InUse;
    return n;
  }
};

}  // namespace

TEST_P(ChannelSplitTest, OpensRedGreenBlueWithBlueCurrent) {
  const int open = GetParam();
  Open(open);
  const TBitmap source = *docs.Current().Bitmap;
  docs.LMRGBSplitImage1Click();
  EXPECT_EQ(OpenCount(), open + 3);
  const TColor masks[3] = {0x0000FF, 0x00FF00, 0xFF0000};  // red, green, blue as 0x00BBGGRR
  for (int i = 0; i < 3; ++i) {
    const TBM& d = docs.Slot(2 - i);  // red went in first and is now slot 2
    EXPECT_EQ(d.FileName, "New");
    EXPECT_TRUE(d.NeedsSaveAs && d.JpegProgressive && d.Modified && d.InUse);
    EXPECT_EQ(d.JpegQuality, 50);
    EXPECT_EQ(d.Selection->X1, -1) << "an empty selection";
    EXPECT_EQ(d.UndoDepth(), 0);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(d.Bitmap->Pixel(x, y), source.Pixel(x, y) & masks[i]);
  }
  const TBM& original = docs.Slot(3);
  EXPECT_EQ(original.FileName, "source.bmp");
  EXPECT_EQ(*original.Bitmap, source);
  EXPECT_FALSE(original.Modified);
}

INSTANTIATE_TEST_SUITE_P(OpenImages, ChannelSplitTest, ::testing::Values(1, 7));

TEST_F(ChannelSplitTest, RefusedWithEightOpen) {
  Open(8);
  EXPECT_EQ(Message([&] { docs.LMRGBSplitImage1Click(); }), kTooManyImages);
  EXPECT_EQ(OpenCount(), 8);
  EXPECT_EQ(docs.Current().FileName, "source.bmp");
}
