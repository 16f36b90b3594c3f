// The device context the readers play into: its limits on what a picture
// may hold, and the saved-state stack.
#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include "imaging/Errors.h"
#include "imaging/metafile/MetafilePlayer.h"

using namespace lumarte;
using namespace lumarte::imaging;

TEST(MetafilePlayer, PictureSizeIsBudgeted) {
  TMetaPicture pic;
  TPlayerSetup setup;
  setup.MaxBytes = 50000;
  TMetaPlayer player(pic, setup);
  EXPECT_EQ(Message([&] {
              for (int i = 0; i < 100000; ++i) player.Ellipse(0, 0, i, i);
            }),
            "Metafile too complex")
      << "no limit";
  EXPECT_LT(pic.Commands.size(), 200u);
}

TEST(MetafilePlayer, ClipItemsStopGrowing) {
  TMetaPicture pic;
  TPlayerSetup setup;
  setup.MaxClipItems = 3;
  TMetaPlayer player(pic, setup);
  for (int i = 0; i < 10; ++i) {
    player.IntersectClipRect(0, 0, 100 - i, 100 - i);
    player.Rectangle(0, 0, 5, 5);
  }
  ASSERT_EQ(pic.Commands.size(), 10u);
  EXPECT_EQ(pic.Commands.back().Clip->Items.size(), 3u);
  EXPECT_EQ(pic.Commands[3].Clip, pic.Commands[9].Clip);  // shared, not copied
}

TEST(MetafilePlayer, RestoreByNumberAndByDepth) {
  TMetaPicture pic;
  TMetaPlayer player(pic, TPlayerSetup{});
  auto origin = [&] {
    player.Rectangle(0, 0, 1, 1);
    return std::get<TMetaShape>(pic.Commands.back().Item).Path.Points[0].X;
  };
  player.SaveDC();  // state 1: origin 0
  player.SetWindowOrg(1, 0);
  player.SaveDC();  // state 2: origin 1
  player.SetWindowOrg(2, 0);
  player.SaveDC();  // state 3: origin 2
  player.SetWindowOrg(3, 0);
  player.RestoreDC(-1);
  EXPECT_EQ(origin(), -2);
  player.RestoreDC(1);  // absolute: the first saved state, dropping the others
  EXPECT_EQ(origin(), 0);
  player.RestoreDC(-1);  // nothing saved any more: ignored
  EXPECT_EQ(origin(), 0);
}
