// External codec libraries, driven through test plug-ins whose answers are
// chosen by the Options text (tests/plugins/TestCodec.cpp).
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CodecTestUtil.h"
#include "imaging/ImageDLLLoader.h"
#include "support/ErrorMessage.h"

using namespace lumarte;
using namespace lumarte::imaging;
using namespace lumarte::testing;
namespace fs = std::filesystem;

namespace {

const std::string kPluginDir = LUMARTE_TEST_PLUGIN_DIR;

class ImageDLLLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Codec.ScanFolder(kPluginDir)); }

  int FreeCount() {
    void* module = ::dlopen((kPluginDir + "/test_codec.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!module) return -1;
    auto count = reinterpret_cast<int (*)()>(::dlsym(module, "TestCodecFreeCount"));
    int n = count ? count() : -1;
    ::dlclose(module);
    return n;
  }

  void Load(const std::string& options, TRevedBitmap& bmp) {
    Codec.Options = options;
    Codec.LoadFromFile("any.tst", "tst", bmp);
  }

  TImageDLLLoader Codec;
  fixtures::TempFolder Temp;
};

TEST_F(ImageDLLLoaderTest, KeepsLibrariesExportingTheThreeFunctionsAndTestsBySubstring) {
  // test_codec_load_only lacks the save and release functions: unloaded.
  ASSERT_EQ(Codec.RecordCount(), 2);
  EXPECT_STREQ(Codec.Record(0).LoadFilter, "Test images (*.tst;*.tsx)|*.tst;*.tsx");
  EXPECT_EQ(Codec.Record(1).LoadFilter, nullptr);
  EXPECT_STREQ(Codec.Record(1).SaveFilter, "Other images (*.oth)|*.oth");
  EXPECT_EQ(Codec.GetLoadFilter(), "Test images (*.tst;*.tsx)|*.tst;*.tsx");
  EXPECT_EQ(Codec.GetSaveFilter(), "Test image (*.tst)|*.tst|Other images (*.oth)|*.oth");
  EXPECT_EQ(Codec.Capabilities(), 12);
  // Named in the description and in the pattern part: each registered once.
  EXPECT_EQ(Codec.GraphicExtensions(), (std::vector<std::string>{"TST", "TSX"}));
  // The default substring test.
  EXPECT_TRUE(Codec.CanLoad("TSX"));
  EXPECT_TRUE(Codec.CanLoad("ts"));  // a prefix of a listed extension
  EXPECT_FALSE(Codec.CanLoad(""));
  // The library without a load filter is never chosen for loading.
  EXPECT_FALSE(Codec.CanLoad("oth"));
  EXPECT_TRUE(Codec.CanSave("oth"));
  TRevedBitmap bmp;
  EXPECT_EQ(Message([&] { Codec.LoadFromFile("a.oth", "oth", bmp); }), "Unsupported file format");
}

TEST_F(ImageDLLLoaderTest, CodesBecomeTheirMessages) {
  const struct {
    bool Save;
    int Code;
    const char* Message;
  } cases[] = {{false, 2, "Unable to open file"},       {false, 3, "Error in bitmap data"},
               {false, 4, "Unsupported pixel format"},  {false, 5, "Error in bitmap data: 5"},
               {false, -1, "Error in bitmap data: -1"}, {true, 2, "Unable to open file"},
               {true, 3, "Error encoding image"},       {true, 4, "Unsupported pixel format"},
               {true, 5, "Unable to close file"},       {true, 9, "Error writing image file: 9"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Message);
    int before = FreeCount();
    TRevedBitmap bmp;
    if (c.Save) bmp.New(2, 2, pf24bit);
    Codec.Options = (c.Save ? "savecode=" : "code=") + std::to_string(c.Code);
    EXPECT_EQ(Message([&] {
                c.Save ? Codec.SaveToFile(Temp.File("out.tst"), "tst", bmp)
                       : Codec.LoadFromFile("any.tst", "tst", bmp);
              }),
              c.Message);
    EXPECT_EQ(FreeCount(), before);  // nothing was handed out
  }
}

// The test codec's byte i of its data block is i * 7 + 1.
uint8_t Pattern(size_t i) {
  return uint8_t(i * 7 + 1);
}

struct TFormatCase {
  const char* Options;
  TPixelFormat Format;  // pfCustom: nothing checked
  const char* Error;    // null: success
  int Planes = 0;       // separate planes loaded; 0: the block is copied as it is
};

class ImageDLLFormats : public ImageDLLLoaderTest,
                        public ::testing::WithParamInterface<TFormatCase> {};

TEST_P(ImageDLLFormats, AreStoredOrRefused) {
  const auto& c = GetParam();
  int before = FreeCount();
  TRevedBitmap bmp;
  std::string error;
  try {
    Load(c.Options, bmp);
  } catch (const ERevedBitmap& e) {
    error = e.what();
  }
  EXPECT_EQ(error, c.Error ? c.Error : "");
  // Whatever the outcome, an image handed out is given back.
  EXPECT_EQ(FreeCount(), before + 1);
  if (c.Format == pfCustom) return;
  ASSERT_EQ(bmp.PixelFormat, c.Format);
  EXPECT_EQ(bmp.Width, 4);
  EXPECT_EQ(bmp.Height, 3);
  // Separate planes become the bytes of each pixel; missing ones stay 0.
  for (int i = 0; i < bmp.Size; ++i) {
    int pixel = i / 3, plane = i % 3;
    uint8_t want = !c.Planes ? Pattern(i) : plane < c.Planes ? Pattern(plane * 12 + pixel) : 0;
    ASSERT_EQ(bmp.Map[i], want) << "byte " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ImageDLLFormats,
    ::testing::Values(TFormatCase{"format=1", pf8bit, nullptr},
                      TFormatCase{"format=17", pf8bit, nullptr},  // one separate plane
                      TFormatCase{"format=3", pf24bit, nullptr},
                      TFormatCase{"format=18", pf24bit, nullptr, 2},
                      TFormatCase{"format=19", pf24bit, nullptr, 3},
                      TFormatCase{"format=20", pf24bit,
                                  "The image contains 4 color planes, only 3 were loaded", 3},
                      TFormatCase{"format=0", pfCustom, "Unsupported bitmap format"},
                      TFormatCase{"format=2", pfCustom, "Unsupported pixel format"},
                      TFormatCase{"format=4", pfCustom, "Unsupported pixel format"},
                      TFormatCase{"format=35", pfCustom, "Unsupported pixel format"},
                      TFormatCase{"w=0", pfCustom, "Invalid bitmap size"},
                      TFormatCase{"h=-3", pfCustom, "Invalid bitmap size"},
                      TFormatCase{"w=70000 h=1", pfCustom, "Invalid bitmap size"},
                      TFormatCase{"nodata", pfCustom, "Error in bitmap data"}));

TEST_F(ImageDLLLoaderTest, OnePlaneTakesTheLibrarysPaletteOrTheGreyRamp) {
  TRevedBitmap bmp;
  Load("format=1", bmp);
  EXPECT_EQ(*bmp.Palette, DefaultPalette());
  Load("format=1 palette", bmp);
  EXPECT_EQ((*bmp.Palette)[0], 255);
  EXPECT_EQ((*bmp.Palette)[300], 255 - 300 % 256);
}

TEST_F(ImageDLLLoaderTest, SaveHandsOverTheBufferAndOptionsOrRefuses) {
  TRevedBitmap bmp;
  bmp.New(3, 2, pf8bit);
  for (int i = 0; i < 6; ++i) bmp.Map[i] = uint8_t(10 + i);
  (*bmp.Palette)[767] = 0x42;
  Codec.Options = "quality=high";
  Codec.SaveToFile(Temp.File("a.tst"), "tst", bmp);
  std::string dump = ReadFileBytes(Temp.File("a.tst"));
  const std::string head = "3 2 3 1 1 quality=high\n";
  ASSERT_EQ(dump.size(), head.size() + 6 + 768);
  EXPECT_EQ(dump.substr(0, head.size()), head);
  EXPECT_EQ(dump.substr(head.size(), 6), "\x0a\x0b\x0c\x0d\x0e\x0f");
  EXPECT_EQ(uint8_t(dump.back()), 0x42);

  bmp.New(3, 2, pf24bit);
  bmp.Clear(0x0000FF);
  Codec.Options.clear();
  Codec.SaveToFile(Temp.File("b.tst"), "TST", bmp);
  dump = ReadFileBytes(Temp.File("b.tst"));
  EXPECT_EQ(dump,
            "3 2 3 3 0 \n" + std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\xFF\0\0\xFF\0\0\xFF", 18));
  // An empty buffer, and an extension that is loadable only, are refused.
  TRevedBitmap empty;
  EXPECT_EQ(Message([&] { Codec.SaveToFile(Temp.File("a.tst"), "tst", empty); }),
            "Unsupported pixel format");
  EXPECT_EQ(Message([&] { Codec.SaveToFile(Temp.File("a.tsx"), "tsx", bmp); }),
            "Unsupported file format");
}

TEST(ImageDLLScan, BrokenLibrariesKeepAnEmptyRecordAndFoldersAreSkipped) {
  fixtures::TempFolder dir;
  std::ofstream(dir.File("a-broken.so")) << "not a library";
  fs::create_directory(dir.File("b-folder.so"));
  fs::copy_file(kPluginDir + "/test_codec.so", dir.File("c-codec.so"));
  TImageDLLLoader codec;
  EXPECT_TRUE(codec.ScanFolder(dir.Path.string()));
  ASSERT_EQ(codec.RecordCount(), 2);
  EXPECT_EQ(codec.Record(0).Module, nullptr);
  EXPECT_EQ(codec.Record(0).LoadFilter, nullptr);
  EXPECT_NE(codec.Record(1).Module, nullptr);
  EXPECT_EQ(codec.GetLoadFilter(), "Test images (*.tst;*.tsx)|*.tst;*.tsx");
  TRevedBitmap bmp;
  codec.LoadFromFile("x.tst", "tst", bmp);
  EXPECT_TRUE(bmp.Present);
}

TEST(ImageDLLScan, AFolderWithoutLibrariesAddsNoFormats) {
  fixtures::TempFolder dir;
  std::ofstream(dir.File("only.so")) << "text";
  TImageDLLLoader codec;
  EXPECT_FALSE(codec.ScanFolder(dir.Path.string()));
  EXPECT_FALSE(codec.ScanFolder(dir.File("missing")));
  EXPECT_EQ(codec.GetLoadFilter(), "");
  EXPECT_FALSE(codec.CanLoad("jp2"));
  TRevedBitmap bmp;
  EXPECT_THROW(codec.LoadFromFile("a.jp2", "jp2", bmp), ERevedBitmap);
}

}  // namespace
