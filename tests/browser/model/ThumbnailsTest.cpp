#include <gtest/gtest.h>

#include <set>

#include "browser/model/ThumbnailCache.h"
#include "browser/model/Thumbnails.h"
#include "editor/model/DocumentCodecs.h"
#include "imaging/JPEGCodec.h"
#include "imaging/JPEGImage.h"
#include "support/TempFolder.h"

using namespace lumarte;
using namespace lumarte::browser;

namespace {

std::string Photo(const fixtures::TempFolder& dir, const char* name, int w, int h) {
  editor::TBitmap raster(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) raster.SetPixel(x, y, editor::RGBColor(x % 256, y % 256, 128));
  std::string file = dir.File(name);
  editor::WriteJpegFile(file, raster, 80, false);
  return file;
}

TEST(Thumbnails, JpegDecodesAtTheSmallestScaleCoveringTheSize) {
  fixtures::TempFolder dir;
  const std::string data = fixtures::TempFolder::Read(Photo(dir, "p.jpg", 1600, 1200));
  const struct {
    int CoverW, CoverH, OutW, OutH;
  } cases[] = {{100, 75, 200, 150},     // 1/8
               {201, 10, 400, 300},     // 2/8
               {10, 1000, 1400, 1050},  // 7/8
               {3000, 10, 1600, 1200}};
  for (const auto& c : cases) {
    imaging::TRevedBitmap picture;
    auto cover = [&](int, int) { return std::pair(c.CoverW, c.CoverH); };
    auto r = imaging::DecodeJPEG(reinterpret_cast<const uint8_t*>(data.data()), data.size(), picture,
                                 int64_t{1} << 28, cover);
    EXPECT_EQ(r.FullWidth, 1600);
    EXPECT_EQ(picture.Width, c.OutW) << c.CoverW << " x " << c.CoverH;
    EXPECT_EQ(picture.Height, c.OutH) << c.CoverW << " x " << c.CoverH;
  }
}

TEST(Thumbnails, FittedPicturesAndNothingForBrokenFiles) {
  fixtures::TempFolder dir;
  std::string wide = Photo(dir, "wide.jpg", 1600, 1200);
  std::string small = Photo(dir, "small.JPEG", 40, 30);
  dir.Write("broken.jpg", "not a jpeg");
  editor::TBitmap t = MakeThumbnail(wide, 100, 100);
  EXPECT_EQ(t.Width(), 100);
  EXPECT_EQ(t.Height(), 75);
  // The reduced decode shows the same picture: top-left red is 0, bottom-right near 1599 % 256.
  EXPECT_LT(editor::RedOf(t.Pixel(0, 0)), 24);
  editor::TBitmap s = MakeThumbnail(small, 101, 114);
  EXPECT_EQ(s.Width(), 101);
  EXPECT_EQ(s.Height(), 75);  // enlarged to 101 high 75, then 153 × 114, then round(75.25)
  EXPECT_TRUE(MakeThumbnail(dir.File("broken.jpg"), 100, 100).Empty());
  EXPECT_TRUE(MakeThumbnail(dir.File("missing.png"), 100, 100).Empty());
}

TEST(Thumbnails, WorkerReportsTheNewestQueueOnly) {
  fixtures::TempFolder dir;
  std::string file = Photo(dir, "a.jpg", 320, 240);
  std::mutex lock;
  std::set<std::pair<uint64_t, int>> done;
  TThumbnailWorker worker(2, [&](uint64_t g, const TThumbnailJob& job, auto picture) {
    std::lock_guard<std::mutex> hold(lock);
    if (picture->Width() == 50) done.insert({g, job.Index});
  });
  std::vector<TThumbnailJob> many;
  for (int i = 0; i < 50; ++i) many.push_back({i, file});
  worker.Start(many, 50, 50);
  uint64_t g = worker.Start({{100, file}, {101, file}}, 50, 50);
  worker.Wait();
  EXPECT_TRUE(done.count({g, 100}) && done.count({g, 101}));
  size_t old = 0;
  for (auto& d : done) old += d.first != g;
  EXPECT_LT(old, 50u);  // the rest of the first queue was dropped
}

TEST(ThumbnailCache, RandomSlotReplacesAndClears) {
  int slot = 7;
  TThumbnailCache cache([&](int) { return slot; });
  auto a = std::make_shared<lumarte::editor::TBitmap>(2, 2);
  cache.Store("/f/a.jpg", a);
  EXPECT_EQ(cache.Find("/f/a.jpg"), a);
  cache.Store("/f/b.jpg", std::make_shared<lumarte::editor::TBitmap>(1, 1));
  EXPECT_EQ(cache.Find("/f/a.jpg"), nullptr);  // same slot drawn
  slot = 8;
  cache.Store("/f/a.jpg", a);
  EXPECT_EQ(cache.Size(), 2);
  cache.Clear();
  EXPECT_EQ(cache.Find("/f/b.jpg"), nullptr);
}

TEST(ThumbnailCache, GrowingFromSmallEmpties) {
  const struct {
    int From, To;
    bool Empties;
  } cases[] = {{50, 100, true}, {70, 100, false}, {50, 70, false},
               {70, 120, true}, {100, 120, false}, {120, 50, false}};
  for (const auto& c : cases)
    EXPECT_EQ(TThumbnailCache::SizeChangeEmpties(c.From, c.To), c.Empties) << c.From << "-" << c.To;
}

}  // namespace
