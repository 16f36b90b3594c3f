// Loading and saving single icons and cursors through the codec.
#include <gtest/gtest.h>

#include "support/ErrorMessage.h"

#include "CodecTestUtil.h"
#include "imaging/ICOLoader.h"
#include "imaging/ImageDLLLoader.h"

using namespace lumarte;
using namespace lumarte::imaging;
using namespace lumarte::testing;

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

std::string Save(TICOLoader& codec, TRevedBitmap& bmp, const std::string& ext = "ico") {
  TMemoryStream out;
  codec.SaveToStream(out, ext, bmp);
  return out.Data;
}

TRevedBitmap Load(TICOLoader& codec, const std::string& bytes) {
  TMemoryStream in(bytes.data(), bytes.size());
  TRevedBitmap bmp;
  codec.LoadFromStream(in, "ico", bmp);
  return bmp;
}

TEST(ICOLoader, IsRegisteredBeforeTheExternalLibraries) {
  auto& registry = BitmapLoaders();
  for (const char* ext : {"ico", "CUR", "Ico"}) {
    EXPECT_EQ(&registry.FindLoader(ext), &IconLoader()) << ext;
    EXPECT_EQ(&registry.FindSaver(ext), &IconLoader()) << ext;
  }
  for (const char* ext : {"IC", "ICON", "CURS"}) EXPECT_FALSE(IconLoader().CanLoad(ext)) << ext;
  ASSERT_GE(registry.Count(), 2);
  EXPECT_EQ(registry[registry.Count() - 1], &ImageDLLLoader());
  EXPECT_EQ(registry[registry.Count() - 2], &IconLoader());
}

TEST(ICOLoader, ImagesWiderThan255AreRefused) {
  TICOLoader codec;
  for (auto [w, h] : {std::pair{256, 10}, std::pair{10, 256}}) {
    TRevedBitmap bmp;
    bmp.New(w, h, pf24bit);
    EXPECT_EQ(Message([&] { Save(codec, bmp); }), "Image is too large for icon");
  }
}

TEST(ICOLoader, TwentyFourBitLayoutWithMagentaTransparent) {
  TRevedBitmap bmp;
  bmp.New(2, 2, pf24bit);
  SetPixel(bmp, 0, 0, 0x0000FF);
  SetPixel(bmp, 1, 0, kMagenta);
  SetPixel(bmp, 0, 1, 0xFF0000);
  SetPixel(bmp, 1, 1, 0x00FF00);
  TICOLoader codec;
  const std::string b = Save(codec, bmp);
  const std::string expected =
      std::string("\0\0\1\0\1\0", 6) + std::string("\2\2\0\0\1\0\x18\0\x40\0\0\0\x16\0\0\0", 16) +
      std::string("\x28\0\0\0\2\0\0\0\4\0\0\0\1\0\x18\0\0\0\0\0\x18\0\0\0", 24) +
      std::string(16, '\0') +
      // XOR, bottom row first: blue, green; then red and the blackened magenta.
      std::string("\xFF\0\0\0\xFF\0\0\0\0\0\xFF\0\0\0\0\0", 16) +
      // AND: the bottom row opaque, pixel (1, 0) transparent.
      std::string("\0\0\0\0\x40\0\0\0", 8);
  EXPECT_EQ(b, expected);
}

// 8-bit buffers: the highest opaque index in use decides between 4 and 8 bits.
struct TDepthCase {
  std::vector<uint8_t> Indices;  // pixels of a 4 x 1 image
  int TransparentIndex;          // palette entry holding magenta
  int Bits;
};

class ICOLoaderDepth : public ::testing::TestWithParam<TDepthCase> {};

TEST_P(ICOLoaderDepth, ChoosesTheSmallestIconDepth) {
  const auto& c = GetParam();
  TRevedBitmap bmp;
  bmp.New(4, 1, pf8bit);
  for (int i = 0; i < 256; ++i) SetPaletteEntry(bmp, i, uint32_t(i) * 0x010101);
  SetPaletteEntry(bmp, c.TransparentIndex, kMagenta);
  std::memcpy(bmp.Map.get(), c.Indices.data(), 4);
  TICOLoader codec;
  std::string b = Save(codec, bmp);
  EXPECT_EQ(Word(b, 12), c.Bits);
  EXPECT_EQ(uint8_t(b[8]), c.Bits == 4 ? 16 : 0);
  TIconList list;
  LoadList(list, b);
  for (int x = 0; x < 4; ++x) {
    bool clear = c.Indices[x] == c.TransparentIndex;
    EXPECT_EQ(list[0].IsTransparent(x, 0), clear) << x;
    if (!clear) {
      EXPECT_EQ(list[0].PixelColor(x, 0), c.Indices[x] * 0x010101u) << x;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Palettes, ICOLoaderDepth,
    ::testing::Values(TDepthCase{{0, 9, 12, 5}, 12, 4},       // entries 0..9 and magenta at 12
                      TDepthCase{{0, 1, 0, 1}, 12, 4},        //
                      TDepthCase{{3, 200, 15, 200}, 200, 4},  // magenta far above 15
                      TDepthCase{{0, 16, 12, 1}, 12, 8},      //
                      TDepthCase{{255, 0, 0, 0}, 12, 8}));

TEST(ICOLoader, CursorKeepsItsHotSpot) {
  TRevedBitmap bmp;
  bmp.New(4, 4, pf24bit);
  TICOLoader writer;
  writer.HotSpotX = 3;
  writer.HotSpotY = 300;  // both bytes of the field
  std::string cur = Save(writer, bmp, "cur");
  EXPECT_EQ(Word(cur, 2), ikCursor);
  EXPECT_EQ(Word(cur, 10), 3);
  EXPECT_EQ(Word(cur, 12), 300);
  EXPECT_EQ(Word(Save(writer, bmp, "ico"), 2), ikIcon);
  TICOLoader reader;
  Load(reader, cur);
  EXPECT_EQ(reader.HotSpotX, 3);
  EXPECT_EQ(reader.HotSpotY, 300);
}

TEST(ICOLoader, AFileWithoutImagesIsRefused) {
  TICOLoader codec;
  EXPECT_EQ(Message([&] { Load(codec, std::string("\0\0\2\0\0\0", 6)); }), "No icons in file");
}

// A file of a 2 x 2 image (pixel (0, 0) transparent) and a 5 x 4 one, loaded
// through a chooser that answers as told.
class ICOLoaderChooser : public ::testing::Test, public TIconChooser {
 protected:
  bool ChooseIcon(const TIconList& icons, int& index, uint32_t& color) override {
    Offered = icons.Count();
    EXPECT_EQ(index, 0);
    index = Index;
    color = Color;
    return Answer;
  }
  TRevedBitmap LoadTwoImages(TICOLoader& codec) {
    TIconList list;
    list.Add(2, 2, 24).SetTransparent(0, 0);
    list.Add(5, 4, 24);
    return Load(codec, SaveList(list));
  }
  bool Answer = true;
  int Index = 0, Offered = 0;
  uint32_t Color = 0;
};

TEST_F(ICOLoaderChooser, PicksTheImageAndColour) {
  Index = 1;
  Color = 0x00FF00;
  TICOLoader codec;
  codec.Chooser = this;
  TRevedBitmap bmp = LoadTwoImages(codec);
  EXPECT_EQ(Offered, 2);
  EXPECT_EQ(bmp.Width, 5);
  EXPECT_EQ(bmp.Height, 4);
  EXPECT_EQ(codec.TransparentColor, 0x00FF00u);
  Index = 0;  // transparent pixels take the colour, opaque ones keep theirs
  bmp = LoadTwoImages(codec);
  EXPECT_EQ(PixelOf(bmp, 0, 0), 0x00FF00u);
  EXPECT_EQ(PixelOf(bmp, 1, 0), 0u);
}

TEST_F(ICOLoaderChooser, LoadFirstAndNoChooserTakeTheFirstImage) {
  Index = 1;
  TICOLoader codec;
  codec.Chooser = this;
  codec.LoadFirst = true;
  EXPECT_EQ(LoadTwoImages(codec).Width, 2);
  EXPECT_EQ(Offered, 0);
  TICOLoader plain;
  EXPECT_EQ(LoadTwoImages(plain).Width, 2);
}

TEST_F(ICOLoaderChooser, CancelAbortsSilentlyAndLeavesTheBufferEmpty) {
  Answer = false;
  Color = 0x123456;
  TICOLoader& codec = IconLoader();
  codec.Chooser = this;
  TIconList list;
  list.Add(2, 2, 24);
  const std::string file = SaveList(list);
  TMemoryStream in(file.data(), file.size());
  TRevedBitmap bmp;
  bmp.New(3, 3, pf24bit);
  EXPECT_THROW(bmp.LoadFromStream(in, "ICO"), EAbort);
  codec.Chooser = nullptr;
  EXPECT_FALSE(bmp.Present);
  EXPECT_EQ(codec.TransparentColor, kMagenta);
}

}  // namespace
