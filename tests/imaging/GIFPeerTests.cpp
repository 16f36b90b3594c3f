// Cross-checks with giflib: files we write decode with giflib to the source's
// pixels. (Our reader is checked on foreign files by the corpus suite.)
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>

#include "CodecTestUtil.h"
#include "imaging/GIFLoader.h"

using namespace lumarte::imaging;
using lumarte::testing::Picture24;
using lumarte::testing::SetPaletteEntry;

namespace {

struct TCase {
  int W, H, Colors;
  bool Interlaced;
  int Transparent;  // index, or -1
  bool Paletted;    // an 8-bit source, else 24 bits
};

// Indices with flat runs and noise, below colors.
std::vector<uint8_t> Indices(const TCase& c) {
  std::mt19937 rng(c.W * 7 + c.H * 13 + c.Colors);
  std::vector<uint8_t> v(static_cast<size_t>(c.W) * c.H);
  for (size_t i = 0; i < v.size(); ++i)
    v[i] = static_cast<uint8_t>((i / 7) % 5 == 0 ? 0 : rng() % c.Colors);
  return v;
}

std::vector<uint32_t> Palette(int n) {
  std::vector<uint32_t> p(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    p[static_cast<size_t>(i)] = 0x010000u * i + 0x0100u * (255 - i) + (i * 7 & 0xFF);
  return p;
}

class GIFPeer : public ::testing::TestWithParam<TCase> {};

// Noise over many colours forces table clears at 4096 codes; flat areas
// produce long strings.
TEST_P(GIFPeer, OurFilesDecodeWithGiflib) {
  const TCase& c = GetParam();
  auto idx = Indices(c);
  auto pal = Palette(c.Colors);
  auto colour = [&](int x, int y) { return pal[idx[static_cast<size_t>(y) * c.W + x]]; };
  TRevedBitmap bmp = Picture24(c.W, c.H, colour);
  if (c.Paletted) {
    bmp.New(c.W, c.H, pf8bit);
    std::memcpy(bmp.Map.get(), idx.data(), idx.size());
    for (int i = 0; i < c.Colors; ++i) SetPaletteEntry(bmp, i, pal[i]);
  }
  TGIFWriterFrame f;
  f.Bitmap = &bmp;
  f.Interlaced = c.Interlaced;
  f.Transparent = c.Transparent >= 0;
  if (f.Transparent) f.TransparentColor = pal[static_cast<size_t>(c.Transparent)];
  TMemoryStream out;
  ASSERT_TRUE(WriteGIF(out, {f}, {}));
  lumarte::fixtures::TempFolder temp;
  const std::string file = temp.File("ours.gif");
  std::ofstream(file, std::ios::binary) << out.Data;

  int error = 0;
  GifFileType* gif = DGifOpenFileName(file.c_str(), &error);
  ASSERT_NE(gif, nullptr) << GifErrorString(error);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
  ASSERT_EQ(gif->ImageCount, 1);
  const SavedImage& img = gif->SavedImages[0];
  EXPECT_EQ(img.ImageDesc.Width, c.W);
  EXPECT_EQ(img.ImageDesc.Height, c.H);
  EXPECT_EQ(static_cast<bool>(img.ImageDesc.Interlace), c.Interlaced);
  const ColorMapObject* map = img.ImageDesc.ColorMap ? img.ImageDesc.ColorMap : gif->SColorMap;
  ASSERT_NE(map, nullptr);
  for (size_t i = 0; i < idx.size(); ++i) {
    const GifColorType& g = map->Colors[img.RasterBits[i]];
    uint32_t got = g.Red | g.Green << 8 | g.Blue << 16;
    ASSERT_EQ(got, pal[idx[i]]) << "pixel " << i;
  }
  GraphicsControlBlock gcb;
  ASSERT_EQ(DGifSavedExtensionToGCB(gif, 0, &gcb), GIF_OK);
  if (c.Transparent >= 0) {
    ASSERT_GE(gcb.TransparentColor, 0);
    const GifColorType& t = map->Colors[gcb.TransparentColor];
    EXPECT_EQ(static_cast<uint32_t>(t.Red | t.Green << 8 | t.Blue << 16), pal[c.Transparent]);
  } else {
    EXPECT_EQ(gcb.TransparentColor, NO_TRANSPARENT_COLOR);
  }
  DGifCloseFile(gif, &error);
}

INSTANTIATE_TEST_SUITE_P(
    Images, GIFPeer,
    ::testing::Values(TCase{1, 1, 1, false, -1, false}, TCase{1, 1, 2, false, -1, true},
                      TCase{7, 5, 2, true, -1, false}, TCase{17, 9, 3, true, 2, true},
                      TCase{64, 64, 16, false, 0, false}, TCase{257, 131, 256, false, -1, true},
                      TCase{300, 200, 256, false, 7, false}, TCase{301, 203, 256, true, -1, true},
                      TCase{512, 512, 37, false, -1, true}, TCase{640, 480, 256, true, 200, true},
                      TCase{1000, 3, 200, false, -1, false},
                      TCase{2000, 1000, 200, false, 5, false}));

}  // namespace
