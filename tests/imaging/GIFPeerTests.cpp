// Cross-checks with giflib: files we write decode with giflib and with our
// reader to the source's pixels, and files giflib writes decode with ours.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "CodecTestUtil.h"
#include "imaging/GIFLoader.h"

using namespace lumarte::imaging;
using lumarte::testing::PixelOf;
using lumarte::testing::Picture24;
using lumarte::testing::SetPaletteEntry;

namespace {

struct TMemoryReader {
  const std::string* Data;
  size_t Pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buf, int n) {
  auto* r = static_cast<TMemoryReader*>(gif->UserData);
  size_t k = std::min(static_cast<size_t>(n), r->Data->size() - r->Pos);
  std::memcpy(buf, r->Data->data() + r->Pos, k);
  r->Pos += k;
  return static_cast<int>(k);
}

int WriteToMemory(GifFileType* gif, const GifByteType* buf, int n) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(buf), n);
  return n;
}

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
TEST_P(GIFPeer, OurFilesDecodeWithGiflibAndOurReader) {
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

  TMemoryReader reader{&out.Data};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
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

  TMemoryStream in(out.Data.data(), out.Data.size());
  TGIFImage ours;
  ours.LoadFromStream(in);
  ours.Frames[0].TransparentIndex = -1;  // compare every pixel
  TRevedBitmap back;
  ours.Compose(0, back);
  ASSERT_EQ(back.Width, c.W);
  ASSERT_EQ(back.Height, c.H);
  for (int y = 0; y < c.H; ++y)
    for (int x = 0; x < c.W; ++x) ASSERT_EQ(PixelOf(back, x, y), colour(x, y)) << x << "," << y;
}

TEST_P(GIFPeer, GiflibFilesDecodeWithOurs) {
  const TCase& c = GetParam();
  auto idx = Indices(c);
  auto pal = Palette(c.Colors);
  int bits = 1;
  while ((1 << bits) < c.Colors) ++bits;
  std::vector<GifColorType> colors(size_t{1} << bits, GifColorType{0, 0, 0});
  for (int i = 0; i < c.Colors; ++i)
    colors[i] = {static_cast<GifByteType>(pal[i]), static_cast<GifByteType>(pal[i] >> 8),
                 static_cast<GifByteType>(pal[i] >> 16)};
  std::string file;
  int error = 0;
  GifFileType* gif = EGifOpen(&file, WriteToMemory, &error);
  ASSERT_NE(gif, nullptr);
  EGifSetGifVersion(gif, true);
  ColorMapObject* map = GifMakeMapObject(1 << bits, colors.data());
  ASSERT_EQ(EGifPutScreenDesc(gif, c.W, c.H, bits, 0, map), GIF_OK);
  if (c.Transparent >= 0) {
    GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 30, c.Transparent};
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    ASSERT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext), GIF_OK);
  }
  ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, c.W, c.H, c.Interlaced, nullptr), GIF_OK);
  std::vector<int> rows = c.Interlaced ? InterlacedRowOrder(c.H) : std::vector<int>();
  for (int i = 0; i < c.H; ++i) {
    int y = c.Interlaced ? rows[static_cast<size_t>(i)] : i;
    ASSERT_EQ(EGifPutLine(gif, &idx[static_cast<size_t>(y) * c.W], c.W), GIF_OK);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);

  TMemoryStream in(file.data(), file.size());
  TRevedBitmap pic;
  GifLoader().LoadFromStream(in, "GIF", pic);
  ASSERT_EQ(pic.PixelFormat, pf8bit);
  ASSERT_EQ(pic.Width, c.W);
  ASSERT_EQ(pic.Height, c.H);
  for (size_t i = 0; i < idx.size(); ++i) {
    const uint8_t* e = &(*pic.Palette)[3 * pic.Map[i]];
    ASSERT_EQ(static_cast<uint32_t>(e[2] | e[1] << 8 | e[0] << 16), pal[idx[i]]) << "pixel " << i;
  }
  TMemoryStream again(file.data(), file.size());
  TGIFImage image;
  image.LoadFromStream(again);
  EXPECT_EQ(image.HasTransparency(), c.Transparent >= 0);
  if (c.Transparent >= 0) {
    EXPECT_EQ(image.TransparentColor(), pal[c.Transparent]);
    EXPECT_EQ(image.Frames[0].Delay, 300);
  }
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
